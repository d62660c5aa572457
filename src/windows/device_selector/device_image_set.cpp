#include "windows/device_selector/device_image_set.h"

#include <array>
#include <string_view>

#include "ui/controls/text_key.h"

namespace {

constexpr int kAnySubKind = -1;
constexpr int kMousePadKind = 3;

struct ImageSetRow {
  int kind;
  int subKind;  // kAnySubKind matches every sub-kind
  std::string_view prefix;
  const char* tooltipKey;
};

// The tooltip key is always the prefix followed by "_device_name_text"; it is spelled out so the
// language-file check sees every key.
constexpr std::array<ImageSetRow, 7> kImageSetRows = {{
    {1, kAnySubKind, "kb", TextKey("kb_device_name_text")},    // keyboard
    {2, kAnySubKind, "ms", TextKey("ms_device_name_text")},    // mouse
    {3, 0, "hard_mp", TextKey("hard_mp_device_name_text")},    // hard mouse pad
    {3, 1, "soft_mp", TextKey("soft_mp_device_name_text")},    // cloth mouse pad
    {4, kAnySubKind, "hd", TextKey("hd_device_name_text")},    // headset
    {7, kAnySubKind, "hd", TextKey("hd_device_name_text")},    // headset (its own kind)
    {5, kAnySubKind, "hub", TextKey("hub_device_name_text")},  // hub
}};

DeviceImageSet MakeSet(std::string_view prefix, const char* tooltipKey) {
  const std::string base = "common/device_ico/" + std::string(prefix);
  return {base + "_device_normal.png", base + "_device_selected.png", base + "_device_synchro_normal.png",
          base + "_device_synchro_selected.png", tooltipKey};
}

}  // namespace

DeviceImageSet UnknownDeviceImageSet() { return MakeSet("unknow", TextKey("unknow_device_name_text")); }

std::optional<DeviceImageSet> DeviceImageSetFor(int kind, int subKind) {
  for (const ImageSetRow& row : kImageSetRows) {
    if (row.kind == kind && (row.subKind == kAnySubKind || row.subKind == subKind)) {
      return MakeSet(row.prefix, row.tooltipKey);
    }
  }
  if (kind == kMousePadKind) return std::nullopt;
  return UnknownDeviceImageSet();
}
