#include "ui/toolkit/controls/menu_element_ui.h"

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"

namespace {

// Room on the left for the check mark, at 96 DPI.
constexpr int kCheckColumn = 22;

}  // namespace

LPCTSTR CMenuElementUI::GetClass() const { return "MenuElement"; }

void* CMenuElementUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("MenuElement") == 0) return static_cast<CMenuElementUI*>(this);
  return CListContainerElementUI::GetInterface(pstrName);
}

void CMenuElementUI::SetChecked(bool bChecked) {
  m_bChecked = bChecked;
  Invalidate();
}

SIZE CMenuElementUI::EstimateSize(SIZE szAvailable) {
  SIZE size = CListContainerElementUI::EstimateSize(szAvailable);
  if (size.cy == 0 && m_pOwner) size.cy = Scale(m_pOwner->GetListInfo()->nItemHeight);
  return size;
}

void CMenuElementUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  if (name == "checkitem") {
    SetCheckItem(ParseBoolValue(pstrValue ? pstrValue : ""));
  } else if (name == "checked" || name == "check") {
    SetChecked(ParseBoolValue(pstrValue ? pstrValue : ""));
  } else {
    CListContainerElementUI::SetAttribute(pstrName, pstrValue);
  }
}

void CMenuElementUI::PaintText(HDC hDC) {
  CDuiString text = GetText();
  TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
  DWORD color = 0xFF000000;
  if (info) {
    color = info->dwTextColor ? info->dwTextColor : color;
    if ((m_uButtonState & UISTATE_HOT) && info->dwHotTextColor) color = info->dwHotTextColor;
    if (!IsEnabled()) color = info->dwDisabledTextColor ? info->dwDisabledTextColor : 0xFF808080;
  }
  if (m_bCheckItem && m_bChecked) {
    int size = Scale(8);
    int cx = m_rcItem.left + Scale(kCheckColumn) / 2;
    int cy = (m_rcItem.top + m_rcItem.bottom) / 2;
    CRenderEngine::DrawLine(hDC, RECT{cx - size / 2, cy, cx - size / 8, cy + size / 2}, Scale(2), color);
    CRenderEngine::DrawLine(hDC, RECT{cx - size / 8, cy + size / 2, cx + size / 2, cy - size / 2}, Scale(2), color);
  }
  if (text.IsEmpty()) return;
  RECT rc = m_rcItem;
  rc.left += Scale(kCheckColumn);
  rc.right -= Scale(8);
  CRenderEngine::DrawText(hDC, m_pManager, rc, text, color, info ? info->nFont : -1,
                          DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}
