#include "ui/controls/cloud_share_list_item_ui.h"

#include "ui/toolkit/render_engine.h"

LPCTSTR CCloudShareListItemUI::GetClass() const { return "CloudShareListItemUI"; }

void* CCloudShareListItemUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("CloudShareListItemUI") == 0) return static_cast<CCloudShareListItemUI*>(this);
  return CListContainerElementUI::GetInterface(pstrName);
}

void CCloudShareListItemUI::PaintBorder(HDC hDC) {
  CListContainerElementUI::PaintBorder(hDC);
  if (!IsHot() || !m_pOwner) return;
  DWORD color = m_pOwner->GetListInfo()->dwHotBorderColor;
  if (color != 0) CRenderEngine::DrawRect(hDC, m_rcItem, 1, color);
}
