#pragma once
#include "ui/toolkit/controls/button_ui.h"

// A picture button ("handimage" over its state images) with a delete badge in its lower right
// corner. While the pointer is over the button and the badge is enabled, the badge shows
// ("deletenormalimage", "deletehotimage" under the pointer); a click on it sends
// "click_handdelete" instead of "click". Entering and leaving send "msenter" and "msleave".
class CHandImgButtonUI : public CButtonUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  void SetHandImage(LPCTSTR pStrImage);
  const CDuiString& GetHandImage() const { return m_sHandImage; }
  void EnableDeleteBadge(bool bEnable);
  bool IsDeleteBadgeEnabled() const { return m_bBadgeEnabled; }
  // Window pixels: 20 x 20 at 96 DPI, its right edge 10 and its bottom edge 9 inside the
  // button's.
  RECT GetBadgeRect() const;
  const CDuiString& GetCurrentBadgeImage() const { return m_sBadgeImage; }

  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintStatusImage(HDC hDC) override;

 private:
  CDuiString m_sHandImage;
  CDuiString m_sDeleteNormalImage;
  CDuiString m_sDeleteHotImage;
  CDuiString m_sBadgeImage;
  bool m_bBadgeEnabled = false;
};
