#include "ui/toolkit/window_api.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <map>
#include <mutex>

#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/ui_thread.h"
#include "ui/toolkit/window_registry.h"

namespace {

// The offscreen platform (tests, screenshots) has no stacking order and warns on every raise.
void RaiseWidget(QWidget* widget) {
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) widget->raise();
}

struct RegisteredMessages {
  std::mutex mutex;
  std::map<CDuiString, UINT> ids;
  UINT next = 0xC000;
};

RegisteredMessages& Registered() {
  static RegisteredMessages table;
  return table;
}

QScreen* ScreenOf(HWND hWnd) {
  if (QWidget* widget = HostWidgetOf(hWnd); widget && widget->screen()) return widget->screen();
  return QGuiApplication::primaryScreen();
}

RECT ToRect(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace

LRESULT SendMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (IsOnUiThread()) return DeliverWindowMessage(hWnd, uMsg, wParam, lParam);
  return SendMessageAcrossThreads(hWnd, uMsg, wParam, lParam);
}

bool PostMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (!IsWindowHandleAlive(hWnd)) return false;
  return PostUiTask([hWnd, uMsg, wParam, lParam] { DeliverWindowMessage(hWnd, uMsg, wParam, lParam); });
}

void PostQuitMessage(int nExitCode) {
  PostUiTask([nExitCode] { RequestQuit(nExitCode); });
}

UINT RegisterWindowMessage(LPCTSTR lpString) {
  CDuiString name(lpString);
  if (name.IsEmpty()) return 0;
  name.MakeLower();
  RegisteredMessages& table = Registered();
  std::lock_guard guard(table.mutex);
  auto [it, added] = table.ids.emplace(name, table.next);
  if (added) ++table.next;
  return it->second;
}

uintptr_t SetTimer(HWND hWnd, uintptr_t nIDEvent, UINT uElapse) {
  if (!IsOnUiThread()) {
    if (!IsWindowHandleAlive(hWnd)) return 0;
    PostUiTask([hWnd, nIDEvent, uElapse] { SetTimer(hWnd, nIDEvent, uElapse); });
    return nIDEvent;
  }
  CNativeWindow* native = NativeWindowOf(hWnd);
  if (!native || native->destroying) return 0;
  native->SetTimer(UINT(nIDEvent), uElapse);
  return nIDEvent;
}

bool KillTimer(HWND hWnd, uintptr_t nIDEvent) {
  if (!IsOnUiThread()) {
    if (!IsWindowHandleAlive(hWnd)) return false;
    return PostUiTask([hWnd, nIDEvent] { KillTimer(hWnd, nIDEvent); });
  }
  CNativeWindow* native = NativeWindowOf(hWnd);
  return native && native->KillTimer(UINT(nIDEvent));
}

bool IsWindow(HWND hWnd) { return IsWindowHandleAlive(hWnd); }

bool IsWindowVisible(HWND hWnd) {
  QWidget* widget = HostWidgetOf(hWnd);
  return widget && widget->isVisible();
}

bool IsIconic(HWND hWnd) {
  QWidget* widget = HostWidgetOf(hWnd);
  return widget && widget->isMinimized();
}

bool IsZoomed(HWND hWnd) {
  QWidget* widget = HostWidgetOf(hWnd);
  return widget && widget->isMaximized();
}

bool ShowWindow(HWND hWnd, int nCmdShow) {
  QWidget* widget = HostWidgetOf(hWnd);
  if (!widget) return false;
  bool wasVisible = widget->isVisible();
  switch (nCmdShow) {
    case SW_HIDE:
      widget->hide();
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
      widget->showMinimized();
      break;
    case SW_SHOWMAXIMIZED:
      widget->showMaximized();
      break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
      widget->showNormal();
      RaiseWidget(widget);
      widget->activateWindow();
      break;
    case SW_SHOWNOACTIVATE:
      widget->setAttribute(Qt::WA_ShowWithoutActivating);
      widget->show();
      break;
    default:
      widget->show();
      RaiseWidget(widget);
      widget->activateWindow();
      break;
  }
  return wasVisible;
}

bool DestroyWindow(HWND hWnd) {
  CNativeWindow* native = NativeWindowOf(hWnd);
  if (!native) return false;
  native->Destroy();
  return true;
}

bool EnableWindow(HWND hWnd, bool bEnable) {
  QWidget* widget = HostWidgetOf(hWnd);
  if (!widget) return false;
  bool wasDisabled = !widget->isEnabled();
  widget->setEnabled(bEnable);
  return wasDisabled;
}

bool IsWindowEnabled(HWND hWnd) {
  QWidget* widget = HostWidgetOf(hWnd);
  return widget && widget->isEnabled();
}

HWND GetWindowOwner(HWND hWnd) {
  CNativeWindow* native = NativeWindowOf(hWnd);
  return native ? native->owner : nullptr;
}

bool GetWindowRect(HWND hWnd, RECT* lpRect) {
  QWidget* widget = HostWidgetOf(hWnd);
  if (!widget || !lpRect) return false;
  *lpRect = ToRect(widget->geometry());
  return true;
}

bool GetClientRect(HWND hWnd, RECT* lpRect) {
  QWidget* widget = HostWidgetOf(hWnd);
  if (!widget || !lpRect) return false;
  *lpRect = RECT{0, 0, widget->width(), widget->height()};
  return true;
}

bool MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, bool) {
  QWidget* widget = HostWidgetOf(hWnd);
  if (!widget) return false;
  widget->setGeometry(x, y, nWidth, nHeight);
  return true;
}

bool SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags) {
  QWidget* widget = HostWidgetOf(hWnd);
  if (!widget) return false;
  if (!(uFlags & SWP_NOSIZE)) widget->resize(cx, cy);
  if (!(uFlags & SWP_NOMOVE)) widget->move(x, y);
  if (uFlags & SWP_HIDEWINDOW) widget->hide();
  if (uFlags & SWP_SHOWWINDOW) widget->show();
  if (!(uFlags & SWP_NOZORDER) && (hWndInsertAfter == HWND_TOPMOST || hWndInsertAfter == HWND_TOP)) {
    RaiseWidget(widget);
    if (!(uFlags & SWP_NOACTIVATE)) widget->activateWindow();
  }
  return true;
}

bool SetForegroundWindow(HWND hWnd) {
  QWidget* widget = HostWidgetOf(hWnd);
  if (!widget) return false;
  RaiseWidget(widget);
  widget->activateWindow();
  return true;
}

bool ClientToScreen(HWND hWnd, POINT* lpPoint) {
  QWidget* widget = HostWidgetOf(hWnd);
  if (!widget || !lpPoint) return false;
  QPoint global = widget->mapToGlobal(QPoint(lpPoint->x, lpPoint->y));
  *lpPoint = POINT{global.x(), global.y()};
  return true;
}

bool ScreenToClient(HWND hWnd, POINT* lpPoint) {
  QWidget* widget = HostWidgetOf(hWnd);
  if (!widget || !lpPoint) return false;
  QPoint local = widget->mapFromGlobal(QPoint(lpPoint->x, lpPoint->y));
  *lpPoint = POINT{local.x(), local.y()};
  return true;
}

bool InvalidateRect(HWND hWnd, const RECT* lpRect, bool) {
  QWidget* widget = HostWidgetOf(hWnd);
  if (!widget) return false;
  if (lpRect) {
    widget->update(QRect(lpRect->left, lpRect->top, RectWidth(*lpRect), RectHeight(*lpRect)));
  } else {
    widget->update();
  }
  return true;
}

bool GetCursorPos(POINT* lpPoint) {
  if (!lpPoint) return false;
  QPoint pos = QCursor::pos();
  *lpPoint = POINT{pos.x(), pos.y()};
  return true;
}

int GetSystemMetrics(int nIndex) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 0;
  if (nIndex == SM_CXSCREEN) return screen->geometry().width();
  if (nIndex == SM_CYSCREEN) return screen->geometry().height();
  return 0;
}

bool GetMonitorRect(HWND hWnd, RECT* lpMonitor, RECT* lpWork) {
  QScreen* screen = ScreenOf(hWnd);
  if (!screen) return false;
  if (lpMonitor) *lpMonitor = ToRect(screen->geometry());
  if (lpWork) *lpWork = ToRect(screen->availableGeometry());
  return true;
}
