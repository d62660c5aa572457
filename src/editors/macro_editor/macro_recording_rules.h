#pragma once
#include <cstdint>
#include <functional>
#include <optional>

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
// remembers the last event, so the same event twice in a row is recorded once.
class CRepeatFilter {
 public:
  bool TakeKey(const CapturedKey& key);
  bool TakeButton(const CapturedMouseButton& button);

 private:
  std::optional<CapturedKey> heldKey_;
  std::optional<CapturedMouseButton> lastButton_;
};

// The pause between recorded events, in milliseconds.
class CDelayClock {
 public:
  using Now = std::function<uint64_t()>;
  // `now` gives milliseconds of a monotonic clock; by default the steady clock's.
  explicit CDelayClock(Now now = {});
  // A recording begins: its first pause counts from now.
  void Restart();
  // The pause before the event that arrives now, by the mode: the measured time since the last
  // event (10 at least, 65535 at most; the clock then counts from now), the constant, or 0.
  uint32_t Take(DelayMode mode, uint32_t constant);

 private:
  Now now_;
  uint64_t last_ = 0;
};

}  // namespace macro_recording
