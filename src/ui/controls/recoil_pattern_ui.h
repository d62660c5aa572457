#pragma once
#include <vector>

#include "ui/toolkit/control_ui.h"

// The picture of a recoil pattern: the pointer's positions after each shot, joined in order from
// the starting point, scaled to fit the control (the same scale both ways, so a spray keeps its
// shape) with a grid through the start. The chosen shot is marked. Positions are in the pattern's
// own units, x to the right and y downwards.
class CRecoilPatternUI : public CControlUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  void SetPoints(std::vector<POINT> points);
  const std::vector<POINT>& GetPoints() const { return m_points; }
  // -1 marks none.
  void SetMarked(int index);
  int GetMarked() const { return m_marked; }

  void PaintStatusImage(HDC hDC) override;

  // Where position `point` is drawn in `area` for the current points (a test and the painter share it).
  POINT PlaceOf(const RECT& area, POINT point) const;

 private:
  std::vector<POINT> m_points;
  int m_marked = -1;
};
