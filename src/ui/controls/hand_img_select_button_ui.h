#pragma once
#include "ui/toolkit/controls/button_ui.h"

// A window onto a picture ("handimage") that the user pans by dragging. A picture larger than the
// button shows a button-sized part of it, pixel for pixel, starting at its top-left corner;
// a smaller one is drawn whole, stretched over the button. Entering and leaving send "msenter"
// and "msleave"; dragging sends nothing.
class CHandImgSelectButtonUI : public CButtonUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  void SetHandImage(LPCTSTR pStrImage);
  const CDuiString& GetHandImage() const { return m_sHandImage; }
  // The part of the picture shown (picture pixels), and whether the picture is panned at all.
  RECT GetSourceRect() const { return m_rcSource; }
  bool IsPannable() const { return m_bPannable; }
  void SetSourceRect(RECT rcSource);
  // The image string the button draws: the picture with its source rectangle.
  const CDuiString& GetDrawString() const { return m_sDrawString; }
  bool IsPanning() const { return m_bPanning; }

  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintStatusImage(HDC hDC) override;

 private:
  void ComputeWindow();
  void BuildDrawString();
  void Pan(POINT pt);

  CDuiString m_sHandImage;
  CDuiString m_sDrawString;
  SIZE m_szPicture;
  SIZE m_szWindowFor;
  RECT m_rcSource;
  POINT m_ptLast;
  bool m_bPannable = false;
  bool m_bPanning = false;
};
