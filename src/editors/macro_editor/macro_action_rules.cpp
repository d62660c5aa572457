#include "editors/macro_editor/macro_action_rules.h"

#include <algorithm>
#include <cctype>

#include "profiles/keys/key_table.h"

namespace macro_actions {

namespace {

constexpr const char* kAboveRangeNotice = "message_text_38";
constexpr const char* kBelowRangeNotice = "message_text_36";

// The names of mouse buttons and pointer moves shown in rows.
struct ButtonName {
  uint32_t button;
  const char* key;
};
constexpr ButtonName kButtonNames[] = {
    {kLeftButton, "macro_event_mouse_left"},       {kRightButton, "macro_event_mouse_right"},
    {kMiddleButton, "macro_event_mouse_middle"},   {kForwardButton, "macro_event_mouse_forward"},
    {kBackButton, "macro_event_mouse_back"},
};
constexpr const char* kMoveLeftName = "mouse_move_to_left_text";
constexpr const char* kMoveRightName = "mouse_move_to_right_text";
constexpr const char* kMoveUpName = "mouse_move_to_up_text";
constexpr const char* kMoveDownName = "mouse_move_to_down_text";

uint64_t DecimalValue(std::string_view text) {
  uint64_t value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(c - '0'), UINT32_MAX);
  }
  return value;
}

}  // namespace

uint32_t ShownDelay(uint32_t stored) { return std::clamp(stored, kMinDelay, kMaxDelay); }

uint32_t DelayOfText(std::string_view text) { return static_cast<uint32_t>(DecimalValue(text)); }

EventName NameOfEvent(const MacroEvent& event) {
  switch (event.Type) {
    case kMacroEventKey: {
      const KeyTableRow* row = event.Button <= 0xFF ? FindKeyByUsage(static_cast<uint8_t>(event.Button)) : nullptr;
      return {row ? row->nameKey : nullptr, true};
    }
    case kMacroEventModifierKey: {
      const KeyTableRow* row = event.Button <= 0xFF ? FindModifierByBit(static_cast<uint8_t>(event.Button)) : nullptr;
      return {row ? row->nameKey : nullptr, true};
    }
    case kMacroEventMouseButton:
      for (const ButtonName& name : kButtonNames) {
        if (name.button == event.Button) return {name.key, false};
      }
      return {};
    case kMacroEventMoveX:
      return {event.Down ? kMoveLeftName : kMoveRightName, false};
    case kMacroEventMoveY:
      return {event.Down ? kMoveUpName : kMoveDownName, false};
    default:
      return {};
  }
}

bool IsPointerMove(const MacroEvent& event) {
  return event.Type == kMacroEventMoveX || event.Type == kMacroEventMoveY;
}

bool ShowsActionAsText(const MacroEvent& event) { return event.Type >= 2 && event.Type <= 5; }

uint32_t MoveDistanceOfText(std::string_view text) {
  // The whole decimal value, not a saturated one, so that 300 keeps its low byte 44.
  uint64_t value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    value = (value * 10 + static_cast<uint64_t>(c - '0')) & 0xFFFFFFFFu;
  }
  return static_cast<uint32_t>(value & 0xFF);
}

MacroEvent PointerMoveEvent(MoveDirection direction, uint32_t distance) {
  MacroEvent event;
  const bool horizontal = direction == MoveDirection::kLeft || direction == MoveDirection::kRight;
  event.Type = horizontal ? kMacroEventMoveX : kMacroEventMoveY;
  event.Down = direction == MoveDirection::kLeft || direction == MoveDirection::kUp;
  event.Button = distance & 0xFF;
  return event;
}

MacroEvent MouseButtonEvent(uint32_t button, bool down) {
  MacroEvent event;
  event.Type = kMacroEventMouseButton;
  event.Button = button;
  event.Down = down;
  return event;
}

std::optional<int> MovedRowIndex(RowMove move, int selected, int count) {
  if (selected < 0 || selected >= count) return std::nullopt;
  const bool first = selected == 0;
  const bool last = selected == count - 1;
  switch (move) {
    case RowMove::kToTop:
      return first ? std::nullopt : std::optional<int>(0);
    case RowMove::kUp:
      return first ? std::nullopt : std::optional<int>(selected - 1);
    case RowMove::kDown:
      return last ? std::nullopt : std::optional<int>(selected + 1);
    case RowMove::kToBottom:
      return last ? std::nullopt : std::optional<int>(count - 1);
  }
  return std::nullopt;
}

int InsertedRowIndex(int selected, int count) {
  return selected >= 0 && selected < count ? selected + 1 : 0;
}

ConstantDelayReading ReadConstantDelay(std::string_view text, uint32_t current) {
  ConstantDelayReading reading;
  const uint64_t typed = DecimalValue(text);
  reading.value = current;
  if (typed == current) return reading;
  reading.changed = true;
  if (typed > kMaxDelay) {
    reading.value = kMaxDelay;
    reading.notice = kAboveRangeNotice;
  } else if (typed < kMinDelay) {
    reading.value = kMinDelay;
    reading.notice = kBelowRangeNotice;
  } else {
    reading.value = static_cast<uint32_t>(typed);
  }
  return reading;
}

}  // namespace macro_actions
