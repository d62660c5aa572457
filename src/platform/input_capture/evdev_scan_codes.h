#pragma once
#include <cstdint>
#include <optional>

// A Linux input key code (evdev) as the PC set-1 scan code with its extended (E0) flag, the form
// the key table knows keys by. Codes 1–88 are the set-1 codes themselves; the keys a PC keyboard
// sends with an E0 prefix, and a few keys of Japanese, Korean and Brazilian layouts, come from a
// table. Num Lock and Pause share scan code 45, Num Lock with the extended flag, and right Shift
// carries the extended flag too, as the key table has them. Nothing for a code without a set-1 key.
struct ScanCode {
  uint8_t scan = 0;
  bool extended = false;
  bool operator==(const ScanCode&) const = default;
};

std::optional<ScanCode> ScanCodeOfEvdev(uint32_t evdevCode);

// X11 (and Qt's native scan code on X11 and Wayland) numbers keys as evdev code + 8.
inline constexpr uint32_t kX11KeycodeOffset = 8;
