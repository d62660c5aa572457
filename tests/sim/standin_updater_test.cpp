// The stand-in firmware updater: its options, and what it reports to a program on a bus of the
// test's own (the virtual mouse's end is tested with the whole program).
#include <gtest/gtest.h>

#include <poll.h>

#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/desktop_bus/desktop_bus_endpoint.h"
#include "sim/firmware_flash_listener.h"
#include "sim/simulation.h"
#include "sim/updater/standin_options.h"
#include "sim/updater/standin_run.h"
#include "support/temp_data_folder.h"

namespace {

struct Reports {
  std::mutex lock;
  std::vector<std::pair<int64_t, int64_t>> seen;
};

// A main window on the bus that notes every report it is given.
class ProgramStandIn {
 public:
  explicit ProgramStandIn(const std::string& folder)
      : endpoint_(folder, [this](const DesktopMessage& message) {
          std::lock_guard guard(reports_.lock);
          if (message.name == kUpdaterReportMessage) reports_.seen.emplace_back(message.wParam, message.lParam);
          return int64_t{0};
        }) {
    std::string error;
    EXPECT_TRUE(endpoint_.Open("MainWnd", "T640", error)) << error;
  }
  // The reports handled so far, once there are at least `count` (posted reports arrive a moment
  // after they were sent); what there is after two seconds otherwise.
  std::vector<std::pair<int64_t, int64_t>> Seen(size_t count) {
    for (int wait = 0; wait < 20; ++wait) {
      endpoint_.DispatchPending();
      {
        std::lock_guard guard(reports_.lock);
        if (reports_.seen.size() >= count) return reports_.seen;
      }
      pollfd pending{endpoint_.PendingFd(), POLLIN, 0};
      poll(&pending, 1, 100);
    }
    std::lock_guard guard(reports_.lock);
    return reports_.seen;
  }

 private:
  Reports reports_;
  CDesktopBusEndpoint endpoint_;
};

void NoSleep(int) {}
void NoLog(const std::string&) {}

}  // namespace

TEST(StandInUpdater, OptionsComeFromTheEnvironmentThenTheArguments) {
  std::string error;
  std::optional<StandInOptions> options =
      ParseStandInOptions({"On the upgrade", "--steps=5"}, "--steps=2 --outcome=failure --step-ms=0", &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->steps, 5) << "an argument wins";
  EXPECT_EQ(options->outcome, StandInOptions::Outcome::kFailure);
  EXPECT_EQ(options->stepMs, 0);
  EXPECT_EQ(options->failAtStep, 3);
  EXPECT_EQ(ParseStandInOptions({"--version=0x0104"}, nullptr, &error)->version, 0x0104);
  for (const char* bad : {"--steps=0", "--steps=x", "--outcome=maybe", "--version=0x10000", "--colour=red"}) {
    EXPECT_FALSE(ParseStandInOptions({bad}, nullptr, &error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

TEST(StandInUpdater, ReportsProgressThenTheEndAndNeverSuccessWithoutAMouseThatTookTheFirmware) {
  TempDataFolder temp;
  const std::string folder = temp.Path() + "/bus";
  ProgramStandIn program(folder);
  const CDesktopBus bus(folder);
  StandInOptions options;
  options.steps = 4;
  options.stepMs = 0;

  // No virtual mouse on the bus: the progress, then a failure.
  EXPECT_EQ(RunStandInUpdate(options, bus, NoSleep, NoLog), kStandInFailed);
  EXPECT_EQ(program.Seen(5), (std::vector<std::pair<int64_t, int64_t>>{{4, 25}, {4, 50}, {4, 75}, {4, 100}, {2, 0}}));

  std::unique_ptr<CSimulation> simulation = CreateSimulation("mouse:firmware=0x0102", nullptr);
  std::string error;
  ASSERT_TRUE(simulation->ListenForFirmwareUpdates(folder, error)) << error;
  EXPECT_EQ(RunStandInUpdate(options, bus, NoSleep, NoLog), kStandInUpdated);
  EXPECT_EQ(program.Seen(10).back(), (std::pair<int64_t, int64_t>{1, 0x0103}));
  EXPECT_EQ(simulation->Mouse()->ReleaseNumber(), 0x0103);
  EXPECT_TRUE(simulation->Mouse()->IsPlugged()) << "back after its restart";

  options.outcome = StandInOptions::Outcome::kFailure;
  options.failAtStep = 1;
  options.version = 0x0104;
  EXPECT_EQ(RunStandInUpdate(options, bus, NoSleep, NoLog), kStandInFailed);
  EXPECT_EQ(program.Seen(12).size(), 12u) << "one progress report, then the failure";
  EXPECT_EQ(simulation->Mouse()->ReleaseNumber(), 0x0103) << "a failed update leaves the firmware";
}

TEST(StandInUpdater, WithoutTheProgramOnTheBusNothingIsReported) {
  TempDataFolder temp;
  EXPECT_EQ(RunStandInUpdate(StandInOptions{}, CDesktopBus(temp.Path() + "/bus"), NoSleep, NoLog),
            kStandInNoProgram);
}
