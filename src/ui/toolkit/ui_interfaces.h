#pragma once
#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/ui_messages.h"
#include "ui/toolkit/ui_types.h"

class CControlUI;

// One input event handed to a control (CControlUI::DoEvent). Mouse positions are client
// pixels of the window; wKeyState carries the MK_ bits of the mouse message; a timer event
// carries its id in wParam.
struct TEventUI {
  int Type = 0;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse;
  UINT chKey = 0;
  WORD wKeyState = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// One notification ("click", "selectchanged", ...) from a control to the window's notifiers.
struct TNotifyUI {
  CDuiString sType;
  CDuiString sVirtualWnd;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  // A handler that acted on the notification sets this; the window base then leaves it alone
  // (it only runs its default for the caption buttons when nothing else did).
  bool bHandled = false;
};

class INotifyUI {
 public:
  virtual ~INotifyUI() = default;
  virtual void Notify(TNotifyUI& msg) = 0;
};

// Sees a window's messages before the toolkit handles them; setting bHandled stops them there.
class IMessageFilterUI {
 public:
  virtual ~IMessageFilterUI() = default;
  virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;
};

// Supplies texts for language keys the language file lacks; an empty result means "unknown".
class IQueryControlText {
 public:
  virtual ~IQueryControlText() = default;
  virtual CDuiString QueryControlText(const CDuiString& key, const CDuiString& type) = 0;
};

// Creates controls for layout tags the toolkit does not know (see CDialogBuilder).
class IDialogBuilderCallback {
 public:
  virtual ~IDialogBuilderCallback() = default;
  virtual CControlUI* CreateControl(LPCTSTR pstrClass) = 0;
};

// A record the toolkit allocates and hands out by pointer in a message (WM_MENUCLICK); the
// receiver frees it with CPaintManagerUI::DeletePtr.
struct CMessageRecord {
  virtual ~CMessageRecord() = default;
};
