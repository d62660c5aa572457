#include "ui/controls/recoil_pattern_ui.h"

#include <algorithm>

#include "ui/toolkit/render_engine.h"

namespace {

constexpr DWORD kGridColour = 0xFF22262D;
constexpr DWORD kPathColour = 0xFF00D4FF;
constexpr DWORD kShotColour = 0xFF8C94A3;
constexpr DWORD kStartColour = 0xFF3DDC84;
constexpr DWORD kMarkColour = 0xFFFFB020;
constexpr int kMargin = 14;
constexpr int kShotRadius = 2;
constexpr int kMarkRadius = 5;

RECT Around(POINT centre, int radius) {
  return RECT{centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
}

}  // namespace

LPCTSTR CRecoilPatternUI::GetClass() const { return "RecoilPattern"; }

void* CRecoilPatternUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("RecoilPattern") == 0) return this;
  return CControlUI::GetInterface(pstrName);
}

void CRecoilPatternUI::SetPoints(std::vector<POINT> points) {
  m_points = std::move(points);
  Invalidate();
}

void CRecoilPatternUI::SetMarked(int index) {
  m_marked = index;
  Invalidate();
}

POINT CRecoilPatternUI::PlaceOf(const RECT& area, POINT point) const {
  // The start and every shot fit; the start sits on the centre line, near the top when the spray
  // runs downwards as most do.
  long left = 0, right = 0, top = 0, bottom = 0;
  for (const POINT& p : m_points) {
    left = std::min(left, long{p.x});
    right = std::max(right, long{p.x});
    top = std::min(top, long{p.y});
    bottom = std::max(bottom, long{p.y});
  }
  const long halfWidth = std::max({-left, right, 1L});
  const long height = std::max(bottom - top, 1L);
  const long width = area.right - area.left, tall = area.bottom - area.top;
  // Pixels per unit as a fraction num / den, the same both ways.
  long num = width / 2, den = halfWidth;
  if (tall * den < num * height) {
    num = tall;
    den = height;
  }
  const long originX = area.left + width / 2;
  const long originY = area.top + (tall - height * num / den) / 2 - top * num / den;
  return POINT{static_cast<int>(originX + point.x * num / den), static_cast<int>(originY + point.y * num / den)};
}

void CRecoilPatternUI::PaintStatusImage(HDC hDC) {
  const RECT area{m_rcItem.left + Scale(kMargin), m_rcItem.top + Scale(kMargin), m_rcItem.right - Scale(kMargin),
                  m_rcItem.bottom - Scale(kMargin)};
  if (area.right <= area.left || area.bottom <= area.top) return;
  const POINT start = PlaceOf(area, POINT{0, 0});
  CRenderEngine::DrawLine(hDC, RECT{m_rcItem.left, start.y, m_rcItem.right, start.y}, 1, kGridColour);
  CRenderEngine::DrawLine(hDC, RECT{start.x, m_rcItem.top, start.x, m_rcItem.bottom}, 1, kGridColour);
  POINT from = start;
  for (const POINT& p : m_points) {
    const POINT to = PlaceOf(area, p);
    CRenderEngine::DrawLine(hDC, RECT{from.x, from.y, to.x, to.y}, Scale(2), kPathColour);
    from = to;
  }
  for (const POINT& p : m_points) CRenderEngine::FillEllipse(hDC, Around(PlaceOf(area, p), Scale(kShotRadius)), kShotColour);
  CRenderEngine::FillEllipse(hDC, Around(start, Scale(kShotRadius + 1)), kStartColour);
  if (m_marked >= 0 && m_marked < static_cast<int>(m_points.size())) {
    const POINT mark = PlaceOf(area, m_points[static_cast<size_t>(m_marked)]);
    CRenderEngine::DrawEllipse(hDC, Around(mark, Scale(kMarkRadius)), Scale(2), kMarkColour);
  }
}
