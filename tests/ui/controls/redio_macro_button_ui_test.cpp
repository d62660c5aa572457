#include "ui/controls/redio_macro_button_ui.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls_harness.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui_test_environment.h"

namespace {

class RecordButton : public testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    button = static_cast<CRedioMacroButtonUI*>(BuildInto(
        manager, "<RedioMacroButton name='rec' redioimage='RECORD_DOT' normalimage='common/record_dot.svg'/>"));
    ASSERT_NE(button, nullptr);
  }
  // One tick of the pulse timer, as the paint manager delivers it.
  void Tick() {
    TEventUI event;
    event.Type = UIEVENT_TIMER;
    event.pSender = button;
    event.wParam = CRedioMacroButtonUI::kPulseTimerId;
    button->Event(event);
  }

  CPaintManagerUI manager;
  CRedioMacroButtonUI* button = nullptr;
};

}  // namespace

TEST_F(RecordButton, PulseFadesDownToEightyAndBackUpInStepsOfTwenty) {
  button->StartPulse();
  std::vector<int> seen{button->GetFadeValue()};
  for (int i = 0; i < 20; ++i) {
    Tick();
    seen.push_back(button->GetFadeValue());
  }
  const std::vector<int> expected{255, 235, 215, 195, 175, 155, 135, 115, 95, 80, 100,
                                  120, 140, 160, 180, 200, 220, 240, 255, 235, 215};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(button->GetNormalImage(), "res='RECORD_DOT' fade='215'");
}

TEST_F(RecordButton, PulseRunsOnControlTimerHundredAndStopsChangingWhenStopped) {
  button->StartPulse();
  EXPECT_TRUE(manager.HasTimer(button, CRedioMacroButtonUI::kPulseTimerId));
  Tick();
  Tick();
  button->StopPulse();
  EXPECT_FALSE(manager.HasTimer(button, CRedioMacroButtonUI::kPulseTimerId));
  const CDuiString image = button->GetNormalImage();
  Tick();
  EXPECT_EQ(button->GetFadeValue(), 215) << "a tick that was already queued changes nothing";
  EXPECT_EQ(button->GetNormalImage(), image);
}

TEST_F(RecordButton, WithoutARecordImageTheTimerChangesNothing) {
  CPaintManagerUI other;
  auto* plain = static_cast<CRedioMacroButtonUI*>(BuildInto(other, "<RedioMacroButton normalimage='a.svg'/>"));
  plain->StartPulse();
  TEventUI event;
  event.Type = UIEVENT_TIMER;
  event.wParam = CRedioMacroButtonUI::kPulseTimerId;
  plain->Event(event);
  EXPECT_EQ(plain->GetFadeValue(), 255);
  EXPECT_EQ(plain->GetNormalImage(), "a.svg");
}
