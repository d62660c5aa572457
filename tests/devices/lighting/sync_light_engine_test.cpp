// The shared lighting's thread on virtual time: who receives the colour words, in which order, at
// which pace, and that it sleeps while nobody takes part.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "devices/lighting/light_preview.h"
#include "devices/lighting/sync_light_engine.h"
#include "support/test_clock.h"

namespace {

// The order in which the devices received their first entry of a step.
class CHandOutLog {
 public:
  void Add(const std::string& name) {
    std::lock_guard<std::mutex> guard(mutex_);
    names_.push_back(name);
  }
  std::vector<std::string> Names() {
    std::lock_guard<std::mutex> guard(mutex_);
    return names_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> names_;
};

class CFakeDevice : public ISyncLightParticipant {
 public:
  CFakeDevice(std::string name, CHandOutLog& log, size_t entries = 3) : name_(std::move(name)), log_(log), words_(entries) {}

  bool IsSyncChannelOpen() override { return open.load(); }
  bool IsSyncSameMode() override { return sameMode.load(); }
  size_t SyncLightEntryCount() override { return words_.size(); }
  void SetSyncLightEntry(size_t index, uint32_t word) override {
    if (index == 0) log_.Add(name_);
    std::lock_guard<std::mutex> guard(mutex_);
    words_.at(index) = word;
    ++calls_;
  }
  std::vector<uint32_t> Words() {
    std::lock_guard<std::mutex> guard(mutex_);
    return words_;
  }
  int Calls() {
    std::lock_guard<std::mutex> guard(mutex_);
    return calls_;
  }

  std::atomic<bool> open{true};
  std::atomic<bool> sameMode{false};

 private:
  std::string name_;
  CHandOutLog& log_;
  std::mutex mutex_;
  std::vector<uint32_t> words_;
  int calls_ = 0;
};

bool WaitFor(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

constexpr SyncLightSettings kSteadyRed = {1, 4, 0, 0, 0, {255, 0, 0}};  // 28 ticks a step
constexpr uint32_t kSteadyRedWord = 0xC00000FFu;

class SyncLightEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine_.AddParticipant(CSyncLightEngine::Kind::kKeyboard, &keyboard_);
    engine_.AddParticipant(CSyncLightEngine::Kind::kMouse, &mouse_);
    engine_.AddParticipant(CSyncLightEngine::Kind::kHeadset, &headset_);
    engine_.AddParticipant(CSyncLightEngine::Kind::kMousePad, &pad_);
    engine_.SetEffectSettings(kSteadyRed);
    engine_.Start();
  }
  void TearDown() override { engine_.Stop(); }

  // Moves the time on once the engine sleeps, and waits until it sleeps again after `steps` steps.
  void AdvanceExpectingSteps(uint32_t ms, uint64_t steps) {
    ASSERT_TRUE(WaitFor([&] { return clock_.Waiters() == 1; }));
    clock_.Advance(ms);
    ASSERT_TRUE(WaitFor([&] { return engine_.Steps() == steps && clock_.Waiters() == 1; }))
        << "steps " << engine_.Steps() << ", expected " << steps;
  }

  void TakePart(std::initializer_list<CFakeDevice*> devices) {
    for (CFakeDevice* device : devices) device->sameMode = true;
    engine_.Wake();
    ASSERT_TRUE(WaitFor([&] { return engine_.IsActive() && clock_.Waiters() == 1; }));
  }

  CTestClock clock_;
  CHandOutLog log_;
  CFakeDevice mouse_{"mouse", log_}, keyboard_{"keyboard", log_, 5}, pad_{"pad", log_}, headset_{"headset", log_};
  CSyncLightEngine engine_{clock_};
};

TEST_F(SyncLightEngineTest, WithoutFlagsItSleepsAndTouchesNoDevice) {
  AdvanceExpectingSteps(60'000, 0);
  EXPECT_EQ(mouse_.Calls() + keyboard_.Calls() + pad_.Calls() + headset_.Calls(), 0);
}

TEST_F(SyncLightEngineTest, HandsOutToFlaggedDevicesMiceFirstKeyboardsLast) {
  TakePart({&keyboard_, &mouse_, &headset_});
  pad_.open = false;
  pad_.sameMode = true;  // closed, but flagged: still receives the colour
  AdvanceExpectingSteps(28 * kLightTickMs, 1);
  EXPECT_EQ(log_.Names(), (std::vector<std::string>{"mouse", "pad", "headset", "keyboard"}));
  EXPECT_EQ(keyboard_.Words(), std::vector<uint32_t>(5, kSteadyRedWord)) << "every entry";
  EXPECT_EQ(mouse_.Words(), std::vector<uint32_t>(3, kSteadyRedWord));
}

TEST_F(SyncLightEngineTest, UnflaggedDevicesKeepTheirOwnLights) {
  TakePart({&headset_});
  AdvanceExpectingSteps(28 * kLightTickMs, 1);
  EXPECT_EQ(log_.Names(), std::vector<std::string>{"headset"});
  EXPECT_EQ(mouse_.Calls(), 0);
}

TEST_F(SyncLightEngineTest, PacesStepsBySpeedAndLosesNone) {
  struct Case {
    uint8_t speed;
    uint32_t ticks;
  };
  const Case cases[] = {{0, 28}, {4, 7}, {5, 1}, {12, 1}};
  TakePart({&mouse_});
  uint64_t steps = 0;
  for (const Case& c : cases) {
    SyncLightSettings settings = kSteadyRed;
    settings.speedLevel = c.speed;
    engine_.SetEffectSettings(settings);
    // A step one tick short of due does not run; the rest of the period brings exactly one.
    for (int i = 0; i < 3; ++i) {
      if (c.ticks > 1) AdvanceExpectingSteps((c.ticks - 1) * kLightTickMs, steps);
      AdvanceExpectingSteps(kLightTickMs, ++steps);
    }
  }
  EXPECT_EQ(engine_.LostSteps(), 0u);
}

TEST_F(SyncLightEngineTest, AClosedDeviceAloneDoesNotKeepItRunning) {
  TakePart({&mouse_});
  AdvanceExpectingSteps(28 * kLightTickMs, 1);
  mouse_.open = false;
  AdvanceExpectingSteps(10 * 28 * kLightTickMs, 1);
  EXPECT_TRUE(WaitFor([&] { return !engine_.IsActive(); }));
  mouse_.open = true;
  TakePart({&mouse_});
  AdvanceExpectingSteps(28 * kLightTickMs, 2);
}

TEST_F(SyncLightEngineTest, ClearedFlagsStopTheSteps) {
  TakePart({&mouse_, &pad_});
  AdvanceExpectingSteps(28 * kLightTickMs, 1);
  mouse_.sameMode = false;
  pad_.sameMode = false;
  AdvanceExpectingSteps(60'000, 1);
  EXPECT_TRUE(WaitFor([&] { return !engine_.IsActive(); }));
}

TEST_F(SyncLightEngineTest, AnUnknownEffectRunsNothing) {
  SyncLightSettings settings = kSteadyRed;
  settings.effect = 5;
  engine_.SetEffectSettings(settings);
  mouse_.sameMode = true;
  engine_.Wake();
  AdvanceExpectingSteps(60'000, 0);
  EXPECT_FALSE(engine_.IsActive());
  EXPECT_EQ(mouse_.Calls(), 0);
}

TEST_F(SyncLightEngineTest, DevicesAddedWhileRunningJoinTheNextStep) {
  TakePart({&mouse_});
  CFakeDevice second("second mouse", log_);
  second.sameMode = true;
  engine_.AddParticipant(CSyncLightEngine::Kind::kMouse, &second);
  AdvanceExpectingSteps(28 * kLightTickMs, 1);
  EXPECT_EQ(second.Words(), std::vector<uint32_t>(3, kSteadyRedWord));
  engine_.Stop();
}

TEST(SyncLightEngineStop, StopsAtOnceWhileIdleOrRunning) {
  CTestClock clock;
  CHandOutLog log;
  CFakeDevice mouse("mouse", log);
  CSyncLightEngine engine(clock);
  engine.AddParticipant(CSyncLightEngine::Kind::kMouse, &mouse);
  engine.Start();
  ASSERT_TRUE(WaitFor([&] { return clock.Waiters() == 1; }));
  engine.Stop();
  EXPECT_FALSE(engine.IsRunning());
  mouse.sameMode = true;
  engine.Start();
  ASSERT_TRUE(WaitFor([&] { return clock.Waiters() == 1; }));
  engine.Stop();
  EXPECT_FALSE(engine.IsRunning());
}

}  // namespace
