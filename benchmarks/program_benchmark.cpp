// Measures the whole program against a virtual mouse: the time from start to the first painted
// window, resident memory once the mouse is read, and the idle CPU with the window shown and
// hidden in the tray. Prints the figures; it is not a test and asserts nothing.
//
//   program_benchmark [--idle-seconds S] [--simulate LIST]
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <stdlib.h>
#include <time.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "devices/velmar_usb_device.h"
#include "shell/t640_app.h"
#include "sim/simulation.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/ui_application.h"
#include "ui/toolkit/window_api.h"
#include "windows/main_wnd/main_wnd.h"

namespace {

constexpr uintptr_t kStopTimer = 4711;

double Seconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

// Runs the message loop for a while and returns the CPU seconds it took.
double IdleCpu(CMainWnd& window, int seconds) {
  ::SetTimer(window.GetHWND(), kStopTimer, static_cast<UINT>(seconds) * 1000u);
  const double start = Seconds(CLOCK_PROCESS_CPUTIME_ID);
  CPaintManagerUI::MessageLoop();
  ::KillTimer(window.GetHWND(), kStopTimer);
  return Seconds(CLOCK_PROCESS_CPUTIME_ID) - start;
}

// Ends the loop of IdleCpu: the main window forwards unknown timers to nobody.
class CStopFilter : public IMessageFilterUI {
 public:
  LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM, bool& handled) override {
    if (uMsg == WM_TIMER && wParam == kStopTimer) {
      PostQuitMessage(0);
      handled = true;
    }
    return 0;
  }
};

}  // namespace

int main(int argc, char** argv) {
  int idleSeconds = 30;
  std::string list = "mouse";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--idle-seconds") == 0) idleSeconds = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--simulate") == 0) list = argv[i + 1];
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("T640_PROGRAM_FOLDER", T640_SOURCE_DIR, 0);
  char dataTemplate[] = "/tmp/t640-bench-XXXXXX";
  if (!mkdtemp(dataTemplate)) return 1;
  setenv("XDG_DATA_HOME", dataTemplate, 1);

  const double wallStart = Seconds(CLOCK_MONOTONIC);
  CUiApplication application(argc, argv);
  std::string error;
  std::shared_ptr<CSimulation> sim(CreateSimulation(list, &error));
  if (!sim) {
    std::fprintf(stderr, "bad list: %s\n", error.c_str());
    return 1;
  }
  CT640App app;
  if (app.Start(AppOptions{}, std::shared_ptr<IHidBackend>(sim, &sim->Backend()), &error) !=
      CT640App::StartResult::kRun) {
    std::fprintf(stderr, "start failed: %s\n", error.c_str());
    return 1;
  }
  CMainWnd& window = *app.MainWindow();
  CStopFilter stop;
  window.GetPaintManager()->AddMessageFilter(&stop);

  // The first painted window: the first scan shows it; then one full paint.
  while (!window.IsFirstScanDone()) CUiApplication::ProcessPendingEvents();
  window.GetPaintManager()->SaveWindowImage("/dev/null");
  const double firstPaint = Seconds(CLOCK_MONOTONIC) - wallStart;
  std::printf("start to first painted window: %.0f ms\n", firstPaint * 1000.0);

  while (window.Mice().empty() || window.Mice().front()->CompletedReads() == 0) CUiApplication::ProcessPendingEvents();
  std::printf("resident memory with one virtual mouse read: %.1f MiB\n", ResidentKilobytes() / 1024.0);

  const double shown = IdleCpu(window, idleSeconds);
  std::printf("idle, window shown, %d s: %.3f s CPU = %.2f %% of one core\n", idleSeconds, shown,
              100.0 * shown / idleSeconds);
  window.HideToTray();
  const double hidden = IdleCpu(window, idleSeconds);
  std::printf("idle, window hidden, %d s: %.3f s CPU = %.2f %% of one core\n", idleSeconds, hidden,
              100.0 * hidden / idleSeconds);

  const double shutdownStart = Seconds(CLOCK_MONOTONIC);
  window.GetPaintManager()->RemoveMessageFilter(&stop);
  app.Finish();
  std::printf("orderly shutdown (every thread joined): %.0f ms\n", (Seconds(CLOCK_MONOTONIC) - shutdownStart) * 1000.0);
  return 0;
}
