#pragma once
#include "ui/toolkit/control_ui.h"
#include "ui/toolkit/controls/list_interfaces.h"

// The shared behaviour of simple list items: index, owner, selected and hot state, and the
// owner's look (TListInfoUI) for background and text.
class CListElementUI : public CControlUI, public IListItemUI {
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
  void SetVisible(bool bVisible = true) override;

 protected:
  void PaintItemBackground(HDC hDC);
  DWORD ItemTextColor() const;

  int m_iIndex = -1;
  IListOwnerUI* m_pOwner = nullptr;
  bool m_bSelected = false;
  UINT m_uButtonState = 0;
};
