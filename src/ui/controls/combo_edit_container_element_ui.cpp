#include "ui/controls/combo_edit_container_element_ui.h"

#include "ui/controls/named_child.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/paint_manager_ui.h"

LPCTSTR CComboEditContainerElementUI::GetClass() const { return "ComboEditContainerElement"; }

void* CComboEditContainerElementUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("ComboEditContainerElement") == 0) {
    return static_cast<CComboEditContainerElementUI*>(this);
  }
  return CListContainerElementUI::GetInterface(pstrName);
}

void CComboEditContainerElementUI::DoInit() {
  CListContainerElementUI::DoInit();
  CDialogBuilder builder;
  builder.Create(kContentLayout, nullptr, nullptr, m_pManager, this);
  m_pText1 = FindNamedChild(this, "text1");
  m_pText2 = FindNamedChild(this, "text2");
  m_pDelayEdit = FindNamedChild(this, "delay_edit");
}

void CComboEditContainerElementUI::ToggleSelection() {
  if (!m_pOwner) {
    SetSelectedState(!m_bSelected);
  } else if (m_bSelected) {
    m_pOwner->UnSelectItem(m_iIndex);
  } else {
    m_pOwner->SelectMultiItem(m_iIndex);
  }
}

void CComboEditContainerElementUI::DoEvent(TEventUI& event) {
  const bool mouseEvent = event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND;
  if (!IsMouseEnabled() && mouseEvent) {
    if (m_pOwner) {
      m_pOwner->DoEvent(event);
    } else {
      CHorizontalLayoutUI::DoEvent(event);
    }
    return;
  }
  switch (event.Type) {
    case UIEVENT_KEYDOWN:
      if (IsKeyboardEnabled() && event.chKey == VK_RETURN) {
        Activate();
        Invalidate();
        if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_RETURN);
        return;
      }
      break;
    case UIEVENT_BUTTONDOWN:
      if (IsEnabled()) {
        if (event.wKeyState & MK_CONTROL) {
          ToggleSelection();
        } else {
          Select();
        }
        Invalidate();
      }
      return;
    case UIEVENT_BUTTONUP:
      if (IsEnabled() && m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMCLICK);
      return;
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
    case UIEVENT_TIMER:
      if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_TIMER, event.wParam, event.lParam);
      return;
    case UIEVENT_CONTEXTMENU:
      if (IsContextMenuUsed()) {
        if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_MENU, event.wParam, event.lParam);
        return;
      }
      break;
    case UIEVENT_DBLCLICK:
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
