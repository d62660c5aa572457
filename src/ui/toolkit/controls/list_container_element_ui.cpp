#include "ui/toolkit/controls/list_container_element_ui.h"

#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"

LPCTSTR CListContainerElementUI::GetClass() const { return "ListContainerElement"; }

void* CListContainerElementUI::GetInterface(LPCTSTR pstrName) {
  CDuiString name(pstrName);
  if (name.CompareNoCase("ListItem") == 0) return static_cast<IListItemUI*>(this);
  if (name.CompareNoCase("ListContainerElement") == 0) return static_cast<CListContainerElementUI*>(this);
  return CHorizontalLayoutUI::GetInterface(pstrName);
}

UINT CListContainerElementUI::GetControlFlags() const { return UIFLAG_WANTRETURN; }

void CListContainerElementUI::SetOwner(CControlUI* pOwner) {
  m_pOwner = pOwner ? static_cast<IListOwnerUI*>(pOwner->GetInterface("IListOwner")) : nullptr;
}

bool CListContainerElementUI::Select(bool bSelect, bool bTrigger) {
  if (bSelect == m_bSelected) return true;
  m_bSelected = bSelect;
  if (bSelect && m_pOwner) m_pOwner->SelectItem(m_iIndex, bTrigger);
  Invalidate();
  return true;
}

void CListContainerElementUI::SetSelectedState(bool bSelected) {
  m_bSelected = bSelected;
  Invalidate();
}

bool CListContainerElementUI::Activate() {
  if (!CHorizontalLayoutUI::Activate()) return false;
  if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMACTIVATE);
  return true;
}

void CListContainerElementUI::SetVisible(bool bVisible) {
  if (PostToUiThread([this, bVisible] { SetVisible(bVisible); })) return;
  CHorizontalLayoutUI::SetVisible(bVisible);
  if (!IsVisible() && m_bSelected && m_pOwner) m_pOwner->UnSelectItem(m_iIndex, false);
}

void CListContainerElementUI::DoEvent(TEventUI& event) {
  if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
    if (m_pOwner) {
      m_pOwner->DoEvent(event);
    } else {
      CHorizontalLayoutUI::DoEvent(event);
    }
    return;
  }
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
      if (IsEnabled()) {
        uint64_t serial = GetSerial();
        if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMCLICK);
        if (!IsAlive(this, serial)) return;
        if ((event.wKeyState & MK_CONTROL) && m_pOwner) {
          if (m_bSelected) {
            m_pOwner->UnSelectItem(m_iIndex);
          } else {
            m_pOwner->SelectMultiItem(m_iIndex);
          }
        } else {
          Select();
        }
        Invalidate();
      }
      return;
    case UIEVENT_DBLCLICK:
      if (IsEnabled()) Activate();
      return;
    case UIEVENT_KEYDOWN:
      if (IsKeyboardEnabled() && IsEnabled() && event.chKey == VK_RETURN) {
        Activate();
        return;
      }
      break;
    case UIEVENT_CONTEXTMENU:
      if (IsContextMenuUsed() && m_pManager) {
        m_pManager->SendNotify(this, DUI_MSGTYPE_MENU, event.wParam, event.lParam);
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
    case UIEVENT_TIMER:
      if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_TIMER, event.wParam, event.lParam);
      return;
    default:
      break;
  }
  if (m_pOwner) {
    m_pOwner->DoEvent(event);
  } else {
    CHorizontalLayoutUI::DoEvent(event);
  }
}

void CListContainerElementUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  if (name == "normalimage") {
    m_sNormalImage = pstrValue;
  } else if (name == "hotimage") {
    m_sHotImage = pstrValue;
  } else if (name == "selectedimage") {
    m_sSelectedImage = pstrValue;
  } else {
    CHorizontalLayoutUI::SetAttribute(pstrName, pstrValue);
  }
}

void CListContainerElementUI::PaintStatusImage(HDC hDC) {
  TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
  DWORD color = info ? info->dwBkColor : 0;
  const CDuiString* image = &m_sNormalImage;
  if (info && image->IsEmpty()) image = &info->sBkImage;
  if (m_bSelected) {
    if (info && info->dwSelectedBkColor) color = info->dwSelectedBkColor;
    if (!m_sSelectedImage.IsEmpty()) {
      image = &m_sSelectedImage;
    } else if (info && !info->sSelectedImage.IsEmpty()) {
      image = &info->sSelectedImage;
    }
  } else if (m_uButtonState & UISTATE_HOT) {
    if (info && info->dwHotBkColor) color = info->dwHotBkColor;
    if (!m_sHotImage.IsEmpty()) {
      image = &m_sHotImage;
    } else if (info && !info->sHotImage.IsEmpty()) {
      image = &info->sHotImage;
    }
  }
  CRenderEngine::DrawColor(hDC, m_rcItem, color);
  if (!image->IsEmpty()) DrawImage(hDC, *image);
  if (info && info->dwLineColor) {
    CRenderEngine::DrawColor(hDC, RECT{m_rcItem.left, m_rcItem.bottom - 1, m_rcItem.right, m_rcItem.bottom},
                             info->dwLineColor);
  }
}
