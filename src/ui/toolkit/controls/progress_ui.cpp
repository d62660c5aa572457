#include "ui/toolkit/controls/progress_ui.h"

#include <algorithm>

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/qt_paint.h"
#include "ui/toolkit/render_engine.h"

CProgressUI::CProgressUI() { m_uTextStyle = DT_SINGLELINE | DT_CENTER | DT_VCENTER; }

LPCTSTR CProgressUI::GetClass() const { return "Progress"; }

void* CProgressUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("Progress") == 0) return static_cast<CProgressUI*>(this);
  return CLabelUI::GetInterface(pstrName);
}

void CProgressUI::SetHorizontal(bool bHorizontal) {
  m_bHorizontal = bHorizontal;
  Invalidate();
}

void CProgressUI::SetMinValue(int nMin) {
  m_nMin = nMin;
  m_nValue = std::clamp(m_nValue, m_nMin, std::max(m_nMin, m_nMax));
  Invalidate();
}

void CProgressUI::SetMaxValue(int nMax) {
  m_nMax = nMax;
  m_nValue = std::clamp(m_nValue, m_nMin, std::max(m_nMin, m_nMax));
  Invalidate();
}

void CProgressUI::SetValue(int nValue) {
  if (PostToUiThread([this, nValue] { SetValue(nValue); })) return;
  int clamped = std::clamp(nValue, m_nMin, std::max(m_nMin, m_nMax));
  if (clamped == m_nValue) return;
  m_nValue = clamped;
  Invalidate();
}

RECT CProgressUI::FilledRect() const {
  RECT rc = m_rcItem;
  if (m_nMax <= m_nMin) return RECT{rc.left, rc.top, rc.left, rc.bottom};
  double fraction = double(m_nValue - m_nMin) / double(m_nMax - m_nMin);
  if (m_bHorizontal) {
    rc.right = rc.left + int(RectWidth(rc) * fraction + 0.5);
  } else {
    rc.top = rc.bottom - int(RectHeight(rc) * fraction + 0.5);
  }
  return rc;
}

void CProgressUI::PaintForeColor(HDC hDC) {
  if (ArgbAlpha(m_dwForeColor) == 0) return;
  SIZE round = GetBorderRound();
  RECT filled = FilledRect();
  QPainter* painter = PainterOf(hDC);
  if (round.cx > 0 && painter) {
    // A rounded bar keeps its rounded ends: the full shape clipped to the filled part.
    painter->save();
    painter->setClipRect(ToQRect(filled), Qt::IntersectClip);
    CRenderEngine::FillRoundRect(hDC, m_rcItem, round.cx, round.cy, m_dwForeColor);
    painter->restore();
    return;
  }
  CRenderEngine::DrawColor(hDC, filled, m_dwForeColor);
}

void CProgressUI::PaintForeImage(HDC hDC) {
  if (m_sForeImage.IsEmpty()) return;
  RECT filled = FilledRect();
  if (IsRectEmpty(filled)) return;
  if (m_bStretchForeImage) {
    CRenderEngine::DrawImageString(hDC, m_pManager, filled, m_rcPaint, m_sForeImage);
    return;
  }
  RECT clip;
  if (!IntersectRect(clip, filled, m_rcPaint)) return;
  CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, clip, m_sForeImage);
}

void CProgressUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  std::string_view v = value.str();
  if (name == "hor") {
    SetHorizontal(ParseBoolValue(v));
  } else if (name == "min") {
    SetMinValue(ParseIntValue(v));
  } else if (name == "max") {
    SetMaxValue(ParseIntValue(v));
  } else if (name == "value") {
    SetValue(ParseIntValue(v));
  } else if (name == "isstretchfore") {
    m_bStretchForeImage = ParseBoolValue(v);
  } else {
    CLabelUI::SetAttribute(pstrName, pstrValue);
  }
}
