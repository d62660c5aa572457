#pragma once
#include "ui/toolkit/notify_pump.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/ui_interfaces.h"
#include "ui/toolkit/window_wnd.h"

// A window built from a layout file: on WM_CREATE it builds GetSkinFile() (a res.xml id such as
// "XML_MAIN", or a file in the skin folder) with itself as the builder callback, attaches the
// tree, becomes its notifier and pre-message filter, and calls InitWindow. Notifications reach
// Notify; "click" notifications then reach OnClick.
//
// Caption buttons: OnClick handles "closebtn" (Close(IDCANCEL)), "minbtn", "maxbtn" and
// "restorebtn" (the system commands) only when the notification is not marked handled. A window
// that handles those buttons in its own Notify sets msg.bHandled = true (or overrides OnClick).
//
// Message order in HandleMessage: the On... handlers below, then HandleCustomMessage, then the
// paint manager (controls), then the default handling of CWindowWnd.
class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback,
                       public IQueryControlText {
 public:
  WindowImplBase() = default;
  ~WindowImplBase() override = default;

  virtual void InitWindow() {}
  void OnFinalMessage(HWND hWnd) override;
  void Notify(TNotifyUI& msg) override;
  virtual void OnClick(TNotifyUI& msg);
  CPaintManagerUI* GetPaintManager() { return &m_pm; }

 protected:
  virtual CDuiString GetSkinFolder() { return CDuiString(); }
  virtual CDuiString GetSkinFile() = 0;
  UINT GetClassStyle() const override { return CS_DBLCLKS; }
  CControlUI* CreateControl(LPCTSTR pstrClass) override;
  CDuiString QueryControlText(const CDuiString& key, const CDuiString& type) override;
  // As a pre-message filter: Enter and Escape key-downs go to ResponseDefaultKeyEvent, whose
  // non-zero result consumes the key.
  LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  // Enter: not consumed (0); Escape: consumed (1).
  virtual LRESULT ResponseDefaultKeyEvent(WPARAM wParam);

  virtual LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  // SC_CLOSE becomes WM_CLOSE (override to refuse it); other commands run the default and keep
  // "maxbtn"/"restorebtn" in step with the maximised state.
  virtual LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnSetFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  virtual LRESULT OnLButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  // Messages the handlers above did not take (private and registered messages, timers).
  virtual LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  bool LoopDispatch(TNotifyUI& msg) override;

  CPaintManagerUI m_pm;
};
