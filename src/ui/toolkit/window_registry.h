#pragma once
#include <vector>

#include "ui/toolkit/ui_types.h"

class CWindowWnd;

// The process's table of live toolkit windows by handle (internal to the toolkit). Handles are
// never reused, so a message posted to a window that has gone finds nothing and is dropped.

HWND RegisterWindowHandle(CWindowWnd* window);
void UnregisterWindowHandle(HWND hWnd);
// The window behind a live handle, or null. User-interface thread.
CWindowWnd* LookupWindow(HWND hWnd);
// Any thread.
bool IsWindowHandleAlive(HWND hWnd);
std::vector<HWND> AllWindowHandles();

// SendMessage from a worker thread: queued to the user-interface thread, waited for, and
// answered with 0 if the window goes away (or the user-interface thread stops) first.
LRESULT SendMessageAcrossThreads(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
void CancelPendingSends(HWND hWnd);
void CancelAllPendingSends();

// Delivers a message to a live window on the user-interface thread (defined with CWindowWnd).
LRESULT DeliverWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
