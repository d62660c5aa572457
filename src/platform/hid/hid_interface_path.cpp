#include "platform/hid/hid_interface_path.h"

#include <cstdio>
#include <vector>

namespace {

constexpr std::string_view kPrefix = "\\\\?\\hid#";

std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

bool ParseHex(const std::string& text, unsigned maxValue, unsigned* value) {
  if (text.empty() || text.size() > 8) return false;
  unsigned result = 0;
  for (char c : text) {
    int digit = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    result = result * 16 + static_cast<unsigned>(digit);
  }
  if (result > maxValue) return false;
  *value = result;
  return true;
}

}  // namespace

std::string BuildHidInterfacePath(const HidInterfacePathParts& parts) {
  char tags[64];
  if (parts.usb) {
    std::snprintf(tags, sizeof tags, "vid_%04x&pid_%04x", parts.vendorId, parts.productId);
  } else {
    std::snprintf(tags, sizeof tags, "bus_%04x&ven_%04x&dev_%04x", parts.busType, parts.vendorId, parts.productId);
  }
  std::string path(kPrefix);
  path += tags;
  if (parts.interfaceNumber >= 0) {
    std::snprintf(tags, sizeof tags, "&mi_%02x", static_cast<unsigned>(parts.interfaceNumber) & 0xFF);
    path += tags;
  }
  if (parts.collectionNumber > 0) {
    std::snprintf(tags, sizeof tags, "&col%02x", static_cast<unsigned>(parts.collectionNumber) & 0xFF);
    path += tags;
  }
  path += '#';
  path += parts.instance;
  path += '#';
  path += parts.node;
  return path;
}

std::optional<HidInterfacePathParts> ParseHidInterfacePath(const std::string& path) {
  if (path.compare(0, kPrefix.size(), kPrefix) != 0) return std::nullopt;
  std::vector<std::string> sections = SplitAt(path.substr(kPrefix.size()), '#');
  if (sections.size() != 3) return std::nullopt;

  HidInterfacePathParts parts;
  parts.instance = sections[1];
  parts.node = sections[2];
  std::vector<std::string> tags = SplitAt(sections[0], '&');
  size_t next = 0;
  unsigned value = 0;
  auto takeTag = [&](std::string_view name, unsigned maxValue) -> bool {
    if (next >= tags.size() || tags[next].compare(0, name.size(), name) != 0) return false;
    if (!ParseHex(tags[next].substr(name.size()), maxValue, &value)) return false;
    ++next;
    return true;
  };
  if (takeTag("vid_", 0xFFFF)) {
    parts.vendorId = static_cast<uint16_t>(value);
    if (!takeTag("pid_", 0xFFFF)) return std::nullopt;
    parts.productId = static_cast<uint16_t>(value);
  } else if (takeTag("bus_", 0xFFFF)) {
    parts.usb = false;
    parts.busType = static_cast<uint16_t>(value);
    if (!takeTag("ven_", 0xFFFF)) return std::nullopt;
    parts.vendorId = static_cast<uint16_t>(value);
    if (!takeTag("dev_", 0xFFFF)) return std::nullopt;
    parts.productId = static_cast<uint16_t>(value);
  } else {
    return std::nullopt;
  }
  if (takeTag("mi_", 0xFF)) parts.interfaceNumber = static_cast<int>(value);
  if (takeTag("col", 0xFF)) parts.collectionNumber = static_cast<int>(value);
  if (next != tags.size()) return std::nullopt;
  return parts;
}
