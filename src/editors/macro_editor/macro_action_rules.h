#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "profiles/macros/macro_event.h"

// The macro editor's rules for its action rows, apart from any control: what a row shows, how a
// delay is kept in range, where moved and inserted rows go.
namespace macro_actions {

inline constexpr uint32_t kMinDelay = 10;
inline constexpr uint32_t kMaxDelay = 65535;
// The delay a new inserted row gets until a constant-delay recording reads the edit.
inline constexpr uint32_t kInitialConstantDelay = 50;
// A delay edit holds at most this many characters.
inline constexpr int kDelayEditChars = 6;

// The delay a row built from a file shows: 10 or less shows 10, 65535 or more shows 65535.
uint32_t ShownDelay(uint32_t stored);

// The decimal value of a delay edit's text; an empty or non-numeric text is 0, a value beyond
// 32 bits saturates. (The editor then saves the value as it is; the device field keeps 16 bits.)
uint32_t DelayOfText(std::string_view text);

// A row of the names' table: the language key of its name (null: the row has no name) and whether
// it is drawn as a key of the keyboard.
struct EventName {
  const char* key = nullptr;
  bool keyboard = false;
};
EventName NameOfEvent(const MacroEvent& event);

// The action label of a row: the distance for a pointer move, else no text (its style shows the
// direction).
bool IsPointerMove(const MacroEvent& event);
bool ShowsActionAsText(const MacroEvent& event);

// The mouse buttons an inserted or recorded event may name, by their bit.
inline constexpr uint32_t kLeftButton = 0x01;
inline constexpr uint32_t kRightButton = 0x02;
inline constexpr uint32_t kMiddleButton = 0x04;
inline constexpr uint32_t kBackButton = 0x08;
inline constexpr uint32_t kForwardButton = 0x10;

// The distance a move edit's text gives: its decimal value, kept to its low 8 bits (300 → 44).
uint32_t MoveDistanceOfText(std::string_view text);

enum class MoveDirection { kLeft, kRight, kUp, kDown };
MacroEvent PointerMoveEvent(MoveDirection direction, uint32_t distance);
MacroEvent MouseButtonEvent(uint32_t button, bool down);

// Where a moved row goes, or nothing when the move does not apply (no selection, the first row
// moved up, the last moved down).
enum class RowMove { kToTop, kUp, kDown, kToBottom };
std::optional<int> MovedRowIndex(RowMove move, int selected, int count);

// Where an inserted row goes: after the selected row, or at the top when there is none.
int InsertedRowIndex(int selected, int count);

// The constant delay typed in its edit, kept in range, and the notice that says it was changed.
struct ConstantDelayReading {
  uint32_t value = kInitialConstantDelay;
  const char* notice = nullptr;  // "message_text_38" above the range, "message_text_36" below
  bool changed = false;          // differs from the value held before
};
ConstantDelayReading ReadConstantDelay(std::string_view text, uint32_t current);

}  // namespace macro_actions
