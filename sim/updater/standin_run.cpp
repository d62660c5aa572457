#include "sim/updater/standin_run.h"

#include "sim/firmware_flash_listener.h"

namespace {

constexpr const char* kMainWindowClass = "MainWnd";
constexpr const char* kMainWindowTitle = "T640";
constexpr int kFlashTimeoutMs = 5000;

}  // namespace

int RunStandInUpdate(const StandInOptions& options, const CDesktopBus& bus, const std::function<void(int)>& sleep,
                     const std::function<void(const std::string&)>& log) {
  const std::string program = bus.FindWindow(kMainWindowClass, kMainWindowTitle);
  if (program.empty()) {
    log("T640 is not on the desktop bus in " + bus.Folder());
    return kStandInNoProgram;
  }
  auto report = [&](int what, int value) {
    const BusResult result = bus.Post(program, DesktopMessage{kUpdaterReportMessage, what, value, {}, {}, false});
    log("report " + std::to_string(what) + " " + std::to_string(value) + ": " + BusResultText(result));
  };
  const bool failing = options.outcome == StandInOptions::Outcome::kFailure;
  const int lastStep = failing ? options.failAtStep : options.steps;
  for (int step = 1; step <= lastStep; ++step) {
    sleep(options.stepMs);
    report(kUpdaterReportProgress, step * 100 / options.steps);
  }
  if (failing) {
    report(kUpdaterReportFailed, 0);
    return kStandInFailed;
  }
  int64_t flashed = kSimFlashRefused;
  const std::string mouse = bus.FindWindow(kSimFlashWindowClass, {});
  const BusResult sent = mouse.empty() ? BusResult::NoSuchWindow
                                       : bus.Send(mouse, DesktopMessage{kSimFlashMessage, options.version, 0, {}, {}, false},
                                                  kFlashTimeoutMs, flashed);
  if (sent != BusResult::Ok || flashed != kSimFlashDone) {
    log(std::string("no virtual mouse took the firmware: ") + BusResultText(sent));
    report(kUpdaterReportFailed, 0);
    return kStandInFailed;
  }
  report(kUpdaterReportSucceeded, options.version);
  return kStandInUpdated;
}
