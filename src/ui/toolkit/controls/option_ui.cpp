#include "ui/toolkit/controls/option_ui.h"

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/tab_layout_ui.h"

COptionUI::COptionUI() = default;

COptionUI::~COptionUI() {
  if (!m_sGroupName.IsEmpty() && m_pManager) m_pManager->RemoveOptionGroup(m_sGroupName, this);
}

LPCTSTR COptionUI::GetClass() const { return "Option"; }

void* COptionUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("Option") == 0) return static_cast<COptionUI*>(this);
  return CButtonUI::GetInterface(pstrName);
}

void COptionUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
  if (m_pManager && m_pManager != pManager && !m_sGroupName.IsEmpty()) {
    m_pManager->RemoveOptionGroup(m_sGroupName, this);
  }
  CButtonUI::SetManager(pManager, pParent, bInit);
  if (bInit && pManager && !m_sGroupName.IsEmpty()) pManager->AddOptionGroup(m_sGroupName, this);
}

void COptionUI::DoInit() {
  // A layout may say selected="true" before the bound tab layout is part of the window; the page
  // is shown once the option joins the tree.
  if (m_bSelected) SelectBoundTab(false);
}

void COptionUI::SetGroup(LPCTSTR pStrGroupName) {
  CDuiString group(pStrGroupName);
  if (group == m_sGroupName) return;
  if (!m_sGroupName.IsEmpty() && m_pManager) m_pManager->RemoveOptionGroup(m_sGroupName, this);
  m_sGroupName = group;
  if (!m_sGroupName.IsEmpty() && m_pManager) m_pManager->AddOptionGroup(m_sGroupName, this);
  Selected(m_bSelected, false);
}

void COptionUI::SelectBoundTab(bool bTriggerEvent) {
  if (!m_pManager || m_sBindTabLayoutName.IsEmpty() || m_iBindTabIndex < 0) return;
  auto* tab = static_cast<CTabLayoutUI*>(m_pManager->FindControl(m_sBindTabLayoutName));
  if (tab && tab->GetInterface("TabLayout")) tab->SelectItem(m_iBindTabIndex, bTriggerEvent);
}

void COptionUI::Selected(bool bSelected, bool bTriggerEvent) {
  if (PostToUiThread([this, bSelected, bTriggerEvent] { Selected(bSelected, bTriggerEvent); })) return;
  if (m_bSelected == bSelected) {
    // Re-selecting within a group still clears the others (a group built with two selected).
    if (!bSelected || m_sGroupName.IsEmpty() || !m_pManager) return;
  }
  bool changed = m_bSelected != bSelected;
  m_bSelected = bSelected;
  if (bSelected) {
    m_uButtonState |= UISTATE_SELECTED;
  } else {
    m_uButtonState &= ~UISTATE_SELECTED;
  }
  if (m_pManager) {
    auto alive = GetSerial();
    if (bSelected && !m_sGroupName.IsEmpty()) {
      if (const std::vector<CControlUI*>* group = m_pManager->GetOptionGroup(m_sGroupName)) {
        std::vector<CControlUI*> members = *group;
        for (CControlUI* member : members) {
          if (member == this) continue;
          auto* option = static_cast<COptionUI*>(member->GetInterface("Option"));
          if (option) option->Selected(false, bTriggerEvent);
        }
      }
    }
    if (!IsAlive(this, alive)) return;
    if (bSelected) SelectBoundTab(bTriggerEvent);
    if (changed && bTriggerEvent) {
      m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED, m_bSelected ? 1 : 0);
    }
  }
  Invalidate();
}

bool COptionUI::Activate() {
  uint64_t serial = GetSerial();
  if (!CButtonUI::Activate()) return false;
  if (!IsAlive(this, serial)) return true;
  if (!m_sGroupName.IsEmpty()) {
    Selected(true);
  } else {
    Selected(!m_bSelected);
  }
  if (IsAlive(this, serial) && m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_CHECKCLICK, m_bSelected ? 1 : 0);
  return true;
}

void COptionUI::SetEnabled(bool bEnable) {
  if (PostToUiThread([this, bEnable] { SetEnabled(bEnable); })) return;
  CButtonUI::SetEnabled(bEnable);
  if (!IsEnabled()) m_uButtonState = m_bSelected ? UISTATE_SELECTED : 0;
}

void COptionUI::SetSelectedImage(LPCTSTR pStrImage) {
  CDuiString image(pStrImage);
  if (PostToUiThread([this, image] { SetSelectedImage(image); })) return;
  m_sSelectedImage = image;
  Invalidate();
}

void COptionUI::SetSelectedHotImage(LPCTSTR pStrImage) {
  m_sSelectedHotImage = pStrImage;
  Invalidate();
}

void COptionUI::SetSelectedPushedImage(LPCTSTR pStrImage) {
  m_sSelectedPushedImage = pStrImage;
  Invalidate();
}

void COptionUI::SetSelectedForeImage(LPCTSTR pStrImage) {
  m_sSelectedForeImage = pStrImage;
  Invalidate();
}

void COptionUI::SetSelectedTextColor(DWORD dwTextColor) {
  m_dwSelectedTextColor = dwTextColor;
  Invalidate();
}

void COptionUI::SetSelectedBkColor(DWORD dwBkColor) {
  m_dwSelectedBkColor = dwBkColor;
  Invalidate();
}

void COptionUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  std::string_view v = value.str();
  if (name == "group") {
    SetGroup(value);
  } else if (name == "selected") {
    Selected(ParseBoolValue(v), false);
  } else if (name == "selectedimage") {
    SetSelectedImage(value);
  } else if (name == "selectedhotimage") {
    SetSelectedHotImage(value);
  } else if (name == "selectedpushedimage") {
    SetSelectedPushedImage(value);
  } else if (name == "selectedforeimage" || name == "foreselectedimage") {
    SetSelectedForeImage(value);
  } else if (name == "selectedtextcolor") {
    SetSelectedTextColor(ParseColorValue(v));
  } else if (name == "selectedbkcolor") {
    SetSelectedBkColor(ParseColorValue(v));
  } else if (name == "bindtabindex") {
    BindTabIndex(ParseIntValue(v));
  } else if (name == "bindtablayoutname") {
    BindTabLayoutName(value);
  } else {
    CButtonUI::SetAttribute(pstrName, pstrValue);
  }
}

void COptionUI::PaintBkColor(HDC hDC) {
  if (m_bSelected && m_dwSelectedBkColor != 0) {
    DWORD saved = m_dwBackColor;
    m_dwBackColor = m_dwSelectedBkColor;
    CControlUI::PaintBkColor(hDC);
    m_dwBackColor = saved;
    return;
  }
  CButtonUI::PaintBkColor(hDC);
}

void COptionUI::PaintStatusImage(HDC hDC) {
  if (m_bSelected && !m_sSelectedImage.IsEmpty()) {
    PaintState state = GatherPaintState();
    const CDuiString* image = &m_sSelectedImage;
    if (state.disabled && !m_sDisabledImage.IsEmpty()) {
      image = &m_sDisabledImage;
    } else if (state.pushed && !m_sSelectedPushedImage.IsEmpty()) {
      image = &m_sSelectedPushedImage;
    } else if ((state.hot || state.pushed) && !m_sSelectedHotImage.IsEmpty()) {
      image = &m_sSelectedHotImage;
    }
    DrawImage(hDC, *image);
    return;
  }
  CButtonUI::PaintStatusImage(hDC);
}

void COptionUI::PaintText(HDC hDC) {
  if (m_bSelected && m_dwSelectedTextColor != 0 && IsEnabled()) {
    DrawTextIn(hDC, GetText(), m_dwSelectedTextColor);
    return;
  }
  CButtonUI::PaintText(hDC);
}

void COptionUI::PaintForeImage(HDC hDC) {
  if (m_bSelected && !m_sSelectedForeImage.IsEmpty()) {
    DrawImage(hDC, m_sSelectedForeImage);
    return;
  }
  CButtonUI::PaintForeImage(hDC);
}
