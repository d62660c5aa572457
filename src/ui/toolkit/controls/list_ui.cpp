#include "ui/toolkit/controls/list_ui.h"

#include "ui/toolkit/paint_manager_ui.h"

CListUI::CListUI() { m_bVScrollEnabled = true; }

LPCTSTR CListUI::GetClass() const { return "List"; }

void* CListUI::GetInterface(LPCTSTR pstrName) {
  CDuiString name(pstrName);
  if (name.CompareNoCase("List") == 0) return static_cast<CListUI*>(this);
  if (name.CompareNoCase("IListOwner") == 0) return static_cast<IListOwnerUI*>(this);
  return CVerticalLayoutUI::GetInterface(pstrName);
}

UINT CListUI::GetControlFlags() const { return UIFLAG_TABSTOP; }

bool CListUI::Add(CControlUI* pControl) { return AddAt(pControl, -1); }

bool CListUI::AddAt(CControlUI* pControl, int iIndex) {
  // From a worker the base hands the item over and this runs again on the user-interface thread.
  if (IsMarshalNeeded()) return CVerticalLayoutUI::AddAt(pControl, iIndex);
  if (!CVerticalLayoutUI::AddAt(pControl, iIndex)) return false;
  m_owner.ItemInserted(GetItemIndex(pControl), this);
  return true;
}

bool CListUI::Remove(CControlUI* pControl, bool bDoNotDestroy) {
  if (PostToUiThread([this, pControl, bDoNotDestroy] { Remove(pControl, bDoNotDestroy); })) return true;
  int index = GetItemIndex(pControl);
  return index >= 0 && RemoveItemAt(index, bDoNotDestroy, true);
}

bool CListUI::RemoveAt(int iIndex, bool bTrigger) {
  if (PostToUiThread([this, iIndex, bTrigger] { RemoveAt(iIndex, bTrigger); })) return true;
  return RemoveItemAt(iIndex, false, bTrigger);
}

bool CListUI::RemoveItemAt(int iIndex, bool bDoNotDestroy, bool bTrigger) {
  CControlUI* control = GetItemAt(iIndex);
  if (!control) return false;
  if (IListItemUI* item = static_cast<IListItemUI*>(control->GetInterface("ListItem"))) item->SetOwner(nullptr);
  int oldSel = GetCurSel();
  if (!CVerticalLayoutUI::RemoveAt(iIndex, bDoNotDestroy)) return false;
  if (m_owner.ItemRemoved(iIndex)) {
    int next = m_owner.FindSelectable(iIndex, true);
    m_owner.SelectOnly(next);
    if (bTrigger) NotifySelection(oldSel);
  }
  return true;
}

void CListUI::RemoveAll() {
  if (PostToUiThread([this] { RemoveAll(); })) return;
  m_owner.Reset();
  CVerticalLayoutUI::RemoveAll();
}

void CListUI::NotifySelection(int oldSel) {
  if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMSELECT, WPARAM(GetCurSel()), LPARAM(oldSel));
}

bool CListUI::SelectItem(int iIndex, bool bTrigger) {
  if (PostToUiThread([this, iIndex, bTrigger] { SelectItem(iIndex, bTrigger); })) return true;
  if (iIndex >= GetCount() || (iIndex >= 0 && !m_owner.ItemAt(iIndex))) return false;
  int oldSel = GetCurSel();
  if (!m_owner.SelectOnly(iIndex < 0 ? -1 : iIndex)) return true;
  if (iIndex >= 0) EnsureVisible(iIndex);
  if (bTrigger) NotifySelection(oldSel);
  return true;
}

bool CListUI::SelectMultiItem(int iIndex, bool bTrigger) {
  if (PostToUiThread([this, iIndex, bTrigger] { SelectMultiItem(iIndex, bTrigger); })) return true;
  int oldSel = GetCurSel();
  if (!m_owner.AddToSelection(iIndex)) return false;
  if (bTrigger) NotifySelection(oldSel);
  return true;
}

bool CListUI::UnSelectItem(int iIndex, bool bTrigger) {
  if (PostToUiThread([this, iIndex, bTrigger] { UnSelectItem(iIndex, bTrigger); })) return true;
  int oldSel = GetCurSel();
  if (!m_owner.RemoveFromSelection(iIndex)) return false;
  if (bTrigger) NotifySelection(oldSel);
  return true;
}

void CListUI::UnSelectAllItems(bool bTrigger) { SelectItem(-1, bTrigger); }

void CListUI::EnsureVisible(int iIndex) {
  if (CControlUI* control = GetItemAt(iIndex)) ScrollIntoView(control);
}

void CListUI::DoEvent(TEventUI& event) {
  if (event.Type == UIEVENT_KEYDOWN && IsEnabled()) {
    int cur = GetCurSel();
    int target = -2;
    switch (event.chKey) {
      case VK_UP:
        target = m_owner.FindSelectable(cur - 1, false);
        break;
      case VK_DOWN:
        target = m_owner.FindSelectable(cur + 1, true);
        break;
      case VK_HOME:
        target = m_owner.FindSelectable(0, true);
        break;
      case VK_END:
        target = m_owner.FindSelectable(GetCount() - 1, false);
        break;
      default:
        break;
    }
    if (target != -2) {
      if (target >= 0) SelectItem(target);
      return;
    }
  }
  CVerticalLayoutUI::DoEvent(event);
}

void CListUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  if (m_owner.SetItemAttribute(name, value)) {
    NeedUpdate();
    return;
  }
  CVerticalLayoutUI::SetAttribute(pstrName, pstrValue);
}
