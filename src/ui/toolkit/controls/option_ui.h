#pragma once
#include "ui/toolkit/controls/button_ui.h"

// A button with a selected state. Options sharing a group (attribute group, scoped to the
// window) are mutually exclusive; an option without a group toggles. An option may be bound to a
// page of a tab layout (bindtablayoutname, bindtabindex): selecting it shows that page.
//
// A user click sends "click", then "selectchanged" when the state changed, then "checkclick".
// Selected(state, trigger) from code sends "selectchanged" (wParam 1 selected, 0 not) only
// when trigger is true.
class COptionUI : public CButtonUI {
 public:
  COptionUI();
  ~COptionUI() override;
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
  void DoInit() override;
  bool Activate() override;
  void SetEnabled(bool bEnable = true) override;

  const CDuiString& GetGroup() const { return m_sGroupName; }
  void SetGroup(LPCTSTR pStrGroupName);
  bool IsSelected() const { return m_bSelected; }
  // Any thread.
  virtual void Selected(bool bSelected, bool bTriggerEvent = true);

  void BindTabIndex(int index) { m_iBindTabIndex = index; }
  void BindTabLayoutName(LPCTSTR pTabLayoutName) { m_sBindTabLayoutName = pTabLayoutName; }
  int GetBindTabLayoutIndex() const { return m_iBindTabIndex; }
  const CDuiString& GetBindTabLayoutName() const { return m_sBindTabLayoutName; }

  const CDuiString& GetSelectedImage() const { return m_sSelectedImage; }
  void SetSelectedImage(LPCTSTR pStrImage);  // any thread
  void SetSelectedHotImage(LPCTSTR pStrImage);
  void SetSelectedPushedImage(LPCTSTR pStrImage);
  void SetSelectedForeImage(LPCTSTR pStrImage);
  void SetSelectedTextColor(DWORD dwTextColor);
  DWORD GetSelectedTextColor() const { return m_dwSelectedTextColor; }
  void SetSelectedBkColor(DWORD dwBkColor);
  DWORD GetSelectedBkColor() const { return m_dwSelectedBkColor; }

  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintBkColor(HDC hDC) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;
  void PaintForeImage(HDC hDC) override;

 protected:
  void SelectBoundTab(bool bTriggerEvent);

  bool m_bSelected = false;
  CDuiString m_sGroupName;
  int m_iBindTabIndex = -1;
  CDuiString m_sBindTabLayoutName;
  CDuiString m_sSelectedImage;
  CDuiString m_sSelectedHotImage;
  CDuiString m_sSelectedPushedImage;
  CDuiString m_sSelectedForeImage;
  DWORD m_dwSelectedTextColor = 0;
  DWORD m_dwSelectedBkColor = 0;
};
