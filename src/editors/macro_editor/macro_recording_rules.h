#pragma once
#include <cstdint>
#include <optional>

#include "platform/clock.h"
#include "platform/input_capture/input_capture.h"
#include "profiles/macros/macro_event.h"

// What a recording turns captured input into, apart from the page: the event of a keystroke or a
// mouse button, the filter that keeps a held key's auto-repeat out, and the delays.
namespace macro_recording {

// Where recorded events go: after the last row, in front of the selected row, after it, or into it.
enum class Placement { kAppend, kBefore, kAfter, kReplace };
// How the delay before each recorded event is taken.
enum class DelayMode { kMeasured = 1, kConstant = 2, kNone = 3 };

// A key of the recordable rows of the key table, by scan code and extended flag: a modifier gives
// type 9 with its bit, any other key type 10 with its HID usage. Nothing for keys not in the table.
std::optional<MacroEvent> EventOfKey(const CapturedKey& key);
// One of the five buttons: type 1 with its bit. Nothing for any other bit.
std::optional<MacroEvent> EventOfButton(const CapturedMouseButton& button);

// A held key repeats its press; only the first press and the release are recorded. The mouse
// remembers the last event, so the same event twice in a row is recorded once. Each recording
// starts with an empty memory: a key or button still down when the last one stopped is new.
class CRepeatFilter {
 public:
  bool TakeKey(const CapturedKey& key);
  bool TakeButton(const CapturedMouseButton& button);
  void Forget();

 private:
  std::optional<CapturedKey> heldKey_;
  std::optional<CapturedMouseButton> lastButton_;
};

// The pause between recorded events, in milliseconds.
class CDelayClock {
 public:
  explicit CDelayClock(IClock& clock = SystemClock()) : clock_(&clock) {}
  // A recording begins: its first pause counts from now.
  void Restart();
  // The pause before the event that arrives now, by the mode: the measured time since the last
  // event (10 at least, 65535 at most; the clock then counts from now), the constant, or 0.
  uint32_t Take(DelayMode mode, uint32_t constant);

 private:
  IClock* clock_;
  uint64_t last_ = 0;
};

}  // namespace macro_recording
