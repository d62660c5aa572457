#include "shell/t640_app.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include "editors/register_editor_controls.h"
#include "platform/debug_output.h"
#include "platform/desktop_bus/bus_folder.h"
#include "platform/desktop_bus/desktop_bus.h"
#include "platform/desktop_bus/single_instance_lock.h"
#include "platform/program_folder.h"
#include "profiles/settings/language_choice.h"
#include "ui/controls/register_program_controls.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/window_api.h"
#include "windows/device_selector/register_device_selector_controls.h"
#include "windows/main_wnd/main_wnd.h"

namespace {

// Loaded in this order, unloaded in reverse; a missing file is skipped.
constexpr const char* kPrivateFonts[] = {
    "Font/Simplified_Chinese.ttf",
    "Font/Vantor-Regular.otf",
    "Font/NotoSansThai-Regular.ttf",
    "Font/NotoSansCJKtc-Regular.otf",
};

// The messages other programs and the program's own components exchange by name.
constexpr const char* kExternalMessages[] = {
    "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}",  // forward
    "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}",  // light status
    "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}",  // light control
    "{4695579F-999A-41d4-9FAF-EFFCE93EBF18}",  // work tool
    "{4695579F-999A-41d4-9FAF-EFFCE93EBE19}",  // audio record
};

constexpr const char* kAppName = kT640InstanceName;
constexpr const char* kMainWindowClass = "MainWnd";
constexpr const char* kMainWindowTitle = "T640";
// The names other programs may send the main window.
const std::array<std::string, 10> kBusMessageNames = {
    kAppName,
    kExternalMessages[0],
    kExternalMessages[1],
    kExternalMessages[2],
    kExternalMessages[3],
    kExternalMessages[4],
    "Game_Start",
    "Game_End",
    "Game_Kill",
    "Game_Death",
};

constexpr int kStartWidth = 800;
constexpr int kStartHeight = 572;

// Names every place looked in, so the user can see where the data should be.
std::string MissingDataMessage() {
  if (ProgramFolderFound()) return "the skin in " + ProgramFolder() + "skin/ cannot be read";
  std::string message = "the program's data is missing; looked for " + std::string(kProgramFolderMarker) + " in:";
  for (const std::string& place : ProgramFolderCandidates()) message += "\n  " + place;
  return message + "\n(T640_PROGRAM_FOLDER names the folder that holds it)";
}

}  // namespace

CT640App::~CT640App() { Finish(); }

void CT640App::LoadPrivateFonts() {
  for (const char* font : kPrivateFonts) {
    const int handle = CPaintManagerUI::LoadPrivateFont((ProgramFolder() + font).c_str());
    if (handle) fonts_.push_back(handle);
  }
}

void CT640App::UnloadPrivateFonts() {
  for (auto it = fonts_.rbegin(); it != fonts_.rend(); ++it) CPaintManagerUI::UnloadPrivateFont(*it);
  fonts_.clear();
}

CT640App::StartResult CT640App::Start(const AppOptions& options, std::shared_ptr<IHidBackend> backend,
                                      std::string* reason) {
  LoadPrivateFonts();
  const UINT appName = RegisterWindowMessage(kAppName);
  OutputDebugString("软件标示：" + std::to_string(appName));
  if (AnotherCopyRuns()) {
    UnloadPrivateFonts();
    return StartResult::kOtherRunning;
  }

  CPaintManagerUI::SetResourcePath((ProgramFolder() + "skin/").c_str());
  if (!CResourceManager::GetInstance()->LoadResource("res.xml")) {
    if (reason) *reason = MissingDataMessage();
    UnloadPrivateFonts();
    return StartResult::kFailed;
  }
  RegisterProgramControls();
  RegisterEditorControls();
  RegisterDeviceSelectorControls();
  for (const char* name : kExternalMessages) RegisterWindowMessage(name);

  MainWindowOptions windowOptions;
  windowOptions.screenshotPath = options.screenshotPath;
  windowOptions.openFunction = options.openFunction;
  windowOptions.openColourWindow = options.openColourWindow;
  windowOptions.openSkinPanel = options.openSkinPanel;
  windowOptions.openAboutWindow = options.openAboutWindow;
  windowOptions.openSettingsWindow = options.openSettingsWindow;
  windowOptions.programVersion = ProgramVersion();
  windowOptions.startInTray = options.startInTray;
  windowOptions.messagesLocale = MessagesLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  window_ = new CMainWnd(std::move(backend), windowOptions);
  // Created hidden: the first scan shows it. Shown here, it would be withdrawn again by the first
  // layout and mapped once more by the first scan within a few milliseconds, and a window manager
  // still busy with the first map can drop the last one (the window then never appears).
  if (!window_->Create(nullptr, "T640", WS_POPUP, 0, 0, 0, kStartWidth, kStartHeight)) {
    if (reason) *reason = "the main window could not be built from the skin";
    delete window_;
    window_ = nullptr;
    UnloadPrivateFonts();
    return StartResult::kFailed;
  }
  window_->CenterWindow();
  JoinDesktopBus();
  return StartResult::kRun;
}

// The lock file in the bus folder stands for the single-instance mutex. A second copy wakes the
// first (which comes to the front) and ends; when the lock cannot be had at all, this copy runs.
bool CT640App::AnotherCopyRuns() {
  std::string error;
  busFolder_ = OpenDesktopBusFolder(error);
  if (busFolder_.empty()) {
    OutputDebugString("desktop bus unavailable: " + error);
    return false;
  }
  instanceLock_ = std::make_unique<CSingleInstanceLock>(busFolder_, kAppName);
  if (instanceLock_->Acquire(error) != CSingleInstanceLock::Outcome::AnotherIsRunning) return false;
  CDesktopBus(busFolder_).Broadcast(DesktopMessage{kAppName, 0, 1, {}, {}, false});
  return true;
}

// Other programs reach the main window by class and title; their messages arrive by registered
// name and are handed to the window on the user-interface thread.
void CT640App::JoinDesktopBus() {
  if (busFolder_.empty()) return;
  std::weak_ptr<int> alive = alive_;
  endpoint_ = std::make_unique<CDesktopBusEndpoint>(
      busFolder_, [this](const DesktopMessage& message) { return OnBusMessage(message); },
      [this, alive] {
        CPaintManagerUI::RunOnUiThread([this, alive] {
          if (alive.lock() && endpoint_) endpoint_->DispatchPending();
        });
      });
  std::string error;
  if (!endpoint_->Open(kMainWindowClass, kMainWindowTitle, error)) {
    OutputDebugString("the main window is not on the desktop bus: " + error);
    endpoint_.reset();
  }
}

// Only names the program itself registered are delivered: registering whatever another program
// sends would let it fill the process's table of message ids.
int64_t CT640App::OnBusMessage(const DesktopMessage& message) {
  if (!window_) return 0;
  if (std::find(kBusMessageNames.begin(), kBusMessageNames.end(), message.name) == kBusMessageNames.end()) return 0;
  const UINT id = RegisterWindowMessage(message.name.c_str());
  if (id == 0) return 0;
  return ::SendMessage(window_->GetHWND(), id, static_cast<WPARAM>(message.wParam), static_cast<LPARAM>(message.lParam));
}

int CT640App::Finish() {
  if (finished_) return 0;
  finished_ = true;
  if (endpoint_) endpoint_->Close();
  endpoint_.reset();
  if (window_) {
    if (IsWindow(window_->GetHWND())) DestroyWindow(window_->GetHWND());
    delete window_;
    window_ = nullptr;
  }
  instanceLock_.reset();
  UnloadPrivateFonts();
  return 0;
}
