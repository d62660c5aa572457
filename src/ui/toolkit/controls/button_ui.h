#pragma once
#include "ui/toolkit/controls/label_ui.h"

// A clickable label: a press and release inside it (or Space/Enter while focused) sends
// "click". State images: normalimage, hotimage, pushedimage, focusedimage, disabledimage,
// hotforeimage, pushedforeimage; colours hotbkcolor, pushedbkcolor, hottextcolor,
// pushedtextcolor, focusedtextcolor.
//
// The state bits (UISTATE_HOT, UISTATE_PUSHED, UISTATE_CAPTURED, ...) are open to derived
// controls: a button that reacts to input its own way sets them and calls Invalidate.
class CButtonUI : public CLabelUI {
 public:
  CButtonUI();
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  UINT GetControlFlags() const override;

  bool Activate() override;
  void SetEnabled(bool bEnable = true) override;
  void DoEvent(TEventUI& event) override;

  UINT GetButtonState() const { return m_uButtonState; }
  void SetButtonState(UINT uState);

  const CDuiString& GetNormalImage() const { return m_sNormalImage; }
  void SetNormalImage(LPCTSTR pStrImage);  // any thread
  const CDuiString& GetHotImage() const { return m_sHotImage; }
  void SetHotImage(LPCTSTR pStrImage);
  const CDuiString& GetPushedImage() const { return m_sPushedImage; }
  void SetPushedImage(LPCTSTR pStrImage);
  const CDuiString& GetFocusedImage() const { return m_sFocusedImage; }
  void SetFocusedImage(LPCTSTR pStrImage);
  const CDuiString& GetDisabledImage() const { return m_sDisabledImage; }
  void SetDisabledImage(LPCTSTR pStrImage);
  void SetHotForeImage(LPCTSTR pStrImage);
  void SetPushedForeImage(LPCTSTR pStrImage);
  void SetHotBkColor(DWORD dwColor);
  DWORD GetHotBkColor() const { return m_dwHotBkColor; }
  void SetPushedBkColor(DWORD dwColor);
  void SetHotTextColor(DWORD dwColor);
  DWORD GetHotTextColor() const { return m_dwHotTextColor; }
  void SetPushedTextColor(DWORD dwColor);
  void SetFocusedTextColor(DWORD dwColor);

  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintBkColor(HDC hDC) override;
  void PaintText(HDC hDC) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintForeImage(HDC hDC) override;

 protected:
  // What the paint code needs to know about the moment, gathered once.
  struct PaintState {
    bool disabled = false;
    bool pushed = false;
    bool hot = false;
    bool focused = false;
  };
  PaintState GatherPaintState() const;

  UINT m_uButtonState = 0;
  CDuiString m_sNormalImage;
  CDuiString m_sHotImage;
  CDuiString m_sPushedImage;
  CDuiString m_sFocusedImage;
  CDuiString m_sDisabledImage;
  CDuiString m_sHotForeImage;
  CDuiString m_sPushedForeImage;
  DWORD m_dwHotBkColor = 0;
  DWORD m_dwPushedBkColor = 0;
  DWORD m_dwHotTextColor = 0;
  DWORD m_dwPushedTextColor = 0;
  DWORD m_dwFocusedTextColor = 0;
};
