#include "ui/toolkit/controls/combo_ui.h"

#include <algorithm>
#include <utility>

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/controls/combo_wnd.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/window_api.h"

CComboUI::CComboUI() {
  m_cursor = UiCursor::kHand;
  m_owner.Info().nItemHeight = 24;
}

CComboUI::~CComboUI() { m_pWindow.reset(); }

LPCTSTR CComboUI::GetClass() const { return "Combo"; }

void* CComboUI::GetInterface(LPCTSTR pstrName) {
  CDuiString name(pstrName);
  if (name.CompareNoCase("Combo") == 0) return static_cast<CComboUI*>(this);
  if (name.CompareNoCase("IListOwner") == 0) return static_cast<IListOwnerUI*>(this);
  return CContainerUI::GetInterface(pstrName);
}

UINT CComboUI::GetControlFlags() const { return UIFLAG_TABSTOP | (IsEnabled() ? UIFLAG_SETCURSOR : 0); }

CDuiString CComboUI::GetText() const {
  CControlUI* item = GetItemAt(GetCurSel());
  return item ? item->GetText() : CDuiString();
}

void CComboUI::SetEnabled(bool bEnable) {
  if (PostToUiThread([this, bEnable] { SetEnabled(bEnable); })) return;
  CContainerUI::SetEnabled(bEnable);
  if (!IsEnabled()) {
    m_uButtonState = 0;
    CloseDropDown();
  }
}

bool CComboUI::Add(CControlUI* pControl) { return AddAt(pControl, -1); }

bool CComboUI::AddAt(CControlUI* pControl, int iIndex) {
  if (IsMarshalNeeded()) return CContainerUI::AddAt(pControl, iIndex);
  if (!CContainerUI::AddAt(pControl, iIndex)) return false;
  m_owner.ItemInserted(GetItemIndex(pControl), this);
  return true;
}

bool CComboUI::Remove(CControlUI* pControl, bool bDoNotDestroy) {
  if (PostToUiThread([this, pControl, bDoNotDestroy] { Remove(pControl, bDoNotDestroy); })) return true;
  int index = GetItemIndex(pControl);
  return index >= 0 && RemoveItemAt(index, bDoNotDestroy, true);
}

bool CComboUI::RemoveAt(int iIndex, bool bTrigger) {
  if (PostToUiThread([this, iIndex, bTrigger] { RemoveAt(iIndex, bTrigger); })) return true;
  return RemoveItemAt(iIndex, false, bTrigger);
}

bool CComboUI::RemoveItemAt(int iIndex, bool bDoNotDestroy, bool bTrigger) {
  CControlUI* control = GetItemAt(iIndex);
  if (!control) return false;
  CloseDropDown();
  if (IListItemUI* item = static_cast<IListItemUI*>(control->GetInterface("ListItem"))) item->SetOwner(nullptr);
  int oldSel = GetCurSel();
  if (!CContainerUI::RemoveAt(iIndex, bDoNotDestroy)) return false;
  if (m_owner.ItemRemoved(iIndex)) {
    m_owner.SelectOnly(m_owner.FindSelectable(iIndex, true));
    if (bTrigger) NotifySelection(oldSel);
  }
  Invalidate();
  return true;
}

void CComboUI::RemoveAll() {
  if (PostToUiThread([this] { RemoveAll(); })) return;
  CloseDropDown();
  m_owner.Reset();
  CContainerUI::RemoveAll();
  Invalidate();
}

void CComboUI::NotifySelection(int oldSel) {
  if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMSELECT, WPARAM(GetCurSel()), LPARAM(oldSel));
}

bool CComboUI::SelectItem(int iIndex, bool bTrigger) {
  if (PostToUiThread([this, iIndex, bTrigger] { SelectItem(iIndex, bTrigger); })) return true;
  if (iIndex >= GetCount() || (iIndex >= 0 && !m_owner.ItemAt(iIndex))) return false;
  if (m_pWindow) {
    // Chosen in the drop-down: it closes once the click that chose has been handled.
    CPaintManagerUI::RunOnUiThread([this, serial = GetSerial()] {
      if (IsAlive(this, serial)) CloseDropDown();
    });
  }
  int oldSel = GetCurSel();
  if (!m_owner.SelectOnly(iIndex < 0 ? -1 : iIndex)) return true;
  Invalidate();
  if (bTrigger) NotifySelection(oldSel);
  return true;
}

bool CComboUI::SelectMultiItem(int iIndex, bool bTrigger) { return SelectItem(iIndex, bTrigger); }

bool CComboUI::UnSelectItem(int iIndex, bool bTrigger) {
  if (iIndex != GetCurSel()) return false;
  return SelectItem(-1, bTrigger);
}

bool CComboUI::Activate() {
  if (!CContainerUI::Activate()) return false;
  if (GetDropDownWindow()) return true;
  m_pWindow = std::make_unique<CComboWnd>(this);
  if (!m_pWindow->Open()) {
    m_pWindow.reset();
    return false;
  }
  if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_DROPDOWN);
  Invalidate();
  return true;
}

void CComboUI::CloseDropDown() {
  if (!m_pWindow) return;
  m_pWindow.reset();
  m_uButtonState &= ~UISTATE_PUSHED;
  Invalidate();
}

HWND CComboUI::GetDropDownWindow() const {
  if (!m_pWindow || !IsWindow(m_pWindow->GetHWND())) return nullptr;
  return m_pWindow->GetHWND();
}

RECT CComboUI::GetTextPadding() const { return Scale(m_rcTextPadding); }

void CComboUI::SetTextPadding(RECT rc) {
  m_rcTextPadding = rc;
  Invalidate();
}

void CComboUI::SetNormalImage(LPCTSTR pStrImage) {
  m_sNormalImage = pStrImage;
  Invalidate();
}

void CComboUI::SetWidthSamples(std::vector<CDuiString> samples) {
  m_widthSamples = std::move(samples);
  m_samplesMeasuredIn.clear();
  NeedParentUpdate();
}

SIZE CComboUI::EstimateSize(SIZE szAvailable) {
  SIZE size = CContainerUI::EstimateSize(szAvailable);
  if (m_widthSamples.empty() || !m_pManager) return size;
  const RECT padding = GetTextPadding();
  size.cx = std::max(size.cx, padding.left + padding.right + WidestSampleWidth());
  return size;
}

int CComboUI::WidestSampleWidth() {
  const TFontInfo font = m_pManager->GetFont(TextFont());
  const std::string measuredIn = font.sFontName.str() + "/" + std::to_string(font.iSize) + (font.bBold ? "b" : "") +
                                 (font.bItalic ? "i" : "") + "@" + std::to_string(m_pManager->GetDPI());
  if (measuredIn == m_samplesMeasuredIn) return m_widestSample;
  m_widestSample = 0;
  for (const CDuiString& sample : m_widthSamples) {
    const SIZE text = CRenderEngine::GetTextSize(m_pManager, sample, TextFont(), DT_SINGLELINE);
    m_widestSample = std::max(m_widestSample, text.cx);
  }
  m_samplesMeasuredIn = measuredIn;
  return m_widestSample;
}

bool CComboUI::ShowsTextWhole() {
  RECT rc = m_rcItem;
  DeflateRect(rc, GetTextPadding());
  return CRenderEngine::FitsOnOneLine(m_pManager, GetText(), TextFont(), RectWidth(rc));
}

int CComboUI::TextFont() { return m_iFont >= 0 ? m_iFont : GetListInfo()->nFont; }

void CComboUI::SetPos(RECT rc, bool bNeedInvalidate) {
  // The items are laid out by the drop-down, not inside the combo.
  CControlUI::SetPos(rc, bNeedInvalidate);
}

void CComboUI::MoveSelection(bool forward) {
  int next = m_owner.FindSelectable(GetCurSel() + (forward ? 1 : -1), forward);
  if (next >= 0 && next != GetCurSel() && (forward ? next > GetCurSel() : next < GetCurSel())) SelectItem(next);
}

void CComboUI::DoEvent(TEventUI& event) {
  if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
    if (m_pParent) m_pParent->DoEvent(event);
    return;
  }
  switch (event.Type) {
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
      CControlUI::DoEvent(event);
      return;
    case UIEVENT_BUTTONDOWN:
      if (IsEnabled()) {
        m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Activate();
      }
      return;
    case UIEVENT_BUTTONUP:
      if (m_uButtonState & UISTATE_CAPTURED) {
        m_uButtonState &= ~UISTATE_CAPTURED;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSEMOVE:
    case UIEVENT_DBLCLICK:
      return;
    case UIEVENT_KEYDOWN:
      if (!IsEnabled()) return;
      if (event.chKey == VK_UP) {
        MoveSelection(false);
      } else if (event.chKey == VK_DOWN) {
        MoveSelection(true);
      } else if (event.chKey == VK_SPACE || event.chKey == VK_RETURN) {
        Activate();
      }
      return;
    case UIEVENT_SCROLLWHEEL:
      // Only a focused combo takes the wheel; over any other the page scrolls.
      if (IsEnabled() && IsFocused()) {
        MoveSelection(event.wParam != 0);
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
    default:
      break;
  }
  CControlUI::DoEvent(event);
}

void CComboUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  std::string_view v = value.str();
  if (m_owner.SetItemAttribute(name, value)) return;
  if (name == "textpadding") {
    SetTextPadding(ParseRectValue(v));
  } else if (name == "textcolor") {
    m_dwTextColor = ParseColorValue(v);
  } else if (name == "font") {
    m_iFont = ParseIntValue(v);
  } else if (name == "normalimage") {
    SetNormalImage(value);
  } else if (name == "hotimage") {
    m_sHotImage = value;
  } else if (name == "pushedimage") {
    m_sPushedImage = value;
  } else if (name == "focusedimage") {
    m_sFocusedImage = value;
  } else if (name == "disabledimage") {
    m_sDisabledImage = value;
  } else if (name == "dropboxsize") {
    m_szDropBox = ParseSizeValue(v);
  } else if (name == "dropboxbkcolor") {
    m_dwDropBoxBkColor = ParseColorValue(v);
  } else if (name == "arrowcolor") {
    m_dwArrowColor = ParseColorValue(v);
  } else {
    CContainerUI::SetAttribute(pstrName, pstrValue);
  }
}

CControlUI* CComboUI::FindControl(FINDCONTROLPROC Proc, void* pData, UINT uFlags) {
  // Items live in the drop-down; inside the window the combo is one control.
  if (uFlags & UIFIND_HITTEST) return CControlUI::FindControl(Proc, pData, uFlags);
  return CContainerUI::FindControl(Proc, pData, uFlags);
}

bool CComboUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) {
  return CControlUI::DoPaint(hDC, rcPaint, pStopControl);
}

void CComboUI::PaintStatusImage(HDC hDC) {
  const CDuiString* image = &m_sNormalImage;
  if (!IsEnabled() && !m_sDisabledImage.IsEmpty()) {
    image = &m_sDisabledImage;
  } else if ((m_uButtonState & UISTATE_PUSHED) && GetDropDownWindow() && !m_sPushedImage.IsEmpty()) {
    image = &m_sPushedImage;
  } else if ((m_uButtonState & UISTATE_HOT) && !m_sHotImage.IsEmpty()) {
    image = &m_sHotImage;
  } else if (IsFocused() && !m_sFocusedImage.IsEmpty()) {
    image = &m_sFocusedImage;
  }
  if (!image->IsEmpty()) {
    DrawImage(hDC, *image);
    return;
  }
  // Without art the combo still shows it drops down: a small chevron at the right.
  DWORD arrow = m_dwArrowColor ? m_dwArrowColor : (m_dwTextColor ? m_dwTextColor : 0xFF808080);
  int size = Scale(4);
  int cx = m_rcItem.right - Scale(12);
  int cy = (m_rcItem.top + m_rcItem.bottom) / 2;
  CRenderEngine::DrawLine(hDC, RECT{cx - size, cy - size / 2, cx, cy + size / 2}, Scale(2), arrow);
  CRenderEngine::DrawLine(hDC, RECT{cx, cy + size / 2, cx + size, cy - size / 2}, Scale(2), arrow);
}

void CComboUI::PaintText(HDC hDC) {
  CDuiString text = GetText();
  if (text.IsEmpty()) return;
  RECT rc = m_rcItem;
  DeflateRect(rc, GetTextPadding());
  DWORD color = m_dwTextColor ? m_dwTextColor : (m_pManager ? m_pManager->GetDefaultFontColor() : 0xFF000000);
  if (!IsEnabled()) color = m_pManager ? m_pManager->GetDefaultDisabledColor() : 0xFFA7A6AA;
  CRenderEngine::DrawText(hDC, m_pManager, rc, text, color, TextFont(), DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}
