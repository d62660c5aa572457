#pragma once
// One run of the whole program, offscreen, on a simulation of its own and in a data folder of its
// own; the end-to-end tests drive it through its controls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "devices/velmar_mouse_device.h"
#include "shell/t640_app.h"
#include "sim/simulation.h"
#include "support/temp_data_folder.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/ui_thread.h"
#include "ui_test_environment.h"
#include "windows/device_selector/device_option_ui.h"
#include "windows/main_wnd/main_wnd.h"

inline constexpr int kSettleMs = 10000;

class Program {
 public:
  // `data`: a data folder that outlives the run, for a test that starts the program again; by
  // default the run has one of its own.
  explicit Program(const std::string& list, const TempDataFolder* data = nullptr)
      : ownData_(data ? nullptr : std::make_unique<TempDataFolder>()), data_(data ? *data : *ownData_) {
    setenv("T640_PROGRAM_FOLDER", T640_SOURCE_DIR, 1);
    // A bus of its own, so a program running on this desktop is neither woken nor blocking.
    setenv("T640_BUS_DIR", (data_.Path() + "/bus").c_str(), 1);
    std::string error;
    std::unique_ptr<CSimulation> simulation = CreateSimulation(list, &error);
    EXPECT_TRUE(simulation) << error;
    sim_ = std::shared_ptr<CSimulation>(std::move(simulation));
    std::shared_ptr<IHidBackend> backend(sim_, &sim_->Backend());
    EXPECT_EQ(app_.Start(AppOptions{}, backend, &error), CT640App::StartResult::kRun) << error;
  }
  // The main window asks the message loop to end when it goes (a posted request); the program's
  // loop would take that request and clear it, so the next run's modal windows are not ended by it.
  ~Program() {
    app_.Finish();
    PumpUiEvents();
    ClearQuitRequest();
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  CMainWnd& Window() { return *app_.MainWindow(); }
  CSimulation& Sim() { return *sim_; }
  CT640App& App() { return app_; }
  const std::string& DataFolder() const { return data_.Path(); }

  CVelmarMouseDevice* Mouse() {
    if (Window().Mice().empty()) return nullptr;
    return static_cast<CVelmarMouseDevice*>(Window().Mice().front()->GetInterface("VelmarMouseDevice"));
  }
  CDeviceOptionUI* MouseTile() { return Mouse() ? Window().TileAt(0) : nullptr; }
  // The mouse pad's device object, once it arrived.
  CVelmarUSBDevice* MousePad() { return Window().MousePads().empty() ? nullptr : Window().MousePads().front(); }
  bool MouseShownAndRead() {
    CDeviceOptionUI* tile = MouseTile();
    return Window().IsFirstScanDone() && tile && tile->IsReachable() && tile->IsSelected() &&
           Mouse()->CompletedReads() > 0;
  }
  CControlUI* Control(const char* name) { return Window().GetPaintManager()->FindControl(name); }

 private:
  std::unique_ptr<TempDataFolder> ownData_;
  const TempDataFolder& data_;
  std::shared_ptr<CSimulation> sim_;
  CT640App app_;
};
