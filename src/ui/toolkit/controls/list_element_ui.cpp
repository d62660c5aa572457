#include "ui/toolkit/controls/list_element_ui.h"

#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"

LPCTSTR CListElementUI::GetClass() const { return "ListElement"; }

void* CListElementUI::GetInterface(LPCTSTR pstrName) {
  CDuiString name(pstrName);
  if (name.CompareNoCase("ListItem") == 0) return static_cast<IListItemUI*>(this);
  if (name.CompareNoCase("ListElement") == 0) return static_cast<CListElementUI*>(this);
  return CControlUI::GetInterface(pstrName);
}

UINT CListElementUI::GetControlFlags() const { return UIFLAG_WANTRETURN; }

void CListElementUI::SetOwner(CControlUI* pOwner) {
  m_pOwner = pOwner ? static_cast<IListOwnerUI*>(pOwner->GetInterface("IListOwner")) : nullptr;
}

bool CListElementUI::Select(bool bSelect, bool bTrigger) {
  if (bSelect == m_bSelected) return true;
  m_bSelected = bSelect;
  if (bSelect && m_pOwner) m_pOwner->SelectItem(m_iIndex, bTrigger);
  Invalidate();
  return true;
}

void CListElementUI::SetSelectedState(bool bSelected) {
  m_bSelected = bSelected;
  Invalidate();
}

bool CListElementUI::Activate() {
  if (!CControlUI::Activate()) return false;
  if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMACTIVATE);
  return true;
}

void CListElementUI::SetVisible(bool bVisible) {
  if (PostToUiThread([this, bVisible] { SetVisible(bVisible); })) return;
  CControlUI::SetVisible(bVisible);
  // A hidden item keeps its index and its place; it only stops being the selection.
  if (!IsVisible() && m_bSelected && m_pOwner) m_pOwner->UnSelectItem(m_iIndex, false);
}

void CListElementUI::PaintItemBackground(HDC hDC) {
  if (!m_pOwner) return;
  TListInfoUI* info = m_pOwner->GetListInfo();
  DWORD color = info->dwBkColor;
  const CDuiString* image = &info->sBkImage;
  if (m_bSelected) {
    if (info->dwSelectedBkColor) color = info->dwSelectedBkColor;
    if (!info->sSelectedImage.IsEmpty()) image = &info->sSelectedImage;
  } else if (m_uButtonState & UISTATE_HOT) {
    if (info->dwHotBkColor) color = info->dwHotBkColor;
    if (!info->sHotImage.IsEmpty()) image = &info->sHotImage;
  }
  if (!IsEnabled() && !info->sDisabledImage.IsEmpty()) image = &info->sDisabledImage;
  CRenderEngine::DrawColor(hDC, m_rcItem, color);
  if (!image->IsEmpty()) DrawImage(hDC, *image);
  if (info->dwLineColor) {
    CRenderEngine::DrawColor(hDC, RECT{m_rcItem.left, m_rcItem.bottom - 1, m_rcItem.right, m_rcItem.bottom},
                             info->dwLineColor);
  }
}

DWORD CListElementUI::ItemTextColor() const {
  TListInfoUI* info = m_pOwner->GetListInfo();
  if (!IsEnabled()) {
    if (info->dwDisabledTextColor) return info->dwDisabledTextColor;
    return m_pManager ? m_pManager->GetDefaultDisabledColor() : 0xFFA7A6AA;
  }
  if (m_bSelected && info->dwSelectedTextColor) return info->dwSelectedTextColor;
  if ((m_uButtonState & UISTATE_HOT) && info->dwHotTextColor) return info->dwHotTextColor;
  if (info->dwTextColor) return info->dwTextColor;
  return m_pManager ? m_pManager->GetDefaultFontColor() : 0xFF000000;
}
