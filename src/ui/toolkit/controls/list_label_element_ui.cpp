#include "ui/toolkit/controls/list_label_element_ui.h"

#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"

LPCTSTR CListLabelElementUI::GetClass() const { return "ListLabelElement"; }

void* CListLabelElementUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("ListLabelElement") == 0) return static_cast<CListLabelElementUI*>(this);
  return CListElementUI::GetInterface(pstrName);
}

void CListLabelElementUI::DoEvent(TEventUI& event) {
  if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
    if (m_pOwner) {
      m_pOwner->DoEvent(event);
    } else {
      CListElementUI::DoEvent(event);
    }
    return;
  }
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_RBUTTONDOWN:
      if (IsEnabled()) {
        uint64_t serial = GetSerial();
        if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMCLICK);
        if (IsAlive(this, serial)) Select();
      }
      return;
    case UIEVENT_DBLCLICK:
      if (IsEnabled()) Activate();
      return;
    case UIEVENT_KEYDOWN:
      if (IsEnabled() && event.chKey == VK_RETURN) {
        Activate();
        return;
      }
      break;
    case UIEVENT_MOUSEENTER:
      if (IsEnabled()) {
        m_uButtonState |= UISTATE_HOT;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSELEAVE:
      m_uButtonState &= ~UISTATE_HOT;
      Invalidate();
      return;
    case UIEVENT_MOUSEMOVE:
    case UIEVENT_BUTTONUP:
      return;
    default:
      break;
  }
  // Everything else (the wheel above all) is the list's business.
  if (m_pOwner) {
    m_pOwner->DoEvent(event);
  } else {
    CListElementUI::DoEvent(event);
  }
}

SIZE CListLabelElementUI::EstimateSize(SIZE szAvailable) {
  SIZE size = CListElementUI::EstimateSize(szAvailable);
  if (size.cy == 0 && m_pOwner) size.cy = Scale(m_pOwner->GetListInfo()->nItemHeight);
  return size;
}

bool CListLabelElementUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) {
  if (!IntersectRect(m_rcPaint, rcPaint, m_rcItem)) return true;
  if (!m_pOwner) return CListElementUI::DoPaint(hDC, rcPaint, pStopControl);
  CControlUI::PaintBkColor(hDC);
  PaintItemBackground(hDC);
  PaintBkImage(hDC);
  TListInfoUI* info = m_pOwner->GetListInfo();
  RECT rc = m_rcItem;
  DeflateRect(rc, Scale(info->rcTextPadding));
  CDuiString text = GetText();
  if (!text.IsEmpty())
    CRenderEngine::DrawText(hDC, m_pManager, rc, text, ItemTextColor(), info->nFont, info->uTextStyle);
  PaintBorder(hDC);
  return true;
}
