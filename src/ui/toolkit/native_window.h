#pragma once
// The Qt side of a toolkit window (internal to src/ui): the frameless QWidget the window paints
// into, and the record that ties it to its CWindowWnd, paint manager, timers and modal loop.
#include <QPoint>
#include <QWidget>
#include <map>
#include <memory>

#include "ui/toolkit/ui_messages.h"
#include "ui/toolkit/ui_types.h"

class CControlTimer;
class CNativeWindow;
class CPaintManagerUI;
class CUiLoop;
class CWindowWnd;

// Extended style of the toolkit's own popups (menus, drop-down lists): they close when the
// user clicks outside them.
inline constexpr DWORD WS_EX_UI_POPUP = 0x40000000u;

class CHostWidget : public QWidget {
 public:
  CHostWidget(CNativeWindow* native, Qt::WindowFlags flags);
  void Detach() { native_ = nullptr; }
  CNativeWindow* Native() const { return native_; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  bool StartCaptionDragOrResize(QMouseEvent* event);

  CNativeWindow* native_;
  bool manualDrag_ = false;
  QPoint dragOffset_;
};

struct CModalState;

class CNativeWindow {
 public:
  explicit CNativeWindow(CWindowWnd* window);
  ~CNativeWindow();
  CNativeWindow(const CNativeWindow&) = delete;
  CNativeWindow& operator=(const CNativeWindow&) = delete;

  void CreateWidget(HWND owner, LPCTSTR title, DWORD style, DWORD exStyle, int x, int y, int cx, int cy);
  // The window's HandleMessage.
  LRESULT Dispatch(UINT uMsg, WPARAM wParam, LPARAM lParam);
  // Input from the window system: the paint manager's pre-filters first, then HandleMessage.
  LRESULT DispatchInput(UINT uMsg, WPARAM wParam, LPARAM lParam);
  // DestroyWindow: owned windows, WM_DESTROY, WM_NCDESTROY, OnFinalMessage (which may delete
  // the window object and with it this record; nothing runs after it).
  void Destroy();
  // The window object is being deleted while its window exists: no more calls into it.
  void TearDownQuietly();
  bool SetTimer(UINT id, UINT elapse);
  bool KillTimer(UINT id);

  CWindowWnd* window;
  CHostWidget* widget = nullptr;
  HWND owner = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  CPaintManagerUI* manager = nullptr;
  CModalState* modal = nullptr;
  UINT closeResult = 0;
  bool destroying = false;
  std::map<UINT, std::unique_ptr<CControlTimer>> timers;

 private:
  void ReleaseWidget();
};

struct CModalState {
  CUiLoop* loop = nullptr;
  UINT result = 0;
  bool done = false;
};

// The native part of a live window, or null. User-interface thread.
CNativeWindow* NativeWindowOf(HWND hWnd);
QWidget* HostWidgetOf(HWND hWnd);
// The Windows virtual-key code of a Qt key (0 when there is none).
UINT QtKeyToVirtualKey(int key, Qt::KeyboardModifiers modifiers);
