#include "ui/toolkit/controls/edit_ui.h"

#include <QString>
#include <algorithm>
#include <charconv>

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/controls/native_text_editor.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/window_api.h"

namespace {

// The text cut to a number of characters (not bytes).
CDuiString CutToChars(const CDuiString& text, UINT maxChars) {
  QString wide = QString::fromUtf8(text.GetData(), text.GetLength());
  if (maxChars == 0 || wide.size() <= qsizetype(maxChars)) return text;
  return CDuiString(wide.left(qsizetype(maxChars)).toStdString());
}

}  // namespace

CEditUI::CEditUI() {
  m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  m_rcTextPadding = RECT{4, 3, 4, 3};
  m_cursor = UiCursor::kIBeam;
}

CEditUI::~CEditUI() = default;

LPCTSTR CEditUI::GetClass() const { return "Edit"; }

void* CEditUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("Edit") == 0) return static_cast<CEditUI*>(this);
  return CLabelUI::GetInterface(pstrName);
}

UINT CEditUI::GetControlFlags() const { return IsEnabled() ? (UIFLAG_SETCURSOR | UIFLAG_TABSTOP) : 0; }

void CEditUI::SetText(LPCTSTR pstrText) {
  CDuiString text(pstrText);
  if (PostToUiThread([this, text] { SetText(text); })) return;
  m_sText = CutToChars(text, m_uMaxChar);
  if (m_editor) m_editor->SetText(m_sText);
  Invalidate();
}

void CEditUI::SetEnabled(bool bEnable) {
  if (PostToUiThread([this, bEnable] { SetEnabled(bEnable); })) return;
  CLabelUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_uButtonState = 0;
}

void CEditUI::SetMaxChar(UINT uMax) {
  m_uMaxChar = uMax;
  m_sText = CutToChars(m_sText, uMax);
  Invalidate();
}

void CEditUI::SetPasswordMode(bool bPasswordMode) {
  m_bPasswordMode = bPasswordMode;
  Invalidate();
}

void CEditUI::SetMinMaxNumber(int iMin, int iMax) {
  m_iMinNumber = iMin;
  m_iMaxNumber = iMax;
}

void CEditUI::SetTipValue(LPCTSTR pStrTipValue) {
  m_sTipValue = pStrTipValue;
  Invalidate();
}

void CEditUI::SetSel(long nStartChar, long nEndChar) {
  m_iSelStart = nStartChar;
  m_iSelEnd = nEndChar;
  if (m_editor) m_editor->SetSelection(int(nStartChar), int(nEndChar));
}

void CEditUI::SetSelAll() { SetSel(0, -1); }

void CEditUI::SetCaretToEnd() { SetSel(-1, -1); }

RECT CEditUI::EditorRect() const {
  RECT rc = m_rcItem;
  DeflateRect(rc, GetTextPadding());
  return rc;
}

void CEditUI::OpenEditor() {
  if (m_editor || !m_pManager || m_bReadOnly) return;
  QWidget* host = HostWidgetOf(m_pManager->GetPaintWindow());
  if (!host) return;
  CNativeEditorStyle style;
  style.multiLine = IsMultiLine();
  style.wantReturn = WantsReturn();
  style.password = m_bPasswordMode;
  style.readOnly = m_bReadOnly;
  style.numberOnly = m_bNumberOnly;
  style.maxChars = int(m_uMaxChar);
  style.textColor = CurrentTextColor(m_dwTextColor);
  style.backColor = m_dwEditBkColor;
  CNativeTextEditor::Callbacks callbacks;
  uint64_t serial = GetSerial();
  callbacks.textEdited = [this](const CDuiString& text) {
    m_sText = text;
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_TEXTCHANGED);
  };
  callbacks.returnPressed = [this] {
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_RETURN);
  };
  callbacks.focusLeftWindow = [this, serial] {
    // Leaving the window ends the edit as a click elsewhere would; done from the loop, not from
    // inside Qt's focus change.
    CPaintManagerUI::RunOnUiThread([this, serial] {
      if (IsAlive(this, serial) && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
    });
  };
  callbacks.tabPressed = [this, serial](bool backwards) {
    // The window moves the focus as it does for a Tab pressed anywhere else; later, because
    // moving it closes this field from inside its own key event.
    CPaintManagerUI::RunOnUiThread([this, serial, backwards] {
      if (IsAlive(this, serial) && m_pManager && m_pManager->GetFocus() == this) {
        ::SendMessage(m_pManager->GetPaintWindow(), WM_KEYDOWN, VK_TAB, backwards ? 1 : 0);
      }
    });
  };
  m_editor = std::make_unique<CNativeTextEditor>(host, style, m_pManager->GetFont(m_iFont), *m_pManager->GetDPIObj(),
                                                 std::move(callbacks));
  m_editor->SetText(m_sText);
  m_editor->SetGeometry(EditorRect());
  m_editor->SetSelection(int(m_iSelStart), int(m_iSelEnd));
  Invalidate();
}

void CEditUI::CloseEditor() {
  if (!m_editor) return;
  m_sText = m_editor->GetText();
  m_editor.reset();
  Invalidate();
}

void CEditUI::ClampToRange() {
  if (!HasMinMaxNumber()) return;
  std::string text = m_sText.str();
  long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) value = m_iMinNumber;
  value = std::clamp(value, long(m_iMinNumber), long(m_iMaxNumber));
  CDuiString clamped;
  clamped.Format("%ld", value);
  if (clamped != m_sText) {
    m_sText = clamped;
    Invalidate();
  }
}

void CEditUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CLabelUI::SetPos(rc, bNeedInvalidate);
  if (m_editor) m_editor->SetGeometry(EditorRect());
}

void CEditUI::SetVisible(bool bVisible) {
  if (PostToUiThread([this, bVisible] { SetVisible(bVisible); })) return;
  CLabelUI::SetVisible(bVisible);
  if (!IsVisible()) CloseEditor();
}

void CEditUI::SetInternVisible(bool bVisible) {
  CLabelUI::SetInternVisible(bVisible);
  if (!IsVisible()) CloseEditor();
}

void CEditUI::DoEvent(TEventUI& event) {
  if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
    if (m_pParent) {
      m_pParent->DoEvent(event);
    } else {
      CLabelUI::DoEvent(event);
    }
    return;
  }
  switch (event.Type) {
    case UIEVENT_SETFOCUS:
      CLabelUI::DoEvent(event);
      if (IsEnabled()) OpenEditor();
      return;
    case UIEVENT_KILLFOCUS:
      CloseEditor();
      ClampToRange();
      CLabelUI::DoEvent(event);
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
    case UIEVENT_RBUTTONDOWN:
      if (IsEnabled() && !m_editor) OpenEditor();
      return;
    case UIEVENT_MOUSEMOVE:
    case UIEVENT_BUTTONUP:
      return;
    case UIEVENT_MOUSEENTER:
      if (IsEnabled()) {
        m_uButtonState |= UISTATE_HOT;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSELEAVE:
      if (IsEnabled()) {
        m_uButtonState &= ~UISTATE_HOT;
        Invalidate();
      }
      return;
    default:
      break;
  }
  CLabelUI::DoEvent(event);
}

void CEditUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  std::string_view v = value.str();
  if (name == "maxchar") {
    SetMaxChar(UINT(ParseIntValue(v)));
  } else if (name == "numberonly") {
    SetNumberOnly(ParseBoolValue(v));
  } else if (name == "password") {
    SetPasswordMode(ParseBoolValue(v));
  } else if (name == "readonly") {
    SetReadOnly(ParseBoolValue(v));
  } else if (name == "min" || name == "minvalue") {
    m_iMinNumber = ParseIntValue(v);
  } else if (name == "max" || name == "maxvalue") {
    m_iMaxNumber = ParseIntValue(v);
  } else if (name == "tipvalue") {
    SetTipValue(value);
  } else if (name == "tipvaluecolor") {
    SetTipValueColor(ParseColorValue(v));
  } else if (name == "nativebkcolor") {
    SetNativeEditBkColor(ParseColorValue(v));
  } else if (name == "normalimage") {
    m_sNormalImage = value;
  } else if (name == "hotimage") {
    m_sHotImage = value;
  } else if (name == "focusedimage") {
    m_sFocusedImage = value;
  } else if (name == "disabledimage") {
    m_sDisabledImage = value;
  } else {
    CLabelUI::SetAttribute(pstrName, pstrValue);
  }
}

void CEditUI::PaintStatusImage(HDC hDC) {
  const CDuiString* image = &m_sNormalImage;
  if (!IsEnabled() && !m_sDisabledImage.IsEmpty()) {
    image = &m_sDisabledImage;
  } else if (IsFocused() && !m_sFocusedImage.IsEmpty()) {
    image = &m_sFocusedImage;
  } else if ((m_uButtonState & UISTATE_HOT) && !m_sHotImage.IsEmpty()) {
    image = &m_sHotImage;
  }
  if (!image->IsEmpty()) DrawImage(hDC, *image);
}

void CEditUI::PaintText(HDC hDC) {
  if (m_editor) return;
  if (m_sText.IsEmpty()) {
    if (!m_sTipValue.IsEmpty()) DrawTextIn(hDC, m_sTipValue, m_dwTipValueColor);
    return;
  }
  CDuiString shown = GetText();
  if (m_bPasswordMode) {
    int chars = int(QString::fromUtf8(shown.GetData(), shown.GetLength()).size());
    shown = CDuiString(std::string(size_t(chars), '*'));
  }
  DrawTextIn(hDC, shown, CurrentTextColor(m_dwTextColor));
}
