#pragma once
#include "ui/toolkit/control_ui.h"

// A colour picker: the upper field shows hue (left to right) against saturation (full at the
// top); the bar below sets brightness. Dragging in either changes the colour; on release it
// sends "colorchanged" (wParam the colour, 0xAARRGGBB). SetSelectColor from code sends nothing.
// Attributes: palletheight, barheight, thumbimage.
class CColorPaletteUI : public CControlUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  UINT GetControlFlags() const override;

  DWORD GetSelectColor() const { return m_dwSelectColor; }
  // Any thread.
  void SetSelectColor(DWORD dwColor);
  void SetPalletHeight(int nHeight);
  int GetPalletHeight() const;
  void SetBarHeight(int nHeight);
  int GetBarHeight() const;
  void SetThumbImage(LPCTSTR pszImage) { m_sThumbImage = pszImage; }

  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintBkImage(HDC hDC) override;

 private:
  enum class Drag { kNone, kPalette, kBar };
  RECT PaletteRect() const;
  RECT BarRect() const;
  void PickAt(POINT pt);
  void UpdateColor();

  DWORD m_dwSelectColor = 0xFFFF0000;
  double m_hue = 0.0;         // 0..1
  double m_saturation = 1.0;  // 0..1
  double m_brightness = 1.0;  // 0..1
  int m_nPalletHeight = 0;    // 0 = the control's height minus the bar and a gap
  int m_nBarHeight = 12;
  Drag m_drag = Drag::kNone;
  CDuiString m_sThumbImage;
};
