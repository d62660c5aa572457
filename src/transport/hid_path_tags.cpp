#include "transport/hid_path_tags.h"

#include <cctype>

namespace {

// Finds the first occurrence of the tag and reads the hexadecimal digits after it, the way
// "%x" does: leading blanks and an optional 0x are accepted, and reading stops at the first
// character that is not a digit.
uint16_t HexAfterTag(std::string_view path, std::string_view tag) {
  auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  for (size_t at = 0; at + tag.size() <= path.size(); ++at) {
    size_t k = 0;
    while (k < tag.size() && lower(path[at + k]) == tag[k]) ++k;
    if (k != tag.size()) continue;

    size_t pos = at + tag.size();
    while (pos < path.size() && std::isspace(static_cast<unsigned char>(path[pos]))) ++pos;
    if (pos + 1 < path.size() && path[pos] == '0' && lower(path[pos + 1]) == 'x' && pos + 2 < path.size() &&
        std::isxdigit(static_cast<unsigned char>(path[pos + 2]))) {
      pos += 2;
    }
    uint32_t value = 0;
    for (; pos < path.size() && std::isxdigit(static_cast<unsigned char>(path[pos])); ++pos) {
      char c = lower(path[pos]);
      value = value * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    return static_cast<uint16_t>(value & 0xFFFF);
  }
  return 0;
}

}  // namespace

uint16_t GetVidFromPath(std::string_view path) { return HexAfterTag(path, "vid_"); }
uint16_t GetPidFromPath(std::string_view path) { return HexAfterTag(path, "pid_"); }
uint16_t GetInterfaceFromPath(std::string_view path) { return HexAfterTag(path, "&mi_"); }
uint16_t GetCollectionFromPath(std::string_view path) { return HexAfterTag(path, "&col"); }
