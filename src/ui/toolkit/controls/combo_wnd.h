#pragma once
// The drop-down window of a combo (internal): a popup holding the combo's items while it is
// open. The items stay the combo's; they are lent to the popup's list and handed back on close.
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/window_wnd.h"

class CComboUI;
class CVerticalLayoutUI;

class CComboWnd : public CWindowWnd, public INotifyUI {
 public:
  explicit CComboWnd(CComboUI* owner);
  ~CComboWnd() override;

  bool Open();
  void Notify(TNotifyUI& msg) override;
  LPCTSTR GetWindowClassName() const override { return "ComboWnd"; }

 protected:
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hWnd) override;

 private:
  void ReturnItems();

  CComboUI* m_pOwner;
  CPaintManagerUI m_pm;
  CVerticalLayoutUI* m_pLayout = nullptr;
  bool m_bItemsLent = false;
};
