#include "platform/input_capture/evdev_scan_codes.h"

namespace {

constexpr uint32_t kLastDirectCode = 88;  // F12
constexpr uint32_t kNumLock = 69;
constexpr uint32_t kRightShift = 54;

struct EvdevRow {
  uint32_t evdev;
  ScanCode code;
};

constexpr EvdevRow kTable[] = {
    {89, {0x73, false}},   // RO (Brazilian / Japanese slash)
    {92, {0x79, false}},   // Henkan
    {93, {0x70, false}},   // Katakana/Hiragana
    {94, {0x7B, false}},   // Muhenkan
    {96, {0x1C, true}},    // keypad Enter
    {97, {0x1D, true}},    // right Ctrl
    {98, {0x35, true}},    // keypad /
    {99, {0x37, true}},    // SysRq / Print Screen
    {100, {0x38, true}},   // right Alt
    {102, {0x47, true}},   // Home
    {103, {0x48, true}},   // Up
    {104, {0x49, true}},   // Page Up
    {105, {0x4B, true}},   // Left
    {106, {0x4D, true}},   // Right
    {107, {0x4F, true}},   // End
    {108, {0x50, true}},   // Down
    {109, {0x51, true}},   // Page Down
    {110, {0x52, true}},   // Insert
    {111, {0x53, true}},   // Delete
    {119, {0x45, false}},  // Pause
    {121, {0x7E, false}},  // keypad comma
    {122, {0x72, false}},  // Hangul
    {123, {0x71, false}},  // Hanja
    {124, {0x7D, false}},  // Yen
    {125, {0x5B, true}},   // left Super
    {126, {0x5C, true}},   // right Super
    {127, {0x5D, true}},   // Menu
};

}  // namespace

std::optional<ScanCode> ScanCodeOfEvdev(uint32_t evdevCode) {
  if (evdevCode == kNumLock) return ScanCode{0x45, true};
  if (evdevCode == kRightShift) return ScanCode{0x36, true};
  if (evdevCode >= 1 && evdevCode <= kLastDirectCode) return ScanCode{static_cast<uint8_t>(evdevCode), false};
  for (const EvdevRow& row : kTable) {
    if (row.evdev == evdevCode) return row.code;
  }
  return std::nullopt;
}
