#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/desktop_bus/desktop_bus_endpoint.h"
#include "platform/desktop_bus/single_instance_lock.h"
#include "platform/hid/hid_backend.h"
#include "shell/app_options.h"

class CMainWnd;

// The program from its start to its orderly exit, around the message loop: private fonts, single
// instance, skin resources, control registrations, registered messages, the main window.
class CT640App {
 public:
  enum class StartResult {
    kRun,           // the main window is up: run the message loop, then Finish
    kOtherRunning,  // another copy runs and was woken: exit 0
    kFailed,        // nothing can be shown: exit 0 after the reason on standard error
  };

  CT640App() = default;
  ~CT640App();
  CT640App(const CT640App&) = delete;
  CT640App& operator=(const CT640App&) = delete;

  // `backend` is the machine's HID devices or a simulation.
  StartResult Start(const AppOptions& options, std::shared_ptr<IHidBackend> backend, std::string* reason);
  // After the message loop: destroys the window and releases everything in reverse order.
  int Finish();

  CMainWnd* MainWindow() const { return window_; }

 private:
  void LoadPrivateFonts();
  void UnloadPrivateFonts();
  // True when another copy holds the lock (it has been woken).
  bool AnotherCopyRuns();
  void JoinDesktopBus();
  int64_t OnBusMessage(const DesktopMessage& message);

  std::vector<int> fonts_;
  std::string busFolder_;
  std::unique_ptr<CSingleInstanceLock> instanceLock_;
  std::unique_ptr<CDesktopBusEndpoint> endpoint_;
  // Bus tasks queued for the user-interface thread hold a weak reference; it expires with us.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
  CMainWnd* window_ = nullptr;
  bool finished_ = false;
};
