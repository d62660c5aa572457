#pragma once
#include <memory>

#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/ui_messages.h"
#include "ui/toolkit/ui_types.h"

class CNativeWindow;

// One top-level window: a frameless native window that the toolkit paints entirely. Messages
// reach HandleMessage from the window system (input, size, close), from PostMessage /
// SendMessage on any thread, and from window timers.
//
// Destruction: Close(result) posts WM_CLOSE (with the result in wParam); the default WM_CLOSE
// handling destroys the window: owned windows first, then WM_DESTROY, WM_NCDESTROY and
// OnFinalMessage, which may delete this object. A window-manager close (title bar, Alt+F4)
// arrives as WM_SYSCOMMAND SC_CLOSE, which a window may refuse.
class CWindowWnd {
 public:
  CWindowWnd();
  virtual ~CWindowWnd();
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  HWND GetHWND() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }  // NOLINT(google-explicit-constructor)

  // hwndParent is the owner (the new window stays above it and modal loops disable it).
  // Understood styles: WS_VISIBLE (shown at once), WS_EX_TOOLWINDOW (no task-bar entry),
  // WS_EX_TOPMOST, WS_EX_NOACTIVATE. CW_USEDEFAULT leaves position or size to the toolkit.
  HWND Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT& rc);
  HWND Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x = CW_USEDEFAULT,
              int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT);
  HWND CreateDuiWindow(HWND hwndParent, LPCTSTR pstrWindowName, DWORD dwStyle = 0, DWORD dwExStyle = 0);

  void ShowWindow(bool bShow = true, bool bTakeFocus = true);
  // Shows the window and runs a nested loop until it is destroyed; the owner is disabled
  // meanwhile. Timers, posted and sent messages of every window keep being handled. A quit
  // (PostQuitMessage) inside ends this loop and every outer one. Returns the result passed to
  // Close, or 0. The object may be gone when this returns if OnFinalMessage deleted it.
  UINT ShowModal();
  void Close(UINT nRet = IDOK);
  // Centres over the owner when it is visible, else on the monitor's work area.
  void CenterWindow();
  // The icon registered under that id in res.xml (<Icon id="107" file="..."/>).
  void SetIcon(UINT nRes);
  LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Client size in pixels; -1 keeps that dimension.
  void ResizeClient(int cx = -1, int cy = -1);

  virtual LPCTSTR GetWindowClassName() const = 0;
  virtual LPCTSTR GetSuperClassName() const;
  virtual UINT GetClassStyle() const;

 protected:
  // The default handling of what the window did not handle itself (DefWindowProc).
  virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
  virtual void OnFinalMessage(HWND hWnd);

  HWND m_hWnd = nullptr;

 private:
  friend class CNativeWindow;
  friend LRESULT DeliverWindowMessage(HWND, UINT, WPARAM, LPARAM);
  friend CNativeWindow* NativeWindowOf(HWND);
  std::unique_ptr<CNativeWindow> m_native;
};
