// The colour window, opened from a stage colour of the mouse page: the chosen colour goes into
// the stage, the profile and the mouse.
#include <memory>

#include "devices/mouse/settings_page.h"
#include "devices/velmar_mouse_device.h"
#include "platform/debug_output.h"
#include "profiles/settings/small_files.h"
#include "profiles/storage/data_folders.h"
#include "ui/toolkit/window_api.h"
#include "windows/color_select_wnd/color_select_wnd.h"
#include "windows/main_wnd/main_wnd.h"

namespace {

constexpr int kColourWindowWidth = 800;
constexpr int kColourWindowHeight = 572;

CVelmarMouseDevice* AsMouse(CVelmarUSBDevice* device) {
  return device ? static_cast<CVelmarMouseDevice*>(device->GetInterface("VelmarMouseDevice")) : nullptr;
}

}  // namespace

void CMainWnd::OpenColourWindow(int stage) { RunColourWindow(stage, {}); }

bool CMainWnd::RunColourWindow(int stage, const std::string& screenshotPath) {
  if (colourWindow_) return false;
  CVelmarMouseDevice* mouse = AsMouse(GetSelectedDevice());
  // Only the stages the settings page holds have a colour on the mouse.
  if (!mouse || stage < 0 || stage >= static_cast<int>(kMaxStages)) return false;
  const DWORD stageColour = mouse->GetStageColour(stage);

  const std::string userFolder = options_.userDataFolder.empty() ? UserDataFolder() : options_.userDataFolder;
  auto window = std::make_unique<CColorSelectWnd>(
      SmallFilePathIn(SmallFile::kColourOptions, DefaultDataFolder(), userFolder),
      SmallFilePathIn(SmallFile::kColourOptionsFactory, DefaultDataFolder(), userFolder));
  window->SaveScreenshotAndClose(screenshotPath);
  colourWindow_ = window->Create(GetHWND(), "PalletDialog", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0,
                                 kColourWindowWidth, kColourWindowHeight);
  if (!colourWindow_) {
    OutputDebugString("the colour window could not be made");
    return false;
  }
  window->SetWindowDpi(dpi_);
  window->SetCurrentColour(stageColour);
  window->EnableSevenColourChoice(false);
  window->CenterWindow();
  const UINT result = window->ShowModal();
  colourWindow_ = nullptr;
  // The device may have gone, or another been chosen, while the window was open.
  if (result == CColorSelectWnd::kConfirmed && AsMouse(GetSelectedDevice()) == mouse) {
    mouse->SetStageColour(stage, window->GetCurrentColour());
    mouse->SaveProfile();
    mouse->ApplySettings();
  }
  return window->ScreenshotSaved();
}

void CMainWnd::CloseAuxiliaryWindows() {
  CloseDeviceWindows();
  if (settingsWindow_) ::PostMessage(settingsWindow_, WM_CLOSE, 0, 0);
  if (aboutWindow_) ::PostMessage(aboutWindow_, WM_CLOSE, IDCANCEL, 0);
}

void CMainWnd::CloseDeviceWindows() {
  if (colourWindow_) ::PostMessage(colourWindow_, WM_CLOSE, CColorSelectWnd::kCancelled, 0);
}
