// Interface-path synthesis for hidraw nodes. Windows adds "&mi_XX" only for an interface of a
// composite USB device and "&colXX" only when the interface has several top-level collections;
// the table's rows were written against those paths, so the same rules are kept here.
#include "platform/hidraw/hidraw_node_paths.h"

#include "platform/hid/hid_interface_path.h"

namespace {

// Hexadecimal digits up to the end of `text`; false for an empty field or anything past 16 bits.
bool ParseHexField(std::string_view text, uint16_t* value) {
  if (text.empty() || text.size() > 8) return false;
  uint32_t result = 0;
  for (char c : text) {
    int digit = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                         : -1;
    if (digit < 0) return false;
    result = result * 16 + static_cast<uint32_t>(digit);
  }
  if (result > 0xFFFF) return false;
  *value = static_cast<uint16_t>(result);
  return true;
}

// Decimal digits making up all of `text`, at most `maxValue`; -1 otherwise.
int ParseDecimal(std::string_view text, int maxValue) {
  if (text.empty() || text.size() > 9) return -1;
  int result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    result = result * 10 + (c - '0');
  }
  return result <= maxValue ? result : -1;
}

}  // namespace

std::optional<HidInstanceId> ParseHidInstanceName(std::string_view name) {
  size_t firstColon = name.find(':');
  size_t secondColon = firstColon == std::string_view::npos ? firstColon : name.find(':', firstColon + 1);
  size_t dot = secondColon == std::string_view::npos ? secondColon : name.find('.', secondColon + 1);
  if (dot == std::string_view::npos) return std::nullopt;
  HidInstanceId id;
  uint16_t sequence = 0;
  if (!ParseHexField(name.substr(0, firstColon), &id.busType) ||
      !ParseHexField(name.substr(firstColon + 1, secondColon - firstColon - 1), &id.vendorId) ||
      !ParseHexField(name.substr(secondColon + 1, dot - secondColon - 1), &id.productId) ||
      !ParseHexField(name.substr(dot + 1), &sequence)) {
    return std::nullopt;
  }
  return id;
}

int InterfaceNumberFromPhys(std::string_view phys) {
  constexpr std::string_view kTag = "/input";
  size_t at = phys.rfind(kTag);
  if (at == std::string_view::npos) return -1;
  return ParseDecimal(phys.substr(at + kTag.size()), 255);
}

int HidrawNodeNumber(std::string_view node) {
  constexpr std::string_view kPrefix = "hidraw";
  if (node.substr(0, kPrefix.size()) != kPrefix) return -1;
  return ParseDecimal(node.substr(kPrefix.size()), 1 << 20);
}

std::vector<std::string> BuildHidrawInterfacePaths(const HidrawNodeAttributes& attributes,
                                                   const HidDescriptorSummary& summary) {
  HidInterfacePathParts parts;
  parts.usb = attributes.busType == kHidBusUsb;
  parts.busType = attributes.busType;
  parts.vendorId = attributes.vendorId;
  parts.productId = attributes.productId;
  parts.interfaceNumber = parts.usb && attributes.composite ? attributes.interfaceNumber : -1;
  parts.instance = attributes.instance;
  parts.node = attributes.node;
  std::vector<std::string> paths;
  const size_t count = summary.collections.size();
  for (size_t i = 0; i < count; ++i) {
    parts.collectionNumber = count > 1 ? static_cast<int>(i + 1) : 0;
    paths.push_back(BuildHidInterfacePath(parts));
  }
  return paths;
}
