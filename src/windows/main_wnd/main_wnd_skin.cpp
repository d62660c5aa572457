// The main window's background, which follows the skin panel's broadcast and the choice recorded
// in "main.ini", and the two small windows of the title bar and the tray menu: the skin panel and
// the about window.
#include <algorithm>
#include <memory>
#include <string>

#include "platform/debug_output.h"
#include "profiles/settings/skin_settings_file.h"
#include "profiles/settings/small_files.h"
#include "profiles/storage/data_folders.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/window_api.h"
#include "windows/about_wnd/about_wnd.h"
#include "windows/main_wnd/main_wnd.h"
#include "windows/skin_wnd/background_fit.h"
#include "windows/skin_wnd/skin_change_broadcast.h"
#include "windows/skin_wnd/skin_controls.h"
#include "windows/skin_wnd/skin_frame.h"

namespace {

constexpr const char* kRootName = "root";
constexpr const char* kSkinButtonName = "skinbtn";
constexpr SIZE kLayoutSize{1000, 640};
constexpr int kAboutWindowWidth = 800;
constexpr int kAboutWindowHeight = 572;

// A recorded name must stay inside the skin folder: "main.ini" is a file anyone can edit.
bool IsSkinImageName(const std::string& name) {
  if (name.empty() || name.front() == '/' || name.find(':') != std::string::npos) return false;
  if (name.find('\\') != std::string::npos) return false;
  size_t at = 0;
  while (at <= name.size()) {
    const size_t end = std::min(name.find('/', at), name.size());
    if (name.compare(at, end - at, "..") == 0 && end - at == 2) return false;
    at = end + 1;
  }
  return !CRenderEngine::ResolveImagePath(name.c_str()).IsEmpty();
}

}  // namespace

std::string CMainWnd::SkinFilePath() const {
  const std::string userFolder = options_.userDataFolder.empty() ? UserDataFolder() : options_.userDataFolder;
  return SmallFilePathIn(SmallFile::kSkinSettings, DefaultDataFolder(), userFolder);
}

int CMainWnd::OnBroadcast(SkinChangedParam param) {
  CControlUI* root = m_pm.FindControl(kRootName);
  if (!root) return 1;
  if (param.IsColour) {
    root->SetBkColor(param.Colour);
    root->SetBkImage("");
    return 1;
  }
  // The picture fills the window and keeps its shape: what does not fit is cut off.
  SIZE picture{};
  const RECT pos = root->GetPos();
  const SIZE box = pos.right > pos.left && pos.bottom > pos.top ? SIZE{pos.right - pos.left, pos.bottom - pos.top}
                                                                : kLayoutSize;
  if (!CRenderEngine::GetImageSize(&m_pm, param.Image.c_str(), picture)) {
    OutputDebugString("background picture not found: " + param.Image);
  }
  const std::optional<std::string> image = FittedImageString(param.Image, picture, box);
  if (!image) return 1;
  root->SetBkColor(0);
  root->SetBkImage(image->c_str());
  return 1;
}

void CMainWnd::ApplyStoredSkin() {
  const std::optional<SkinChoice> stored = ReadSkinChoice(SkinFilePath());
  if (!stored) return;
  if (!IsSkinImageName(stored->image)) {
    OutputDebugString("main.ini names no picture of the skin: " + stored->image);
    return;
  }
  OnBroadcast(SkinChangedParam{false, 0, stored->image});
}

void CMainWnd::OpenSkinPanel(CControlUI* anchor) {
  // The panel owns itself and goes when it closes.
  CSkinFrame::Open(GetHWND(), anchor ? anchor : m_pm.FindControl(kSkinButtonName), SkinFilePath(), dpi_);
}

void CMainWnd::OpenAboutWindow() { RunAboutWindow({}); }

bool CMainWnd::RunAboutWindow(const std::string& screenshotPath) {
  if (aboutWindow_) return false;
  auto window = std::make_unique<CAboutWnd>(options_.programVersion);
  window->SaveScreenshotAndClose(screenshotPath);
  aboutWindow_ = window->Create(GetHWND(), "  ", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, kAboutWindowWidth,
                                kAboutWindowHeight);
  if (!aboutWindow_) {
    OutputDebugString("the about window could not be made");
    return false;
  }
  window->SetWindowDpi(dpi_);
  window->ShowVersionText();
  window->CenterWindow();
  window->ShowModal();
  aboutWindow_ = nullptr;
  return window->ScreenshotSaved();
}

// --open skin: the panel under the skin button, pictured alone once painted.
void CMainWnd::OpenRequestedSkinPanel() {
  if (!skinPanelShot_) {
    OpenSkinPanel(nullptr);
    skinPanelShot_ = true;
    screenshotQuietPolls_ = 0;
    return;
  }
  if (options_.screenshotPath.empty()) {
    ::KillTimer(GetHWND(), kTimerScreenshot);
    return;
  }
  if (++screenshotQuietPolls_ < 3) return;
  ::KillTimer(GetHWND(), kTimerScreenshot);
  bool saved = false;
  for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
    HWND panel = manager->GetPaintWindow();
    if (!panel || manager == &m_pm || !manager->FindControl(skin_panel::kTab)) continue;
    manager->UpdateLayout();
    saved = manager->SaveWindowImage(options_.screenshotPath);
    ::PostMessage(panel, WM_CLOSE, 0, 0);
    break;
  }
  screenshotSaved_ = saved;
  Close(saved ? IDOK : IDCANCEL);
}

// --open about: the about window, pictured once painted when a screenshot is asked for.
void CMainWnd::OpenRequestedAboutWindow() {
  ::KillTimer(GetHWND(), kTimerScreenshot);
  const bool saved = RunAboutWindow(options_.screenshotPath);
  if (options_.screenshotPath.empty()) return;
  screenshotSaved_ = saved;
  Close(saved ? IDOK : IDCANCEL);
}
