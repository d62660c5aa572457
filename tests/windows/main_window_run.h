#pragma once
// The main window as the entry point makes it, offscreen, against virtual devices, with a stand-in
// tray or without any tray. Header-only, for the main window's tests in this folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "controls_harness.h"
#include "editors/register_editor_controls.h"
#include "sim/simulation.h"
#include "support/temp_data_folder.h"
#include "test_window.h"
#include "ui/toolkit/ui_thread.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"
#include "windows/device_selector/register_device_selector_controls.h"
#include "windows/main_wnd/main_wnd.h"

inline constexpr int kMainWindowSettleMs = 10000;

class MainWindowRun {
 public:
  MainWindowRun(const std::string& simulationList, bool tray, bool startInTray = false) {
    setenv("T640_PROGRAM_FOLDER", T640_SOURCE_DIR, 1);
    UseShippedSkin();
    RegisterEditorControls();
    RegisterDeviceSelectorControls();
    std::string error;
    std::shared_ptr<CSimulation> simulation = CreateSimulation(simulationList, &error);
    EXPECT_TRUE(simulation) << error;
    simulation_ = simulation;
    MainWindowOptions options;
    options.standInTray = tray;
    options.startInTray = startInTray;
    window_ = std::make_unique<CMainWnd>(std::shared_ptr<IHidBackend>(simulation, &simulation->Backend()), options);
    hwnd_ = window_->Create(nullptr, "T640", WS_POPUP, 0, 0, 0, 800, 572);
    EXPECT_NE(hwnd_, nullptr);
  }
  // The window posts the quit of the program's loop as it goes; the tests after it run loops of
  // their own.
  ~MainWindowRun() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    PumpUiEvents();
    ClearQuitRequest();
  }
  MainWindowRun(const MainWindowRun&) = delete;
  MainWindowRun& operator=(const MainWindowRun&) = delete;

  CMainWnd& Window() { return *window_; }
  HWND Handle() const { return hwnd_; }
  CControlUI* Control(const char* name) { return window_->GetPaintManager()->FindControl(name); }
  // Shown as the user sees it: on screen and not minimised.
  bool OnScreen() const { return IsWindowVisible(hwnd_) && !IsIconic(hwnd_); }
  // The first scan brought the window up and the fit to the monitor has run.
  bool StartedAndFitted() {
    return window_->IsFirstScanDone() && OnScreen() && window_->GetPaintManager()->GetClientSize().cx >= 1000;
  }
  void ClickTray() { SendMessage(hwnd_, UIMSG_TRAYICON, 0, WM_LBUTTONUP); }

 private:
  TempDataFolder data_;
  std::shared_ptr<CSimulation> simulation_;
  std::unique_ptr<CMainWnd> window_;
  HWND hwnd_ = nullptr;
};
