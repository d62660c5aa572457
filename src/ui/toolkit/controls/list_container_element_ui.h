#pragma once
#include "ui/toolkit/controls/list_interfaces.h"
#include "ui/toolkit/horizontal_layout_ui.h"

// A list row that holds other controls. Pressing it sends "itemclick" and selects it; with Ctrl
// held it is added to or taken out of the selection instead. A double click (or Enter)
// activates it ("itemactivate"); a right click sends "menu" when menu="true". Attributes
// normalimage, hotimage and selectedimage override the list's item images for this row.
class CListContainerElementUI : public CHorizontalLayoutUI, public IListItemUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  UINT GetControlFlags() const override;

  int GetIndex() const override { return m_iIndex; }
  void SetIndex(int iIndex) override { m_iIndex = iIndex; }
  IListOwnerUI* GetOwner() override { return m_pOwner; }
  void SetOwner(CControlUI* pOwner) override;
  bool IsSelected() const override { return m_bSelected; }
  bool Select(bool bSelect = true, bool bTrigger = true) override;
  void SetSelectedState(bool bSelected) override;
  bool Activate() override;
  bool IsHot() const { return (m_uButtonState & UISTATE_HOT) != 0; }
  void SetVisible(bool bVisible = true) override;

  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintStatusImage(HDC hDC) override;

 protected:
  int m_iIndex = -1;
  IListOwnerUI* m_pOwner = nullptr;
  bool m_bSelected = false;
  UINT m_uButtonState = 0;
  CDuiString m_sNormalImage;
  CDuiString m_sHotImage;
  CDuiString m_sSelectedImage;
};
