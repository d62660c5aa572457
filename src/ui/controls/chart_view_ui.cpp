#include "ui/controls/chart_view_ui.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"

namespace {

// Sector colours, used in turn: the accent first, then colours that stay apart from it on a dark
// surface.
constexpr DWORD kSectorColors[] = {0xFF00D4FF, 0xFFFF4D6D, 0xFFFFC233, 0xFF7CFF6B, 0xFFB388FF, 0xFFFF8A3D};
constexpr int kBarGap = 8;
constexpr int kLabelHeight = 18;

// The chart draws texts plain; markup tags of an HTML label are dropped rather than shown.
CDuiString StripTags(const CDuiString& text) {
  CDuiString plain;
  bool inTag = false;
  for (char ch : text.str()) {
    if (ch == '<' || ch == '{') {
      inTag = true;
    } else if (ch == '>' || ch == '}') {
      inTag = false;
    } else if (!inTag) {
      plain += ch;
    }
  }
  return plain;
}

}  // namespace

void* CChartViewUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("ChartView") == 0) return static_cast<CChartViewUI*>(this);
  return CControlUI::GetInterface(pstrName);
}

bool CChartViewUI::Add(LPCTSTR name, double value) { return AddAt(name, value, GetCount()); }

bool CChartViewUI::AddAt(LPCTSTR name, double value, int iIndex) {
  if (iIndex < 0 || iIndex > GetCount()) return false;
  m_items.insert(m_items.begin() + iIndex, {CDuiString(name), value});
  Invalidate();
  return true;
}

bool CChartViewUI::Remove(int iIndex) {
  if (iIndex < 0 || iIndex >= GetCount()) return false;
  m_items.erase(m_items.begin() + iIndex);
  Invalidate();
  return true;
}

void CChartViewUI::RemoveAll() {
  m_items.clear();
  Invalidate();
}

void CChartViewUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  std::string_view v = value.str();
  if (name == "view") {
    // "histpgram" is the spelling layouts use for the bar view.
    m_view = value.CompareNoCase("histpgram") == 0 ? View::kHistogram : View::kPie;
    Invalidate();
  } else if (name == "shadowimage") {
    m_sShadowImage = value;
  } else if (name == "shadowimageheight") {
    m_nShadowImageHeight = ParseIntValue(v);
  } else if (name == "pillarimage") {
    m_sPillarImage = value;
  } else if (name == "pillarimagewidth") {
    m_nPillarImageWidth = ParseIntValue(v);
  } else if (name == "showhtml") {
    m_bShowHtml = ParseBoolValue(v);
  } else if (name == "showtext") {
    m_bShowText = ParseBoolValue(v);
  } else if (name == "font") {
    m_iFont = ParseIntValue(v);
  } else {
    CControlUI::SetAttribute(pstrName, pstrValue);
  }
}

void CChartViewUI::PaintStatusImage(HDC hDC) {
  if (m_items.empty()) return;
  if (m_view == View::kPie) {
    PaintPie(hDC);
  } else {
    PaintBars(hDC);
  }
}

void CChartViewUI::PaintLabel(HDC hDC, RECT rc, const CDuiString& text, UINT align) {
  if (!m_bShowText || text.IsEmpty()) return;
  DWORD color = m_pManager ? m_pManager->GetDefaultFontColor() : 0xFFFFFFFF;
  CRenderEngine::DrawText(hDC, m_pManager, rc, m_bShowHtml ? StripTags(text) : text, color, m_iFont,
                          DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | align);
}

void CChartViewUI::PaintPie(HDC hDC) {
  double total = 0;
  for (const auto& item : m_items) total += std::max(0.0, item.second);
  if (total <= 0) return;
  // The legend (when labels are shown) takes what its longest label needs at the right; the
  // circle gets the rest.
  const int labelHeight = Scale(kLabelHeight);
  const int swatch = labelHeight / 2;
  int legendWidth = 0;
  if (m_bShowText) {
    for (const auto& item : m_items) {
      CDuiString text = m_bShowHtml ? StripTags(item.first) : item.first;
      SIZE size = CRenderEngine::GetTextSize(m_pManager, text, m_iFont, DT_SINGLELINE);
      legendWidth = std::max(legendWidth, int(size.cx) + swatch + Scale(4));
    }
    legendWidth = std::min(legendWidth + Scale(kBarGap), GetWidth() / 2);
  }
  const int side = std::max(0, std::min(GetWidth() - legendWidth, GetHeight()));
  RECT circle{m_rcItem.left, m_rcItem.top + (GetHeight() - side) / 2, m_rcItem.left + side,
              m_rcItem.top + (GetHeight() - side) / 2 + side};
  const int legendTop = m_rcItem.top + (GetHeight() - int(m_items.size()) * labelHeight) / 2;
  double start = 90.0;
  for (size_t i = 0; i < m_items.size(); ++i) {
    DWORD color = kSectorColors[i % std::size(kSectorColors)];
    double sweep = std::max(0.0, m_items[i].second) / total * 360.0;
    CRenderEngine::DrawPie(hDC, circle, start, -sweep, color);
    start -= sweep;
    if (legendWidth <= 0) continue;
    RECT legend{circle.right + Scale(kBarGap), legendTop + int(i) * labelHeight, m_rcItem.right,
                legendTop + int(i + 1) * labelHeight};
    RECT box{legend.left, legend.top + (labelHeight - swatch) / 2, legend.left + swatch,
             legend.top + (labelHeight - swatch) / 2 + swatch};
    CRenderEngine::DrawColor(hDC, box, color);
    legend.left = box.right + Scale(4);
    PaintLabel(hDC, legend, m_items[i].first, DT_LEFT);
  }
}

void CChartViewUI::PaintBars(HDC hDC) {
  double highest = 0;
  for (const auto& item : m_items) highest = std::max(highest, item.second);
  if (highest <= 0) return;
  const int count = int(m_items.size());
  const int labelHeight = m_bShowText ? Scale(kLabelHeight) : 0;
  const int shadowHeight = Scale(m_nShadowImageHeight);
  const int slot = GetWidth() / count;
  const int barWidth = m_nPillarImageWidth > 0 ? std::min(slot, Scale(m_nPillarImageWidth))
                                               : std::max(1, slot - Scale(kBarGap));
  const int baseline = m_rcItem.bottom - labelHeight - shadowHeight;
  const int usable = baseline - m_rcItem.top;
  for (int i = 0; i < count; ++i) {
    const int centre = m_rcItem.left + slot * i + slot / 2;
    const int barHeight = int(std::lround(std::max(0.0, m_items[size_t(i)].second) / highest * usable));
    RECT bar{centre - barWidth / 2, baseline - barHeight, centre - barWidth / 2 + barWidth, baseline};
    if (!m_sShadowImage.IsEmpty() && shadowHeight > 0) {
      CRenderEngine::DrawImageString(hDC, m_pManager, RECT{bar.left, baseline, bar.right, baseline + shadowHeight},
                                     m_rcPaint, m_sShadowImage);
    }
    if (!m_sPillarImage.IsEmpty()) {
      CRenderEngine::DrawImageString(hDC, m_pManager, bar, m_rcPaint, m_sPillarImage);
    } else {
      CRenderEngine::DrawColor(hDC, bar, m_dwForeColor ? m_dwForeColor : kSectorColors[0]);
    }
    PaintLabel(hDC, RECT{m_rcItem.left + slot * i, m_rcItem.bottom - labelHeight, m_rcItem.left + slot * (i + 1),
                         m_rcItem.bottom},
               m_items[size_t(i)].first, DT_CENTER);
  }
}
