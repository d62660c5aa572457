#include "editors/macro_editor/macro_recording_rules.h"

#include "editors/macro_editor/macro_action_rules.h"
#include "profiles/keys/key_table.h"

namespace macro_recording {

std::optional<MacroEvent> EventOfKey(const CapturedKey& key) {
  const KeyTableRow* row = FindKeyByScanCode(key.scan, key.extended);
  if (!row) return std::nullopt;
  MacroEvent event;
  // Modifier rows have no usage of their own; their p1 is the bit.
  if (row->p2 != 0) {
    event.Type = kMacroEventKey;
    event.Button = row->p2;
  } else {
    event.Type = kMacroEventModifierKey;
    event.Button = row->p1;
  }
  event.Down = key.down;
  return event;
}

std::optional<MacroEvent> EventOfButton(const CapturedMouseButton& button) {
  using namespace macro_actions;
  switch (button.button) {
    case kLeftButton:
    case kRightButton:
    case kMiddleButton:
    case kBackButton:
    case kForwardButton:
      return MouseButtonEvent(button.button, button.down);
    default:
      return std::nullopt;
  }
}

bool CRepeatFilter::TakeKey(const CapturedKey& key) {
  const bool held = heldKey_ && heldKey_->scan == key.scan && heldKey_->extended == key.extended;
  if (key.down) {
    if (held) return false;
    heldKey_ = key;
    return true;
  }
  if (held) heldKey_.reset();
  return true;
}

void CRepeatFilter::Forget() {
  heldKey_.reset();
  lastButton_.reset();
}

bool CRepeatFilter::TakeButton(const CapturedMouseButton& button) {
  if (lastButton_ && lastButton_->button == button.button && lastButton_->down == button.down) return false;
  lastButton_ = button;
  return true;
}

void CDelayClock::Restart() { last_ = clock_->NowMs(); }

uint32_t CDelayClock::Take(DelayMode mode, uint32_t constant) {
  switch (mode) {
    case DelayMode::kMeasured: {
      const uint64_t now = clock_->NowMs();
      const uint64_t elapsed = now >= last_ ? now - last_ : 0;
      last_ = now;
      if (elapsed > macro_actions::kMaxDelay - 1) return macro_actions::kMaxDelay;
      if (elapsed <= macro_actions::kMinDelay) return macro_actions::kMinDelay;
      return static_cast<uint32_t>(elapsed);
    }
    case DelayMode::kConstant:
      return constant;
    case DelayMode::kNone:
      return 0;
  }
  return 0;
}

}  // namespace macro_recording
