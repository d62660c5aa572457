// The scan loop against virtual devices: what the main window is told, and when.

#include "transport/device_scanner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <set>

#include "platform/clock.h"
#include "sim/simulation.h"
#include "sim/standard_device_layouts.h"
#include "support/test_clock.h"

namespace {

struct ScanEvent {
  char what;  // 'A' arrival, 'R' removal
  size_t slot;
  std::string path;
  bool operator==(const ScanEvent& other) const { return what == other.what && slot == other.slot; }
};

void PrintTo(const ScanEvent& event, std::ostream* out) { *out << event.what << event.slot; }

class RecordingSink : public IDeviceScanSink {
 public:
  void OnDeviceArrival(size_t slot, const DeviceEntry& entry, CEvent&) override {
    EXPECT_EQ(entry.Connected, 1);
    EXPECT_FALSE(entry.DevicePath.empty());
    std::lock_guard guard(mutex_);
    events_.push_back({'A', slot, entry.DevicePath});
  }
  void OnDeviceRemove(size_t slot, const DeviceEntry& entry, CEvent&) override {
    EXPECT_TRUE(entry.IsFree());
    std::lock_guard guard(mutex_);
    events_.push_back({'R', slot, {}});
  }
  void PostFirstScanComplete() override { ++firstScanNotices; }
  void OnInaccessibleInterfaces(bool present) override {
    std::lock_guard guard(mutex_);
    inaccessibleNotices_.push_back(present);
  }
  std::vector<bool> TakeInaccessibleNotices() {
    std::lock_guard guard(mutex_);
    return std::exchange(inaccessibleNotices_, {});
  }

  std::vector<ScanEvent> Take() {
    std::lock_guard guard(mutex_);
    return std::exchange(events_, {});
  }
  std::atomic<int> firstScanNotices{0};

 private:
  std::mutex mutex_;
  std::vector<ScanEvent> events_;
  std::vector<bool> inaccessibleNotices_;
};

// Forwards to the virtual devices, counting enumerations and refusing chosen opens.
class InstrumentedBackend : public IHidBackend {
 public:
  explicit InstrumentedBackend(IHidBackend& inner) : inner_(inner) {}
  bool EnumerateInterfaces(std::vector<std::string>& paths) override {
    ++enumerations;
    return !failEnumeration && inner_.EnumerateInterfaces(paths);
  }
  std::shared_ptr<IHidConnection> Open(const std::string& path, const HidOpenMode& mode,
                                       HidOpenError* error) override {
    if (deniedOpens > 0) {
      --deniedOpens;
      *error = HidOpenError::AccessDenied;
      return nullptr;
    }
    return inner_.Open(path, mode, error);
  }
  bool IsPresent(const std::string& path) override {
    ++presenceChecks;
    return inner_.IsPresent(path);
  }
  uint64_t ChangeGeneration() override { return inner_.ChangeGeneration(); }
  bool SetChangeListener(std::function<void()> listener) override {
    return tellsOfChanges && inner_.SetChangeListener(std::move(listener));
  }

  std::atomic<int> presenceChecks{0};  // one per claimed slot and pass
  bool tellsOfChanges = true;
  int enumerations = 0;
  bool failEnumeration = false;
  int deniedOpens = 0;

 private:
  IHidBackend& inner_;
};

std::vector<ScanEvent> Arrivals(std::initializer_list<size_t> slots) {
  std::vector<ScanEvent> events;
  for (size_t slot : slots) events.push_back({'A', slot, {}});
  return events;
}

std::vector<ScanEvent> Removals(std::initializer_list<size_t> slots) {
  std::vector<ScanEvent> events;
  for (size_t slot : slots) events.push_back({'R', slot, {}});
  return events;
}

class DeviceScannerTest : public testing::Test {
 protected:
  std::unique_ptr<CSimulation> Simulate(const char* list) {
    std::string error;
    auto simulation = CreateSimulation(list, &error);
    EXPECT_TRUE(simulation) << error;
    return simulation;
  }

  CDeviceSlotList slots;
  RecordingSink sink;
};

}  // namespace

TEST_F(DeviceScannerTest, ClaimsTheMouseSlotsInSlotOrderWithThePathsTheyCameFrom) {
  auto simulation = Simulate("mouse");
  CDeviceScanner scanner(simulation->Backend(), slots, sink);
  ASSERT_TRUE(scanner.RunPass());

  auto events = sink.Take();
  EXPECT_THAT(events, testing::ElementsAreArray(Arrivals({4, 5})));
  auto& backend = simulation->Backend();
  EXPECT_EQ(events[0].path, backend.CommandPathOf(*simulation->Mouse()));
  EXPECT_EQ(events[1].path, backend.EventPathOf(*simulation->Mouse()));
  EXPECT_EQ(slots.Slot(4).DevicePath, events[0].path);
  EXPECT_EQ(sink.firstScanNotices, 1);

  ASSERT_TRUE(scanner.RunPass());  // nothing changed: nothing reported, no second notice
  EXPECT_TRUE(sink.Take().empty());
  EXPECT_EQ(sink.firstScanNotices, 1);
}

TEST_F(DeviceScannerTest, EverySupportedDeviceClaimsItsOwnSlotsAndTheKeyboardRowsStayFree) {
  auto simulation = Simulate("mouse,mouse-receiver,mousepad,headset");
  CDeviceScanner scanner(simulation->Backend(), slots, sink);
  ASSERT_TRUE(scanner.RunPass());
  EXPECT_THAT(sink.Take(), testing::ElementsAreArray(Arrivals({4, 5, 6, 7, 8, 9, 10})));
  for (size_t keyboardSlot : {0, 1, 2, 3}) EXPECT_TRUE(slots.IsFree(keyboardSlot));
}

TEST_F(DeviceScannerTest, FirstScanNoticeIsPostedOnceEvenWithNoDeviceAttached) {
  auto simulation = Simulate("");
  CDeviceScanner scanner(simulation->Backend(), slots, sink);
  for (int pass = 0; pass < 3; ++pass) ASSERT_TRUE(scanner.RunPass());
  EXPECT_EQ(sink.firstScanNotices, 1);
  EXPECT_TRUE(sink.Take().empty());
}

TEST_F(DeviceScannerTest, UnplugReportsEverySlotOfTheDeviceInOnePassAndReplugClaimsThemAgain) {
  auto simulation = Simulate("mouse,mouse-receiver");
  auto& backend = simulation->Backend();
  CDeviceScanner scanner(backend, slots, sink);
  ASSERT_TRUE(scanner.RunPass());
  auto firstPaths = sink.Take();

  backend.Unplug(*simulation->Receiver());
  ASSERT_TRUE(scanner.RunPass());
  EXPECT_THAT(sink.Take(), testing::ElementsAreArray(Removals({6, 7})));
  EXPECT_TRUE(slots.IsFree(6));
  EXPECT_FALSE(slots.IsFree(4));

  ASSERT_TRUE(backend.Replug(simulation->Receiver()));
  ASSERT_TRUE(scanner.RunPass());
  auto again = sink.Take();
  EXPECT_THAT(again, testing::ElementsAreArray(Arrivals({6, 7})));
  EXPECT_NE(again[0].path, firstPaths[2].path) << "a re-plugged device is a new device";
}

TEST_F(DeviceScannerTest, ACollectionWithTheRightTagsButAnotherUsageIsNeverClaimed) {
  auto simulation = Simulate("");
  SimDeviceDescription odd = SimMouseCableLayout(0x0103);
  for (auto& interface : odd.interfaces) {
    for (auto& collection : interface.collections) {
      if (collection.commands) collection.layout.usage = 0x93;
    }
  }
  auto mouse = std::make_shared<CVirtualMouse>(SimMouseOptions{}, odd);
  ASSERT_TRUE(simulation->Backend().Plug(mouse));

  CDeviceScanner scanner(simulation->Backend(), slots, sink);
  ASSERT_TRUE(scanner.RunPass());
  EXPECT_THAT(sink.Take(), testing::ElementsAreArray(Arrivals({5})));
  EXPECT_TRUE(slots.IsFree(4));
}

TEST_F(DeviceScannerTest, AnInterfaceThatCannotBeOpenedIsTriedAgainOnTheNextPass) {
  auto simulation = Simulate("mousepad");
  InstrumentedBackend backend(simulation->Backend());
  backend.deniedOpens = 1;
  CDeviceScanner scanner(backend, slots, sink);
  ASSERT_TRUE(scanner.RunPass());
  EXPECT_THAT(sink.Take(), testing::ElementsAreArray(Arrivals({8})));  // the first path met the refusal
  ASSERT_TRUE(scanner.RunPass());
  EXPECT_THAT(sink.Take(), testing::ElementsAreArray(Arrivals({9})));
}

TEST_F(DeviceScannerTest, AnInterfaceThisUserMayNotOpenIsReportedWhenItComesAndWhenItGoes) {
  auto simulation = Simulate("mousepad");
  InstrumentedBackend backend(simulation->Backend());
  backend.deniedOpens = 2;
  CDeviceScanner scanner(backend, slots, sink);
  ASSERT_TRUE(scanner.RunPass());
  EXPECT_THAT(sink.TakeInaccessibleNotices(), testing::ElementsAre(true));
  EXPECT_TRUE(sink.Take().empty());
  ASSERT_TRUE(scanner.RunPass());  // the rule is installed: both interfaces open
  EXPECT_THAT(sink.TakeInaccessibleNotices(), testing::ElementsAre(false));
  EXPECT_THAT(sink.Take(), testing::ElementsAreArray(Arrivals({8, 9})));
  ASSERT_TRUE(scanner.RunPass());
  EXPECT_TRUE(sink.TakeInaccessibleNotices().empty()) << "told only when it changes";
}

TEST_F(DeviceScannerTest, ReEnumeratesOnlyWhenTheBackendReportsAChange) {
  auto simulation = Simulate("mouse");
  InstrumentedBackend backend(simulation->Backend());
  CDeviceScanner scanner(backend, slots, sink);
  for (int pass = 0; pass < 5; ++pass) ASSERT_TRUE(scanner.RunPass());
  EXPECT_EQ(backend.enumerations, 1);

  ASSERT_TRUE(simulation->Backend().Plug(std::make_shared<CVirtualMousePad>()));
  ASSERT_TRUE(scanner.RunPass());
  EXPECT_EQ(backend.enumerations, 2);
  EXPECT_THAT(sink.Take(), testing::ElementsAreArray(Arrivals({4, 5, 8, 9})));
}

TEST_F(DeviceScannerTest, AFailedEnumerationEndsTheThread) {
  auto simulation = Simulate("mouse");
  InstrumentedBackend backend(simulation->Backend());
  backend.failEnumeration = true;
  CDeviceScanner scanner(backend, slots, sink);
  EXPECT_FALSE(scanner.RunPass());
  EXPECT_EQ(sink.firstScanNotices, 0);
}

TEST_F(DeviceScannerTest, ThreadReportsArrivalsAndRemovalsAndStopsPromptly) {
  auto simulation = Simulate("mouse");
  CDeviceScanner scanner(simulation->Backend(), slots, sink);
  scanner.Start();
  for (int i = 0; i < 200 && sink.firstScanNotices == 0; ++i) SleepMs(5);
  simulation->Backend().Unplug(*simulation->Mouse());
  for (int i = 0; i < 100 && !slots.IsFree(4); ++i) SleepMs(5);

  uint64_t start = GetTickCountMs();
  scanner.Stop();
  EXPECT_LT(GetTickCountMs() - start, 200u);
  EXPECT_THAT(sink.Take(), testing::ElementsAreArray({ScanEvent{'A', 4, {}}, ScanEvent{'A', 5, {}},
                                                      ScanEvent{'R', 4, {}}, ScanEvent{'R', 5, {}}}));
}

TEST_F(DeviceScannerTest, StopReleasesAHandOverThatWaitsForTheMainWindow) {
  // A main window that never answers, as one busy shutting down would.
  class StuckSink : public RecordingSink {
   public:
    void OnDeviceArrival(size_t, const DeviceEntry&, CEvent& stop) override {
      entered = true;
      stop.Wait(kInfiniteWait);
    }
    std::atomic<bool> entered{false};
  } stuck;
  auto simulation = Simulate("mouse");
  CDeviceScanner scanner(simulation->Backend(), slots, stuck);
  scanner.Start();
  for (int i = 0; i < 200 && !stuck.entered; ++i) SleepMs(5);
  ASSERT_TRUE(stuck.entered);
  scanner.Stop();
  EXPECT_FALSE(scanner.IsRunning());
}

namespace {

// The scan thread on virtual time, over a backend that does or does not tell of changes.
class ScannerPacingTest : public DeviceScannerTest {
 protected:
  void StartOver(bool tellsOfChanges) {
    simulation_ = Simulate("mouse");
    backend_ = std::make_unique<InstrumentedBackend>(simulation_->Backend());
    backend_->tellsOfChanges = tellsOfChanges;
    scanner_ = std::make_unique<CDeviceScanner>(*backend_, slots, sink, clock_);
    scanner_->Start();
    ASSERT_TRUE(WaitForPass(0));
    EXPECT_THAT(sink.Take(), testing::ElementsAreArray(Arrivals({4, 5})));
  }
  // Waits (in real time) until a pass after the one that made `checksBefore` presence checks is
  // done and the thread waits on the clock again.
  bool WaitForPass(int checksBefore, int tries = 400) {
    for (int i = 0; i < tries; ++i) {
      if (backend_->presenceChecks > checksBefore && clock_.Waiters() == 1) return true;
      SleepMs(5);
    }
    return false;
  }
  // Moves the time on and tells whether the thread made a pass for it (within 300 ms of real time:
  // the test clock's waiters look at it every 20 ms).
  bool PassesAfter(uint32_t milliseconds) {
    const int before = backend_->presenceChecks;
    clock_.Advance(milliseconds);
    return WaitForPass(before, 60);
  }

  CTestClock clock_;
  std::unique_ptr<CSimulation> simulation_;
  std::unique_ptr<InstrumentedBackend> backend_;
  std::unique_ptr<CDeviceScanner> scanner_;
};

TEST_F(ScannerPacingTest, ABackendThatTellsOfChangesLetsTheThreadSleepUntilOneComes) {
  StartOver(true);
  ASSERT_TRUE(PassesAfter(CDeviceScanner::kPassIntervalMs)) << "passes often while devices settle";
  ASSERT_TRUE(PassesAfter(CDeviceScanner::kSettleMs));
  EXPECT_FALSE(PassesAfter(CDeviceScanner::kQuietPassIntervalMs - 1)) << "quiet: no pass before the safety one";
  EXPECT_TRUE(PassesAfter(1));

  // A change wakes the thread, which gives the device's other interfaces a moment to follow.
  // The time moved on here stays far short of the safety pass.
  simulation_->Backend().Unplug(*simulation_->Mouse());
  for (int i = 0; i < 20 && !slots.IsFree(4); ++i) {
    clock_.Advance(CDeviceScanner::kGatherMs);
    SleepMs(25);
  }
  EXPECT_THAT(sink.Take(), testing::ElementsAreArray(Removals({4, 5})));
  const uint64_t stopStarted = GetTickCountMs();
  scanner_->Stop();
  EXPECT_LT(GetTickCountMs() - stopStarted, 200u);
}

TEST_F(ScannerPacingTest, ABackendThatCannotTellIsAskedEveryPassInterval) {
  StartOver(false);
  ASSERT_TRUE(PassesAfter(CDeviceScanner::kSettleMs));
  EXPECT_TRUE(PassesAfter(CDeviceScanner::kPassIntervalMs));
  EXPECT_TRUE(PassesAfter(CDeviceScanner::kPassIntervalMs));
}

}  // namespace
