// The mouse's light thread on virtual time: the pace of every step, and no steps where nobody
// would see one (a still frame, a hidden window, the shared lighting).
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "devices/device_messages.h"
#include "mouse_rig.h"
#include "ui_test_environment.h"

namespace {

constexpr int kStaticMode = 0;
constexpr int kBreathingMode = 1;

bool WaitFor(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

class MouseLightThread : public testing::Test {
 protected:
  void SetUp() override {
    rig.AttachAndRead();
    ASSERT_TRUE(rig.Device().IsLightThreadRunning());
    // The thread has taken its start time and waits for its first step.
    ASSERT_TRUE(WaitFor([&] { return rig.Clock().Waiters() == 1; }));
  }

  // Moves the virtual time on once the light thread sleeps, and waits until it sleeps again with
  // `steps` steps run in all.
  void Advance(uint32_t ms, uint64_t steps) {
    ASSERT_TRUE(WaitFor([&] { return rig.Clock().Waiters() == 1; }));
    rig.Clock().Advance(ms);
    ASSERT_TRUE(WaitFor([&] { return rig.Device().LightSteps() == steps && rig.Clock().Waiters() == 1; }))
        << rig.Device().LightSteps() << " steps, expected " << steps;
  }

  // After a change that ends a rest: the thread has started its wait for the next step.
  void WaitUntilPacing() {
    ASSERT_TRUE(WaitFor([&] { return !rig.Device().IsLightThreadResting() && rig.Clock().Waiters() == 1; }));
  }

  MouseRig rig{"mouse"};
};

}  // namespace

TEST_F(MouseLightThread, BreathingStepsOncePerItsSpeedsTicks) {
  struct Case {
    int speed;
    uint32_t ticks;
  };
  const Case cases[] = {{0, 15}, {1, 11}, {2, 8}, {3, 5}, {4, 2}, {7, 1}};
  uint64_t steps = rig.Device().LightSteps();
  for (const Case& c : cases) {
    rig.Device().SetLightEffect(kBreathingMode, c.speed, 4, 0xFFFFFF);
    for (int i = 0; i < 3; ++i) {
      if (c.ticks > 1) Advance((c.ticks - 1) * kLightTickMs, steps);
      Advance(kLightTickMs, ++steps);
    }
  }
}

TEST_F(MouseLightThread, AStaticEffectStepsOnceThenSleepsUntilItChanges) {
  rig.Device().SetLightEffect(kStaticMode, 0, 4, 0x0000FF);
  WaitUntilPacing();
  const uint64_t steps = rig.Device().LightSteps();
  Advance(15 * kLightTickMs, steps + 1);
  EXPECT_EQ(rig.Device().LightEntries().front(), (LightEntry{255, 0, 0, 192}));
  Advance(60'000, steps + 1);
  EXPECT_TRUE(WaitFor([&] { return rig.Device().IsLightThreadResting(); }));

  // The frame goes to the zones once, then the push timer stops.
  ASSERT_TRUE(PumpUntil([&] { return rig.Tile().IsArmed(kTimerPushLightPreview); }));
  rig.FireTimer(kTimerPushLightPreview);
  EXPECT_TRUE(rig.Tile().IsArmed(kTimerPushLightPreview));
  rig.FireTimer(kTimerPushLightPreview);
  EXPECT_FALSE(rig.Tile().IsArmed(kTimerPushLightPreview)) << "nothing new to push";

  rig.Device().SetLightEffect(kStaticMode, 0, 4, 0x00FF00);
  WaitUntilPacing();
  Advance(15 * kLightTickMs, steps + 2);
  EXPECT_EQ(rig.Device().LightEntries().front(), (LightEntry{0, 255, 0, 192}));
  EXPECT_TRUE(PumpUntil([&] { return rig.Tile().IsArmed(kTimerPushLightPreview); })) << "a new frame re-arms the push";
}

TEST_F(MouseLightThread, AHiddenWindowStopsTheStepsUntilShown) {
  rig.Device().SetLightEffect(kBreathingMode, 4, 4, 0xFFFFFF);
  const uint64_t steps = rig.Device().LightSteps();
  rig.Device().SetWindowHidden(true);
  Advance(60'000, steps);
  EXPECT_TRUE(WaitFor([&] { return rig.Device().IsLightThreadResting(); }));
  rig.Device().SetWindowHidden(false);
  WaitUntilPacing();
  Advance(2 * kLightTickMs, steps + 1);
}

TEST_F(MouseLightThread, TheSharedLightingReplacesTheOwnSteps) {
  rig.Device().SetLightEffect(kBreathingMode, 4, 4, 0xFFFFFF);
  const uint64_t steps = rig.Device().LightSteps();
  rig.Device().Channel().SetSameMode(1);
  rig.Device().LightPreview().Poke();
  Advance(60'000, steps);
  EXPECT_TRUE(WaitFor([&] { return rig.Device().IsLightThreadResting(); }));

  const size_t count = rig.Device().SyncLightEntryCount();
  ASSERT_GT(count, 0u);
  for (size_t i = 0; i < count; ++i) rig.Device().SetSyncLightEntry(i, 0xC0FF0000u);
  EXPECT_EQ(rig.Device().LightEntries().back(), (LightEntry{0, 0, 255, 192}));
  ASSERT_TRUE(PumpUntil([&] { return rig.Tile().IsArmed(kTimerPushLightPreview); }));
  rig.FireTimer(kTimerPushLightPreview);
  EXPECT_GT(rig.Tile().previewRepaints, 0);

  rig.Device().LeaveSharedLighting();
  WaitUntilPacing();
  Advance(2 * kLightTickMs, steps + 1);
}
