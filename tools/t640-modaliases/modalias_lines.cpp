#include "modalias_lines.h"

#include <cstdio>
#include <set>
#include <utility>

#include "transport/supported_devices.h"

std::vector<std::string> SupportedModaliasLines(const std::string& indent) {
  std::set<std::pair<uint16_t, uint16_t>> devices;
  std::vector<std::string> lines;
  for (const SupportedDevice& row : kSupportedDevices) {
    // Product 0 stands for a row that never matches.
    if (row.ProductId == 0 || !devices.insert({row.VendorId, row.ProductId}).second) continue;
    char line[96];
    std::snprintf(line, sizeof line, "<modalias>usb:v%04Xp%04Xd*</modalias>", row.VendorId, row.ProductId);
    lines.push_back(indent + line);
  }
  return lines;
}

bool ReplaceMarkerLine(const std::string& text, const std::string& marker, const std::vector<std::string>& lines,
                       std::string* result) {
  const size_t at = text.find(marker);
  if (at == std::string::npos) return false;
  const size_t lineStart = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
  size_t lineEnd = text.find('\n', at);
  lineEnd = lineEnd == std::string::npos ? text.size() : lineEnd + 1;
  std::string replaced = text.substr(0, lineStart);
  for (const std::string& line : lines) replaced += line + "\n";
  replaced += text.substr(lineEnd);
  *result = std::move(replaced);
  return true;
}
