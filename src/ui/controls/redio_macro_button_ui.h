#pragma once
#include "ui/toolkit/controls/button_ui.h"

// The macro record button. While its pulse runs (control timer 100, every 50 ms) its normal image
// becomes "redioimage" fading between 255 and 80 in steps of 20.
class CRedioMacroButtonUI : public CButtonUI {
 public:
  static constexpr UINT kPulseTimerId = 100;
  static constexpr UINT kPulseIntervalMs = 50;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  void SetRedioImage(LPCTSTR pStrImage);
  const CDuiString& GetRedioImage() const { return m_sRedioImage; }
  // Any thread.
  void StartPulse();
  void StopPulse();
  bool IsPulsing() const { return m_bPulse; }
  int GetFadeValue() const { return m_nFade; }

  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

 private:
  void StepPulse();

  CDuiString m_sRedioImage;
  int m_nFade = 255;
  bool m_bRising = false;
  bool m_bPulse = false;
};
