#pragma once
#include <functional>
#include <string>

#include "platform/desktop_bus/desktop_bus.h"
#include "sim/updater/standin_options.h"

// The reports of a firmware updater to T640: the registered forward message, posted to the main
// window, with wParam the report and lParam its value.
inline constexpr const char* kUpdaterReportMessage = "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}";
inline constexpr int kUpdaterReportSucceeded = 1;
inline constexpr int kUpdaterReportFailed = 2;
inline constexpr int kUpdaterReportProgress = 4;

// Exit codes of the stand-in.
inline constexpr int kStandInUpdated = 0;
inline constexpr int kStandInFailed = 1;      // it reported a failure
inline constexpr int kStandInNoProgram = 3;   // T640 is not on the bus: nobody to report to

// One update: progress reports, then on success the virtual mouse gets the new release number
// (sim/firmware_flash_listener.h) and success is reported; a mouse that does not take it turns
// the end into a failure, so success is never reported for firmware that was not written.
// `sleep` waits the given milliseconds; `log` gets a line per step.
int RunStandInUpdate(const StandInOptions& options, const CDesktopBus& bus, const std::function<void(int)>& sleep,
                     const std::function<void(const std::string&)>& log);
