#pragma once
#include "ui/toolkit/controls/label_ui.h"

// A bar filled in proportion to value between min and max (horizontal unless hor="false",
// then it fills bottom up). The filled part is drawn in forecolor and/or with foreimage (stretched
// over the filled part with isstretchfore="true", else revealed); the text on top.
class CProgressUI : public CLabelUI {
 public:
  CProgressUI();
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  bool IsHorizontal() const { return m_bHorizontal; }
  void SetHorizontal(bool bHorizontal = true);
  int GetMinValue() const { return m_nMin; }
  void SetMinValue(int nMin);
  int GetMaxValue() const { return m_nMax; }
  void SetMaxValue(int nMax);
  int GetValue() const { return m_nValue; }
  // Clamped to [min, max]. Any thread.
  virtual void SetValue(int nValue);
  const CDuiString& GetForeImage() const { return m_sForeImage; }

  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintForeColor(HDC hDC) override;
  void PaintForeImage(HDC hDC) override;

 protected:
  // The filled part of the bar.
  RECT FilledRect() const;

  bool m_bHorizontal = true;
  bool m_bStretchForeImage = true;
  int m_nMin = 0;
  int m_nMax = 100;
  int m_nValue = 0;
};
