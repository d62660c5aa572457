#pragma once
#include "ui/toolkit/control_ui.h"

// Text in a rectangle. Attributes: align (left, center, right), valign (top, vcenter,
// bottom), wordbreak, endellipsis, font (id), textcolor, disabledtextcolor, textpadding,
// autocalcwidth (width follows the text).
class CLabelUI : public CControlUI {
 public:
  CLabelUI();
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  void SetTextStyle(UINT uStyle);
  UINT GetTextStyle() const { return m_uTextStyle; }
  void SetTextColor(DWORD dwTextColor);
  DWORD GetTextColor() const { return m_dwTextColor; }
  void SetDisabledTextColor(DWORD dwTextColor);
  DWORD GetDisabledTextColor() const { return m_dwDisabledTextColor; }
  void SetFont(int index);
  int GetFont() const { return m_iFont; }
  RECT GetTextPadding() const;
  void SetTextPadding(RECT rc);
  bool IsAutoCalcWidth() const { return m_bAutoCalcWidth; }
  void SetAutoCalcWidth(bool bAutoCalcWidth);

  SIZE EstimateSize(SIZE szAvailable) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintText(HDC hDC) override;

 protected:
  // The colour text is drawn in now (enabled or disabled, falling back to the window defaults).
  DWORD CurrentTextColor(DWORD enabledColor) const;
  void DrawTextIn(HDC hDC, const CDuiString& text, DWORD color);

  DWORD m_dwTextColor = 0;
  DWORD m_dwDisabledTextColor = 0;
  int m_iFont = -1;
  UINT m_uTextStyle = DT_VCENTER | DT_SINGLELINE;
  RECT m_rcTextPadding;
  bool m_bAutoCalcWidth = false;
};
