#include "ui/toolkit/window_wnd.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/debug_output.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/ui_thread.h"
#include "ui/toolkit/window_api.h"
#include "ui/toolkit/window_registry.h"

LRESULT DeliverWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  CWindowWnd* window = LookupWindow(hWnd);
  if (!window || !window->m_native || window->m_native->destroying) return 0;
  return window->m_native->Dispatch(uMsg, wParam, lParam);
}

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd() {
  if (m_native) m_native->TearDownQuietly();
}

LPCTSTR CWindowWnd::GetSuperClassName() const { return nullptr; }

UINT CWindowWnd::GetClassStyle() const { return 0; }

HWND CWindowWnd::Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT& rc) {
  return Create(hwndParent, pstrName, dwStyle, dwExStyle, rc.left, rc.top, RectWidth(rc), RectHeight(rc));
}

HWND CWindowWnd::Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x, int y, int cx,
                        int cy) {
  if (!IsOnUiThread()) {
    OutputDebugString("CWindowWnd::Create called outside the user-interface thread");
    return nullptr;
  }
  if (m_hWnd) return m_hWnd;
  m_native = std::make_unique<CNativeWindow>(this);
  m_hWnd = RegisterWindowHandle(this);
  m_native->CreateWidget(hwndParent, pstrName, dwStyle, dwExStyle, x, y, cx, cy);
  HWND self = m_hWnd;
  if (m_native->Dispatch(WM_CREATE, 0, 0) == -1) {
    // As with a failed WM_CREATE on Windows: the window is destroyed (its OnFinalMessage runs)
    // and creation reports no window.
    DestroyWindow(self);
    return nullptr;
  }
  if (!IsWindow(self)) return nullptr;
  if (dwStyle & WS_VISIBLE) ShowWindow(true, !(dwExStyle & WS_EX_NOACTIVATE));
  return m_hWnd;
}

HWND CWindowWnd::CreateDuiWindow(HWND hwndParent, LPCTSTR pstrWindowName, DWORD dwStyle, DWORD dwExStyle) {
  return Create(hwndParent, pstrWindowName, dwStyle, dwExStyle);
}

void CWindowWnd::ShowWindow(bool bShow, bool bTakeFocus) {
  if (!bShow) {
    ::ShowWindow(m_hWnd, SW_HIDE);
  } else {
    ::ShowWindow(m_hWnd, bTakeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
  }
}

UINT CWindowWnd::ShowModal() {
  if (!m_native || !m_native->widget) return 0;
  // Everything after the loop uses locals only: the window object may have deleted itself.
  HWND self = m_hWnd;
  HWND owner = m_native->owner;
  bool disabledOwner = owner && IsWindowEnabled(owner);
  if (disabledOwner) EnableWindow(owner, false);
  CUiLoop loop;
  CModalState state;
  state.loop = &loop;
  m_native->modal = &state;
  ShowWindow(true, true);
  loop.Run();
  if (!state.done) {
    if (CNativeWindow* native = NativeWindowOf(self); native && native->modal == &state) native->modal = nullptr;
  }
  if (disabledOwner && IsWindow(owner)) {
    EnableWindow(owner, true);
    SetForegroundWindow(owner);
  }
  return state.result;
}

void CWindowWnd::Close(UINT nRet) { PostMessage(WM_CLOSE, nRet, 0); }

void CWindowWnd::CenterWindow() {
  QWidget* widget = HostWidgetOf(m_hWnd);
  if (!widget) return;
  QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
  QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  QRect area = work;
  QWidget* ownerWidget = HostWidgetOf(m_native ? m_native->owner : nullptr);
  if (ownerWidget && ownerWidget->isVisible() && !ownerWidget->isMinimized()) area = ownerWidget->geometry();
  int x = area.x() + (area.width() - widget->width()) / 2;
  int y = area.y() + (area.height() - widget->height()) / 2;
  // Keep it on the monitor even when the owner hangs off its edge.
  x = std::clamp(x, work.left(), std::max(work.left(), work.left() + work.width() - widget->width()));
  y = std::clamp(y, work.top(), std::max(work.top(), work.top() + work.height() - widget->height()));
  widget->move(x, y);
}

void CWindowWnd::SetIcon(UINT nRes) {
  QWidget* widget = HostWidgetOf(m_hWnd);
  if (!widget) return;
  CDuiString path = CRenderEngine::ResolveImagePath(CResourceManager::GetInstance()->GetIconPath(nRes));
  if (!path.IsEmpty()) widget->setWindowIcon(QIcon(QString::fromStdString(path.str())));
}

LRESULT CWindowWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessage(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return ::PostMessage(m_hWnd, uMsg, wParam, lParam) ? 1 : 0;
}

void CWindowWnd::ResizeClient(int cx, int cy) {
  QWidget* widget = HostWidgetOf(m_hWnd);
  if (!widget) return;
  widget->resize(cx < 0 ? widget->width() : cx, cy < 0 ? widget->height() : cy);
}

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM) {
  switch (uMsg) {
    case WM_CLOSE:
      if (m_native) m_native->closeResult = UINT(wParam);
      DestroyWindow(m_hWnd);
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          return SendMessage(WM_CLOSE);
        case SC_MINIMIZE:
          ::ShowWindow(m_hWnd, SW_MINIMIZE);
          return 0;
        case SC_MAXIMIZE:
          ::ShowWindow(m_hWnd, SW_SHOWMAXIMIZED);
          return 0;
        case SC_RESTORE:
          ::ShowWindow(m_hWnd, SW_RESTORE);
          return 0;
        default:
          return 0;
      }
    default:
      return 0;
  }
}

void CWindowWnd::OnFinalMessage(HWND) {}
