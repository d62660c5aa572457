#pragma once
#include "ui/toolkit/controls/progress_ui.h"

// A progress bar with a thumb the user drags. While the thumb moves it sends
// "movevaluechanged" for each new value; on release "valuechanged". A click on the track moves
// the thumb there. Arrow keys (and the wheel while focused) step by step and send
// "valuechanged". SetValue from code sends nothing. Attributes: thumbsize ("w,h"),
// thumbimage, thumbhotimage, thumbpushedimage, thumbcolor (drawn as a disc without images),
// step, sendmove ("false" silences "movevaluechanged").
class CSliderUI : public CProgressUI {
 public:
  CSliderUI();
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  UINT GetControlFlags() const override;

  void SetEnabled(bool bEnable = true) override;
  int GetChangeStep() const { return m_nStep; }
  void SetChangeStep(int step) { m_nStep = step > 0 ? step : 1; }
  SIZE GetThumbSize() const;
  void SetThumbSize(SIZE szXY) { m_szThumb = szXY; }
  RECT GetThumbRect() const;
  bool IsDragging() const { return (m_uButtonState & UISTATE_CAPTURED) != 0; }

  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintForeColor(HDC hDC) override;
  void PaintForeImage(HDC hDC) override;

 private:
  int ValueAt(POINT pt) const;
  void ChangeByStep(int steps);

  int m_nStep = 1;
  SIZE m_szThumb{12, 12};
  UINT m_uButtonState = 0;
  bool m_bSendMove = true;
  DWORD m_dwThumbColor = 0;
  CDuiString m_sThumbImage;
  CDuiString m_sThumbHotImage;
  CDuiString m_sThumbPushedImage;
};
