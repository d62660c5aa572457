#include "ui/toolkit/tab_layout_ui.h"

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/paint_manager_ui.h"

LPCTSTR CTabLayoutUI::GetClass() const { return "TabLayout"; }

void* CTabLayoutUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("TabLayout") == 0) return static_cast<CTabLayoutUI*>(this);
  return CContainerUI::GetInterface(pstrName);
}

bool CTabLayoutUI::Add(CControlUI* pControl) { return AddAt(pControl, -1); }

bool CTabLayoutUI::AddAt(CControlUI* pControl, int iIndex) {
  if (!pControl) return false;
  // From a worker the base hands the control over, and this override runs again on the
  // user-interface thread.
  if (IsMarshalNeeded()) return CContainerUI::AddAt(pControl, iIndex);
  if (!CContainerUI::AddAt(pControl, iIndex)) return false;
  int index = GetItemIndex(pControl);
  if (m_iCurSel < 0 && pControl->IsVisible()) {
    m_iCurSel = index;
  } else {
    if (index <= m_iCurSel) ++m_iCurSel;
    pControl->SetVisible(false);
  }
  if (m_iInitialSel >= 0 && index == m_iInitialSel) SelectItem(index, false);
  return true;
}

bool CTabLayoutUI::Remove(CControlUI* pControl, bool bDoNotDestroy) {
  int index = GetItemIndex(pControl);
  if (index < 0) return CContainerUI::Remove(pControl, bDoNotDestroy);
  return RemoveAt(index, bDoNotDestroy);
}

bool CTabLayoutUI::RemoveAt(int iIndex, bool bDoNotDestroy) {
  if (PostToUiThread([this, iIndex, bDoNotDestroy] { RemoveAt(iIndex, bDoNotDestroy); })) return true;
  if (!CContainerUI::RemoveAt(iIndex, bDoNotDestroy)) return false;
  if (m_iCurSel == iIndex) {
    m_iCurSel = -1;
    if (GetCount() > 0) SelectItem(iIndex < GetCount() ? iIndex : GetCount() - 1, false);
  } else if (m_iCurSel > iIndex) {
    --m_iCurSel;
  }
  return true;
}

void CTabLayoutUI::RemoveAll() {
  if (PostToUiThread([this] { RemoveAll(); })) return;
  m_iCurSel = -1;
  CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectItem(int iIndex, bool bTrigger) {
  if (PostToUiThread([this, iIndex, bTrigger] { SelectItem(iIndex, bTrigger); })) return true;
  if (iIndex < 0 || iIndex >= GetCount()) return false;
  if (iIndex == m_iCurSel) return true;
  int old = m_iCurSel;
  m_iCurSel = iIndex;
  for (int i = 0; i < GetCount(); ++i) GetItemAt(i)->SetVisible(i == iIndex);
  NeedParentUpdate();
  NeedUpdate();
  if (bTrigger && m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_TABSELECT, WPARAM(m_iCurSel), LPARAM(old));
  return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* pControl, bool bTrigger) {
  int index = GetItemIndex(pControl);
  return index >= 0 && SelectItem(index, bTrigger);
}

void CTabLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CControlUI::SetPos(rc, bNeedInvalidate);
  RECT area = GetChildArea();
  for (int i = 0; i < GetCount(); ++i) {
    CControlUI* control = GetItemAt(i);
    if (!control->IsVisible()) continue;
    if (control->IsFloat()) {
      SetFloatPos(i);
      continue;
    }
    RECT pad = control->GetPadding();
    control->SetPos(RECT{area.left + pad.left, area.top + pad.top, area.right - pad.right, area.bottom - pad.bottom},
                    false);
  }
}

void CTabLayoutUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  if (CDuiString(pstrName) == "selectedid") {
    m_iInitialSel = ParseIntValue(pstrValue ? pstrValue : "");
    if (m_iInitialSel < GetCount()) SelectItem(m_iInitialSel, false);
    return;
  }
  CContainerUI::SetAttribute(pstrName, pstrValue);
}
