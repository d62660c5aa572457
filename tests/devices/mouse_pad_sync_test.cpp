// The mouse and the mouse pad in step: the shared lighting's thread, on virtual time, writes one
// colour word into every light entry of both devices on each of its steps, and a device that
// leaves runs its own effect again.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "devices/lighting/sync_light_engine.h"
#include "mouse_rig.h"
#include "pad_rig.h"
#include "support/test_clock.h"

namespace {

bool WaitFor(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Every entry of `entries` packs to the same word; that word, or nothing when they differ.
std::optional<uint32_t> OneWord(const std::vector<LightEntry>& entries) {
  if (entries.empty()) return std::nullopt;
  const uint32_t word = PackLightEntry(entries.front());
  for (const LightEntry& entry : entries) {
    if (PackLightEntry(entry) != word) return std::nullopt;
  }
  return word;
}

constexpr uint8_t kSpectrum = 3;
constexpr uint8_t kFastest = 4;  // 7 ticks a step

class MouseAndPadInStep : public testing::Test {
 protected:
  void SetUp() override {
    mouse.AttachAndRead();
    pad.AttachAndRead();
    engine.AddParticipant(CSyncLightEngine::Kind::kMouse, &mouse.Device());
    engine.AddParticipant(CSyncLightEngine::Kind::kMousePad, &pad.Device());
    engine.SetEffectSettings({kSpectrum, 4, kFastest, 1, 0, {}});
    engine.Start();
  }
  void TearDown() override { engine.Stop(); }

  void Step(uint64_t steps) {
    ASSERT_TRUE(WaitFor([&] { return clock.Waiters() == 1; }));
    clock.Advance(7 * kLightTickMs);
    ASSERT_TRUE(WaitFor([&] { return engine.Steps() == steps && clock.Waiters() == 1; }))
        << "steps " << engine.Steps() << ", expected " << steps;
  }

  MouseRig mouse{"mouse"};
  PadRig pad;
  CTestClock clock;  // the engine's own
  CSyncLightEngine engine{clock};
};

}  // namespace

TEST_F(MouseAndPadInStep, EveryStepGivesBothDevicesTheSameWord) {
  mouse.Device().Channel().SetSameMode(1);
  pad.Device().Channel().SetSameMode(1);
  engine.Wake();
  ASSERT_TRUE(WaitFor([&] { return engine.IsActive(); }));

  std::optional<uint32_t> previous;
  for (uint64_t step = 1; step <= 6; ++step) {
    Step(step);
    const std::optional<uint32_t> mouseWord = OneWord(mouse.Device().LightEntries());
    const std::optional<uint32_t> padWord = OneWord(pad.Device().LightEntries());
    ASSERT_TRUE(mouseWord && padWord) << "step " << step << ": every entry of a device carries the step's word";
    EXPECT_EQ(*mouseWord, *padWord) << "step " << step;
    EXPECT_NE(mouseWord, previous) << "the spectrum moves on at each step";
    previous = mouseWord;
  }
  EXPECT_EQ(engine.LostSteps(), 0u);
}

TEST_F(MouseAndPadInStep, APadThatLeavesRunsItsOwnEffectAndTheMouseStaysInStep) {
  mouse.Device().Channel().SetSameMode(1);
  pad.Device().Channel().SetSameMode(1);
  engine.Wake();
  ASSERT_TRUE(WaitFor([&] { return engine.IsActive(); }));
  Step(1);

  pad.Device().LeaveSharedLighting();
  const std::vector<LightEntry> padBefore = pad.Device().LightEntries();
  Step(2);
  EXPECT_EQ(pad.Device().LightEntries(), padBefore) << "the engine no longer writes the pad";
  // Its own light thread takes over: the wave steps on the pad's own clock.
  LightInfoRecord wave = pad.Device().GetLightInfo();
  wave.SelectItem = 0;
  wave.Speed = 4;
  pad.Device().SetLightInfo(wave);
  const uint64_t padSteps = pad.Device().LightSteps();
  EXPECT_TRUE(WaitFor([&] {
    pad.Clock().Advance(7 * kLightTickMs);
    return pad.Device().LightSteps() > padSteps + 2;
  })) << "the pad's own effect runs again";
  EXPECT_TRUE(OneWord(mouse.Device().LightEntries()).has_value());
}
