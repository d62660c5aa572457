#include "sim/memory_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>

namespace {

constexpr std::array<std::string_view, kSimBlockCount> kBlockNames = {
    "DeviceInfo", "ConfigImage", "Settings", "Status", "MacroData", "RecoilData", "LightStream"};

std::optional<size_t> BlockIndex(std::string_view name) {
  for (size_t i = 0; i < kBlockNames.size(); ++i) {
    if (kBlockNames[i] == name) return i;
  }
  return std::nullopt;
}

std::optional<std::vector<uint8_t>> FromHex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  bytes.reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    unsigned value = 0;
    for (char c : text.substr(i, 2)) {
      value <<= 4;
      if (c >= '0' && c <= '9') {
        value |= static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        value |= static_cast<unsigned>(c - 'a' + 10);
      } else {
        return std::nullopt;
      }
    }
    bytes.push_back(static_cast<uint8_t>(value));
  }
  return bytes;
}

bool WriteWhole(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = write(fd, text.data() + done, text.size() - done);
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

bool LoadSimMemoryFile(const std::string& path, SimFirmwareMemory& memory) {
  std::ifstream in(path);
  if (!in) return false;
  SimFirmwareMemory loaded = memory;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    const size_t space = line.find(' ');
    if (space == std::string::npos) return false;
    const std::optional<size_t> index = BlockIndex(std::string_view(line).substr(0, space));
    const std::optional<std::vector<uint8_t>> bytes = FromHex(std::string_view(line).substr(space + 1));
    if (!index || !bytes) return false;
    if (bytes->size() == loaded.blocks[*index].size()) loaded.blocks[*index] = *bytes;
  }
  memory = std::move(loaded);
  return true;
}

bool SaveSimMemoryFile(const std::string& path, const SimFirmwareMemory& memory) {
  std::ostringstream text;
  for (size_t i = 0; i < kBlockNames.size(); ++i) {
    text << kBlockNames[i] << ' ';
    char hex[3];
    for (uint8_t byte : memory.blocks[i]) {
      std::snprintf(hex, sizeof hex, "%02x", byte);
      text << hex;
    }
    text << '\n';
  }
  // Written beside the file and renamed over it, so a run that ends half-way leaves the old memory.
  const std::string temporary = path + ".tmp";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = WriteWhole(fd, text.str()) && fsync(fd) == 0;
  close(fd);
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}
