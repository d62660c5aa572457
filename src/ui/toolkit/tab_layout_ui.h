#pragma once
#include "ui/toolkit/container_ui.h"

// Pages: every child fills the container and only the selected one is visible. Selecting sends
// "tabselect" (wParam new page, lParam old page) unless told not to.
class CTabLayoutUI : public CContainerUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  bool Add(CControlUI* pControl) override;
  bool AddAt(CControlUI* pControl, int iIndex) override;
  bool Remove(CControlUI* pControl, bool bDoNotDestroy = false) override;
  bool RemoveAt(int iIndex, bool bDoNotDestroy = false) override;
  void RemoveAll() override;

  int GetCurSel() const { return m_iCurSel; }
  // Any thread.
  virtual bool SelectItem(int iIndex, bool bTrigger = true);
  bool SelectItem(CControlUI* pControl, bool bTrigger = true);

  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

 private:
  int m_iCurSel = -1;
  int m_iInitialSel = -1;
};
