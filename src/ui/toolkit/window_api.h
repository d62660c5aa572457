#pragma once
#include "ui/toolkit/ui_messages.h"
#include "ui/toolkit/ui_types.h"

// Window functions by handle, for code written against the Windows calls of the same names.
// Handles are toolkit windows of this process; a stale handle makes them fail quietly.

// Any thread. From the user-interface thread the window handles it at once; from another thread
// the call waits until the user-interface thread has handled it, and returns 0 if the window
// goes away first.
LRESULT SendMessage(HWND hWnd, UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
// Any thread; handled later, in order, on the user-interface thread.
bool PostMessage(HWND hWnd, UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
// Ends the message loop (and every modal loop inside it).
void PostQuitMessage(int nExitCode);
// One process-wide id (0xC000 and up) per name; names compare case-insensitively.
UINT RegisterWindowMessage(LPCTSTR lpString);

// Window timers: WM_TIMER with the id in wParam, repeating until killed. Any thread.
uintptr_t SetTimer(HWND hWnd, uintptr_t nIDEvent, UINT uElapse);
bool KillTimer(HWND hWnd, uintptr_t nIDEvent);

// The rest: user-interface thread.
bool IsWindow(HWND hWnd);
bool IsWindowVisible(HWND hWnd);
bool IsIconic(HWND hWnd);
bool IsZoomed(HWND hWnd);
// SW_HIDE, SW_SHOW, SW_SHOWNORMAL, SW_SHOWNOACTIVATE, SW_MINIMIZE/SW_SHOWMINIMIZED,
// SW_SHOWMAXIMIZED, SW_RESTORE.
bool ShowWindow(HWND hWnd, int nCmdShow);
bool DestroyWindow(HWND hWnd);
bool EnableWindow(HWND hWnd, bool bEnable);
bool IsWindowEnabled(HWND hWnd);
HWND GetWindowOwner(HWND hWnd);
bool GetWindowRect(HWND hWnd, RECT* lpRect);
bool GetClientRect(HWND hWnd, RECT* lpRect);
bool MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, bool bRepaint = true);
// Understood: SWP_NOMOVE, SWP_NOSIZE, SWP_NOACTIVATE, SWP_SHOWWINDOW, SWP_HIDEWINDOW;
// HWND_TOPMOST and HWND_TOP raise the window.
bool SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
bool SetForegroundWindow(HWND hWnd);
bool ClientToScreen(HWND hWnd, POINT* lpPoint);
bool ScreenToClient(HWND hWnd, POINT* lpPoint);
bool InvalidateRect(HWND hWnd, const RECT* lpRect, bool bErase = true);
bool GetCursorPos(POINT* lpPoint);
// SM_CXSCREEN, SM_CYSCREEN: the primary screen.
int GetSystemMetrics(int nIndex);
// The full and work-area rectangles of the monitor the window is on (the primary one without a
// window).
bool GetMonitorRect(HWND hWnd, RECT* lpMonitor, RECT* lpWork);
