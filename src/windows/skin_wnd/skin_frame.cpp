#include "windows/skin_wnd/skin_frame.h"

#include <utility>

#include "platform/debug_output.h"
#include "profiles/settings/skin_settings_file.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/file_dialog.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/picture_file_check.h"
#include "ui/toolkit/ui_thread.h"
#include "ui/toolkit/window_api.h"
#include "windows/msg_wnd.h"
#include "windows/skin_wnd/background_fit.h"
#include "windows/skin_wnd/skin_change_broadcast.h"
#include "windows/skin_wnd/skin_controls.h"

using namespace skin_panel;

namespace {

using Frame = CSkinFrame;

// WS_POPUP | WS_VISIBLE. The panel drops down like a menu: over everything, without a task-bar
// entry, and gone at a click anywhere else (which is where it loses the focus).
constexpr DWORD kPanelStyle = WS_POPUP | WS_VISIBLE;
constexpr DWORD kPanelExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_UI_POPUP;

const char* NoticeFor(PictureCheck verdict) {
  switch (verdict) {
    case PictureCheck::kNotPng:
      return kPictureNotPngNotice;
    case PictureCheck::kDamaged:
      return kPictureDamagedNotice;
    case PictureCheck::kTooLarge:
      return kPictureTooLargeNotice;
    case PictureCheck::kUnreadable:
    case PictureCheck::kUsable:
      break;
  }
  return kPictureUnreadableNotice;
}

}  // namespace

const RouteRow<CSkinFrame> CSkinFrame::kRouteRows[] = {
    {NotifyKind::kClick, kImageButton, false, &Frame::OnImage},
    {NotifyKind::kClick, kColourButton, false, &Frame::OnColour},
    {NotifyKind::kClick, kShowColours, false, &Frame::OnShowColours},
    {NotifyKind::kClick, kShowImages, false, &Frame::OnShowImages},
    {NotifyKind::kClick, kResetButton, false, &Frame::OnReset},
    {NotifyKind::kClick, kOwnPictureButton, false, &Frame::OnOwnPicture},
};

std::span<const RouteRow<CSkinFrame>> CSkinFrame::Rows() { return kRouteRows; }

CSkinFrame::CSkinFrame(HWND owner, CControlUI* anchor, std::string skinFilePath, int dpi)
    : m_hOwner(owner), m_pAnchor(anchor), m_sSkinFilePath(std::move(skinFilePath)), m_nDpi(dpi) {
  // Before the window exists, so the layout is built at the owner's scale directly.
  m_pm.SetDPI(m_nDpi);
}

CSkinFrame* CSkinFrame::Open(HWND owner, CControlUI* anchor, std::string skinFilePath, int dpi) {
  // Windows are made on the user-interface thread only; anywhere else no object is made at all.
  if (!IsOnUiThread()) return nullptr;
  auto* panel = new CSkinFrame(owner, anchor, std::move(skinFilePath), dpi);
  // A panel whose window could not be made has already gone with it (its final message).
  if (!panel->Create(owner, "skinframe", kPanelStyle, kPanelExStyle)) {
    OutputDebugString("the skin panel could not be made");
    return nullptr;
  }
  return panel;
}

CSkinFrame::~CSkinFrame() = default;

LRESULT CSkinFrame::OnCreate() {
  m_pm.Init(m_hWnd);
  CDialogBuilder builder;
  CControlUI* root = builder.Create(kLayoutFile, nullptr, nullptr, &m_pm);
  if (!root) {
    OutputDebugString(std::string("skin panel layout could not be built: ") + builder.GetLastError().str());
    return -1;
  }
  m_pm.AttachDialog(root);
  m_pm.AddNotifier(this);
  PlaceBelowAnchor();
  return 0;
}

void CSkinFrame::PlaceBelowAnchor() {
  const SIZE size = m_pm.GetInitSize();
  const int width = m_pm.GetDPIObj()->Scale(size.cx);
  const int height = m_pm.GetDPIObj()->Scale(size.cy);
  if (!m_pAnchor) {
    if (width > 0 && height > 0) SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOACTIVATE);
    return;
  }
  const RECT anchor = m_pAnchor->GetPos();
  POINT corner{anchor.right - width, anchor.bottom};
  ClientToScreen(m_hOwner, &corner);
  SetWindowPos(m_hWnd, HWND_TOP, corner.x, corner.y, width, height, SWP_NOACTIVATE);
}

LRESULT CSkinFrame::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_CREATE:
      return OnCreate();
    case WM_KILLFOCUS:
      Close();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // While the panel is open it takes every click on the desktop: one outside it is the user
      // turning to something else, as a loss of focus would be.
      if (!IsInsidePanel(lParam)) {
        Close();
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        Close();
        return 0;
      }
      break;
    default:
      break;
  }
  // A control's handler may close the panel; after that only the local handle is consulted.
  HWND self = m_hWnd;
  LRESULT result = 0;
  if (m_pm.MessageHandler(uMsg, wParam, lParam, result)) return result;
  if (uMsg != WM_NCDESTROY && !IsWindow(self)) return result;
  return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

bool CSkinFrame::IsInsidePanel(LPARAM point) const {
  RECT client{};
  GetClientRect(m_hWnd, &client);
  const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  return at.x >= client.left && at.x < client.right && at.y >= client.top && at.y < client.bottom;
}

void CSkinFrame::OnFinalMessage(HWND) {
  m_pm.RemoveNotifier(this);
  m_pm.RemoveAllTimers();
  delete this;
}

void CSkinFrame::Notify(TNotifyUI& msg) {
  if (msg.sType != DUI_MSGTYPE_CLICK) return;
  DispatchRoute(Rows(), *this, NotifyKind::kClick, msg);
}

void CSkinFrame::OnImage(TNotifyUI& msg, int) {
  const std::string image = msg.pSender->GetUserData().str();
  if (image.empty()) return;
  BroadcastSkinChange(SkinChangedParam{false, 0, image});
  RecordChoice(true, image);
}

void CSkinFrame::OnColour(TNotifyUI& msg, int) {
  BroadcastSkinChange(SkinChangedParam{true, msg.pSender->GetBkColor(), {}});
}

void CSkinFrame::OnShowColours(TNotifyUI&, int) { ShowPage(kColoursPage); }
void CSkinFrame::OnShowImages(TNotifyUI&, int) { ShowPage(kImagesPage); }

void CSkinFrame::ShowPage(int page) {
  CControlUI* control = m_pm.FindControl(kTab);
  auto* tab = control ? static_cast<CTabLayoutUI*>(control->GetInterface("TabLayout")) : nullptr;
  if (tab) tab->SelectItem(page);
}

void CSkinFrame::OnReset(TNotifyUI&, int) {
  BroadcastSkinChange(SkinChangedParam{false, 0, kStockBackground});
  RecordChoice(false, kStockBackground);
}

// The chooser and a possible notice are windows of their own; the panel, which goes at the first
// click elsewhere, closes before them rather than under them.
void CSkinFrame::OnOwnPicture(TNotifyUI&, int) {
  const HWND owner = m_hOwner;
  const int dpi = m_nDpi;
  Close();
  PostUiTask([owner, dpi] {
    if (IsWindow(owner)) ChooseOwnBackgroundPicture(owner, dpi);
  });
}

// The broadcast has already changed the background; a file that could not be written only
// means the next start shows the one recorded before.
void CSkinFrame::RecordChoice(bool imageChosen, const std::string& image) {
  if (!WriteSkinChoice(m_sSkinFilePath, SkinChoice{imageChosen, image})) {
    OutputDebugString("the skin choice could not be recorded in " + m_sSkinFilePath);
  }
}

bool ChooseOwnBackgroundPicture(HWND owner, int dpi) {
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kOpen;
  request.filterLabel = kPictureFilter;
  request.extension = "png";
  const std::optional<std::string> path = ShowFileDialog(owner, request);
  if (!path) return false;
  const char* refusal = nullptr;
  if (!FittedImageString(*path, SIZE{1, 1}, SIZE{1, 1})) {
    refusal = kPictureNameNotice;
  } else if (const PictureCheckResult check = CheckBackgroundPicture(*path); check.verdict != PictureCheck::kUsable) {
    refusal = NoticeFor(check.verdict);
  }
  if (refusal) {
    OutputDebugString("background picture refused (" + std::string(refusal) + "): " + *path);
    ShowMessageBox(owner, nullptr, refusal, dpi, true, CMsgWnd::kNotice);
    return false;
  }
  BroadcastSkinChange(SkinChangedParam{false, 0, *path});
  return true;
}
