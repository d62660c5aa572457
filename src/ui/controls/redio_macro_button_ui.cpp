#include "ui/controls/redio_macro_button_ui.h"

#include "ui/toolkit/paint_manager_ui.h"

namespace {

constexpr int kFadeStep = 20;
constexpr int kFadeHigh = 255;
constexpr int kFadeLow = 80;

}  // namespace

LPCTSTR CRedioMacroButtonUI::GetClass() const { return "RedioMacroButton"; }

void* CRedioMacroButtonUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("RedioMacroButton") == 0) return static_cast<CRedioMacroButtonUI*>(this);
  return CButtonUI::GetInterface(pstrName);
}

void CRedioMacroButtonUI::SetRedioImage(LPCTSTR pStrImage) {
  CDuiString image(pStrImage);
  if (PostToUiThread([this, image] { SetRedioImage(image); })) return;
  m_sRedioImage = image;
}

void CRedioMacroButtonUI::StartPulse() {
  if (PostToUiThread([this] { StartPulse(); })) return;
  m_bPulse = true;
  if (m_pManager) m_pManager->SetTimer(this, kPulseTimerId, kPulseIntervalMs);
}

void CRedioMacroButtonUI::StopPulse() {
  if (PostToUiThread([this] { StopPulse(); })) return;
  m_bPulse = false;
  if (m_pManager) m_pManager->KillTimer(this, kPulseTimerId);
}

void CRedioMacroButtonUI::StepPulse() {
  if (m_sRedioImage.IsEmpty()) return;
  if (m_bRising) {
    m_nFade += kFadeStep;
    if (m_nFade > kFadeHigh - 1) {
      m_nFade = kFadeHigh;
      m_bRising = false;
    }
  } else {
    m_nFade -= kFadeStep;
    if (m_nFade <= kFadeLow) {
      m_nFade = kFadeLow;
      m_bRising = true;
    }
  }
  CDuiString image;
  image.Format("res='%s' ", m_sRedioImage.GetData());
  image.AppendFormat("fade='%d'", m_nFade);
  SetNormalImage(image);
}

void CRedioMacroButtonUI::DoEvent(TEventUI& event) {
  if (event.Type == UIEVENT_TIMER && event.wParam == kPulseTimerId) {
    // A tick already queued when the pulse was stopped must not move the fade any more.
    if (m_bPulse) StepPulse();
    return;
  }
  CButtonUI::DoEvent(event);
}

void CRedioMacroButtonUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  if (CDuiString(pstrName) == "redioimage") {
    SetRedioImage(pstrValue);
  } else {
    CButtonUI::SetAttribute(pstrName, pstrValue);
  }
}
