// t640: the configuration program. Runs against the machine's HID devices, or against virtual
// devices with --simulate.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/app_options.h"
#include "shell/hid_backend_choice.h"
#include "shell/language_option.h"
#include "platform/debug_output.h"
#include "platform/sleep_notices/sleep_notices.h"
#include "platform/termination_signals.h"
#include "profiles/storage/data_folders.h"
#include "shell/t640_app.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/ui_application.h"
#include "ui/toolkit/window_api.h"
#include "windows/main_wnd/main_wnd.h"

int main(int argc, char** argv) {
  std::string error;
  const std::optional<AppOptions> options =
      ParseAppOptions(std::vector<std::string>(argv + 1, argv + argc), std::getenv("T640_SIMULATE"), &error);
  if (!options) {
    std::fprintf(stderr, "t640: %s\n%s", error.c_str(), kAppUsage);
    return 2;
  }
  if (options->help) {
    std::fputs(kAppUsage, stdout);
    return 0;
  }
  if (options->version) {
    std::printf("t640 %s\n", T640_VERSION);
    return 0;
  }
  if (!options->language.empty()) {
    switch (StoreLanguageOption(options->language, DefaultDataFolder(), "", &error)) {
      case LanguageOptionResult::kStored:
        break;
      case LanguageOptionResult::kUnknown:
        std::fprintf(stderr, "t640: %s\n", error.c_str());
        return 2;
      case LanguageOptionResult::kNotStored:
        std::fprintf(stderr, "t640: %s\n", error.c_str());
        return 1;
    }
  }
  std::shared_ptr<IHidBackend> backend = MakeHidBackend(options->simulate, options->simulateList, &error, true);
  if (!backend) {
    std::fprintf(stderr, "t640: %s\n", error.c_str());
    return 2;
  }

  CUiApplication application(argc, argv);
  CT640App app;
  switch (app.Start(*options, backend, &error)) {
    case CT640App::StartResult::kOtherRunning:
      if (!options->language.empty()) {
        std::fputs("t640: the language is stored; the copy already running shows it from its next start\n", stderr);
      }
      return 0;
    case CT640App::StartResult::kFailed:
      std::fprintf(stderr, "t640: %s\n", error.c_str());
      return 1;
    case CT640App::StartResult::kRun:
      break;
  }
  // Suspend and resume come from logind when the machine has one; without it the program simply
  // runs without those notices.
  CSleepNotices sleepNotices;
  const HWND window = app.MainWindow()->GetHWND();
  if (!sleepNotices.Start([window](bool suspending) {
        PostMessage(window, WM_POWERBROADCAST, suspending ? PBT_APMSUSPEND : PBT_APMRESUMEAUTOMATIC, 0);
      })) {
    OutputDebugString("no suspend notices: " + sleepNotices.FailureReason());
  }
  // A logout, `kill` or Ctrl+C ends the program as its own exit does: threads joined, files
  // written, its place on the desktop bus given up.
  CTerminationSignals termination;
  if (!termination.Start([window](int) { PostMessage(window, WM_END_PROGRAM, 0, 0); })) {
    OutputDebugString("no orderly end on signals: the program dies on them");
  }
  CPaintManagerUI::MessageLoop();
  termination.Stop();
  sleepNotices.Stop();
  const bool screenshotFailed = !options->screenshotPath.empty() && !app.MainWindow()->ScreenshotSaved();
  app.Finish();
  if (screenshotFailed) std::fprintf(stderr, "t640: the screenshot could not be written\n");
  return screenshotFailed ? 1 : 0;
}
