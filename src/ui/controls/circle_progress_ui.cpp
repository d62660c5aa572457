#include "ui/controls/circle_progress_ui.h"

#include <algorithm>

#include "ui/toolkit/render_engine.h"

namespace {

constexpr int kRingWidth = 10;
constexpr DWORD kInnerDiscColor = 0xFFFFFFFF;
// The ring starts at six o'clock and fills clockwise. Angles here are the render engine's:
// counter-clockwise positive from three o'clock, so both are negated.
constexpr double kStartDegrees = -90.0;

}  // namespace

LPCTSTR CCircleProgressUI::GetClass() const { return "CircleProgress"; }

void* CCircleProgressUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("CircleProgress") == 0) return static_cast<CCircleProgressUI*>(this);
  return CProgressUI::GetInterface(pstrName);
}

void CCircleProgressUI::PaintBkColor(HDC hDC) { CRenderEngine::DrawPie(hDC, m_rcItem, 0.0, 360.0, m_dwBackColor); }

void CCircleProgressUI::PaintForeColor(HDC hDC) {
  const int range = m_nMax - m_nMin;
  if (range > 0) {
    double sweep = std::clamp(double(m_nValue) / range * 360.0, 0.0, 360.0);
    if (sweep > 0.0) CRenderEngine::DrawPie(hDC, m_rcItem, kStartDegrees, -sweep, m_dwForeColor);
  }
  const int inset = Scale(kRingWidth);
  RECT inner{m_rcItem.left + inset, m_rcItem.top + inset, m_rcItem.right - inset, m_rcItem.bottom - inset};
  if (!IsRectEmpty(inner)) CRenderEngine::FillEllipse(hDC, inner, kInnerDiscColor);
  // A text (a percentage) goes in the middle, over the disc that would otherwise cover it.
  CProgressUI::PaintText(hDC);
}

void CCircleProgressUI::PaintText(HDC) {}

// A fore image lies over the whole ring (an icon in its middle), not along a bar.
void CCircleProgressUI::PaintForeImage(HDC hDC) { CControlUI::PaintForeImage(hDC); }
