#pragma once
#include <vector>

#include "ui/toolkit/controls/list_interfaces.h"
#include "ui/toolkit/controls/list_item_owner.h"
#include "ui/toolkit/vertical_layout_ui.h"

// A scrolling column of items (CListLabelElementUI, CListContainerElementUI or controls derived
// from them). An item's index is its position among all items, hidden ones included.
//
// For lists the flag of RemoveAt is the trigger, like SelectItem's: removing the current item
// selects its neighbour and sends "itemselect" unless bTrigger is false. Removed items are
// always destroyed (use Remove(control, true) to keep one). Up/Down/Home/End move the selection.
// Attributes: the item... set (itemtextcolor, itemselectedbkcolor, itemhotbkcolor,
// itemlinecolor, itemhotbordercolor, itemfont, itemheight, itemalign, itemtextpadding, ...).
class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
 public:
  CListUI();
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  UINT GetControlFlags() const override;

  bool Add(CControlUI* pControl) override;
  bool AddAt(CControlUI* pControl, int iIndex) override;
  bool Remove(CControlUI* pControl, bool bDoNotDestroy = false) override;
  bool RemoveAt(int iIndex, bool bTrigger = true) override;
  void RemoveAll() override;

  TListInfoUI* GetListInfo() override { return &m_owner.Info(); }
  int GetCurSel() const override { return m_owner.CurSel(); }
  std::vector<int> GetSelectedItems() const { return m_owner.Selected(); }
  // Any thread.
  bool SelectItem(int iIndex, bool bTrigger = true) override;
  bool SelectMultiItem(int iIndex, bool bTrigger = true) override;
  bool UnSelectItem(int iIndex, bool bTrigger = true) override;
  void UnSelectAllItems(bool bTrigger = false);
  // Scrolls the item into view.
  void EnsureVisible(int iIndex);

  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

 private:
  bool RemoveItemAt(int iIndex, bool bDoNotDestroy, bool bTrigger);
  void NotifySelection(int oldSel);

  CListItemOwner m_owner{this};
};
