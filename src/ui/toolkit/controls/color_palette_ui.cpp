#include "ui/toolkit/controls/color_palette_ui.h"

#include <QColor>
#include <QLinearGradient>
#include <algorithm>

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/qt_paint.h"
#include "ui/toolkit/render_engine.h"

namespace {

constexpr int kGap = 6;

}  // namespace

LPCTSTR CColorPaletteUI::GetClass() const { return "ColorPalette"; }

void* CColorPaletteUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("ColorPalette") == 0) return static_cast<CColorPaletteUI*>(this);
  return CControlUI::GetInterface(pstrName);
}

UINT CColorPaletteUI::GetControlFlags() const { return UIFLAG_TABSTOP; }

void CColorPaletteUI::SetSelectColor(DWORD dwColor) {
  if (PostToUiThread([this, dwColor] { SetSelectColor(dwColor); })) return;
  m_dwSelectColor = dwColor | 0xFF000000u;
  float h = 0, s = 0, v = 0;
  QColor::fromRgba(m_dwSelectColor).getHsvF(&h, &s, &v);
  // A grey has no hue of its own; keep the one shown so the field does not jump.
  if (h >= 0) m_hue = h;
  m_saturation = s;
  m_brightness = v;
  Invalidate();
}

void CColorPaletteUI::SetPalletHeight(int nHeight) {
  m_nPalletHeight = nHeight;
  Invalidate();
}

int CColorPaletteUI::GetPalletHeight() const {
  if (m_nPalletHeight > 0) return Scale(m_nPalletHeight);
  return std::max(0, RectHeight(m_rcItem) - GetBarHeight() - Scale(kGap));
}

void CColorPaletteUI::SetBarHeight(int nHeight) {
  m_nBarHeight = nHeight;
  Invalidate();
}

int CColorPaletteUI::GetBarHeight() const { return Scale(m_nBarHeight); }

RECT CColorPaletteUI::PaletteRect() const {
  return RECT{m_rcItem.left, m_rcItem.top, m_rcItem.right, m_rcItem.top + GetPalletHeight()};
}

RECT CColorPaletteUI::BarRect() const {
  int top = m_rcItem.top + GetPalletHeight() + Scale(kGap);
  return RECT{m_rcItem.left, top, m_rcItem.right, std::min(m_rcItem.bottom, top + GetBarHeight())};
}

void CColorPaletteUI::UpdateColor() {
  m_dwSelectColor = QColor::fromHsvF(float(m_hue), float(m_saturation), float(m_brightness)).rgba();
  Invalidate();
}

void CColorPaletteUI::PickAt(POINT pt) {
  if (m_drag == Drag::kPalette) {
    RECT rc = PaletteRect();
    m_hue = std::clamp(double(pt.x - rc.left) / std::max(1, RectWidth(rc) - 1), 0.0, 1.0);
    // Hue 1.0 is red again; keep the full range distinct from its start.
    m_hue = std::min(m_hue, 0.9999);
    m_saturation = std::clamp(1.0 - double(pt.y - rc.top) / std::max(1, RectHeight(rc) - 1), 0.0, 1.0);
  } else if (m_drag == Drag::kBar) {
    RECT rc = BarRect();
    m_brightness = std::clamp(double(pt.x - rc.left) / std::max(1, RectWidth(rc) - 1), 0.0, 1.0);
  }
  UpdateColor();
}

void CColorPaletteUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
      if (!IsEnabled()) return;
      if (PtInRect(PaletteRect(), event.ptMouse)) {
        m_drag = Drag::kPalette;
      } else if (PtInRect(BarRect(), event.ptMouse)) {
        m_drag = Drag::kBar;
      } else {
        return;
      }
      PickAt(event.ptMouse);
      return;
    case UIEVENT_MOUSEMOVE:
      if (m_drag != Drag::kNone) PickAt(event.ptMouse);
      return;
    case UIEVENT_BUTTONUP:
      if (m_drag == Drag::kNone) return;
      PickAt(event.ptMouse);
      m_drag = Drag::kNone;
      if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_COLORCHANGED, WPARAM(m_dwSelectColor));
      return;
    default:
      break;
  }
  CControlUI::DoEvent(event);
}

void CColorPaletteUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  std::string_view v = pstrValue ? pstrValue : "";
  if (name == "palletheight") {
    SetPalletHeight(ParseIntValue(v));
  } else if (name == "barheight") {
    SetBarHeight(ParseIntValue(v));
  } else if (name == "thumbimage") {
    SetThumbImage(pstrValue);
  } else {
    CControlUI::SetAttribute(pstrName, pstrValue);
  }
}

void CColorPaletteUI::PaintBkImage(HDC hDC) {
  CControlUI::PaintBkImage(hDC);
  QPainter* painter = PainterOf(hDC);
  if (!painter) return;
  RECT palette = PaletteRect();
  RECT bar = BarRect();
  painter->save();
  if (!IsRectEmpty(palette)) {
    QRect area = ToQRect(palette);
    QLinearGradient hues(area.left(), 0, area.right(), 0);
    for (int i = 0; i <= 6; ++i)
      hues.setColorAt(i / 6.0, QColor::fromHsvF(i == 6 ? 0.0f : float(i) / 6.0f, 1.0f, 1.0f));
    painter->fillRect(area, hues);
    QLinearGradient paler(0, area.top(), 0, area.bottom());
    paler.setColorAt(0, QColor(255, 255, 255, 0));
    paler.setColorAt(1, QColor(255, 255, 255, 255));
    painter->fillRect(area, paler);
    if (m_brightness < 1.0) painter->fillRect(area, QColor(0, 0, 0, int((1.0 - m_brightness) * 255)));
  }
  if (!IsRectEmpty(bar)) {
    QRect area = ToQRect(bar);
    QLinearGradient shades(area.left(), 0, area.right(), 0);
    shades.setColorAt(0, Qt::black);
    shades.setColorAt(1, QColor::fromHsvF(float(m_hue), float(m_saturation), 1.0f));
    painter->fillRect(area, shades);
  }
  painter->restore();
  // Markers of the chosen point on the field and on the bar.
  int half = Scale(5);
  POINT onPalette{palette.left + int(m_hue * (RectWidth(palette) - 1)),
                  palette.top + int((1.0 - m_saturation) * (RectHeight(palette) - 1))};
  POINT onBar{bar.left + int(m_brightness * (RectWidth(bar) - 1)), (bar.top + bar.bottom) / 2};
  for (POINT at : {onPalette, onBar}) {
    // A marker at an edge is drawn just inside it: a part outside the control would not be
    // repainted when the marker moves on, and would stay behind.
    const int margin = half + Scale(2);
    const auto inside = [margin](int v, int low, int high) {
      return std::clamp(v, low + margin, std::max(low + margin, high - margin - 1));
    };
    at.x = inside(at.x, m_rcItem.left, m_rcItem.right);
    at.y = inside(at.y, m_rcItem.top, m_rcItem.bottom);
    RECT marker{at.x - half, at.y - half, at.x + half, at.y + half};
    if (!m_sThumbImage.IsEmpty()) {
      CRenderEngine::DrawImageString(hDC, m_pManager, marker, m_rcPaint, m_sThumbImage);
    } else {
      CRenderEngine::DrawEllipse(hDC, marker, Scale(2), 0xFFFFFFFF);
      CRenderEngine::DrawEllipse(hDC, RECT{marker.left - 1, marker.top - 1, marker.right + 1, marker.bottom + 1}, 1,
                                 0xFF000000);
    }
  }
}
