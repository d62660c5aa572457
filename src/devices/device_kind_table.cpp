#include "devices/device_kind_table.h"

#include <array>

namespace {

constexpr uint16_t kNoTabs = 0;
constexpr uint16_t kNoKeysOrSystem = TabBit(kCursorTab) | TabBit(kMacroTab) | TabBit(kSystemTab) | TabBit(kKeyTab);
// The pad has its lighting alone: no page of further settings either.
constexpr uint16_t kLightingOnly = kNoKeysOrSystem | TabBit(kMoreTab);
constexpr uint16_t kAudioTabs = TabBit(kVoiceTab) | TabBit(kMagicTab) | TabBit(kSurroundTab);

constexpr const char* kKeyboardArrives = "添加一个键盘设备";
constexpr const char* kKeyboardLeaves = "删除一个键盘设备";
constexpr const char* kMouseArrives = "添加一个鼠标设备";
constexpr const char* kMouseLeaves = "删除一个鼠标设备";
// Every other kind is traced as a mouse pad.
constexpr const char* kOtherArrives = "添加一个鼠标垫设备";
constexpr const char* kOtherLeaves = "删除一个鼠标垫设备";

constexpr std::array<DeviceKindTraits, 8> kKindTraits = {{
    {kDeviceKindKeyboard, 1, kKeyboardArrives, kKeyboardLeaves, TabBit(kCursorTab), kNoTabs, true, true, false},
    {kDeviceKindMouse, 0, kMouseArrives, kMouseLeaves, kNoTabs, kNoTabs, true, true, false},
    {kDeviceKindMousePad, 2, kOtherArrives, kOtherLeaves, kLightingOnly, kNoTabs, false, true, false},
    // Kinds 4 and 5 have tab rules of their own but no device in this build.
    {4, -1, kOtherArrives, kOtherLeaves, kNoKeysOrSystem, kNoTabs, false, false, false},
    {5, -1, kOtherArrives, kOtherLeaves, TabBit(kCursorTab) | TabBit(kMacroTab) | TabBit(kKeyTab), kNoTabs, false,
     false, false},
    {kDeviceKindMouseReceiver, 0, kMouseArrives, kMouseLeaves, kNoTabs, kNoTabs, true, true, false},
    {kDeviceKindHeadset, 3, kOtherArrives, kOtherLeaves, kNoKeysOrSystem, kAudioTabs, false, false, true},
    {kDeviceKindKeyboardReceiver, 1, kKeyboardArrives, kKeyboardLeaves, TabBit(kCursorTab), kNoTabs, true, true,
     false},
}};

}  // namespace

const DeviceKindTraits* FindDeviceKindTraits(uint16_t kind) {
  for (const DeviceKindTraits& traits : kKindTraits) {
    if (traits.kind == kind) return &traits;
  }
  return nullptr;
}
