#include "ui/toolkit/render_engine.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <map>

#include "ui/toolkit/image_cache.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/qt_paint.h"
#include "ui/toolkit/resource_manager.h"

namespace {

class CPainterState {
 public:
  explicit CPainterState(QPainter* painter) : painter_(painter) {
    painter_->save();
    painter_->setRenderHint(QPainter::Antialiasing);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform);
  }
  ~CPainterState() { painter_->restore(); }
  CPainterState(const CPainterState&) = delete;
  CPainterState& operator=(const CPainterState&) = delete;

 private:
  QPainter* painter_;
};

bool FileExists(const CDuiString& path) { return QFileInfo::exists(QString::fromStdString(path.str())); }

int QtAlignment(UINT style) {
  int flags = 0;
  if (style & DT_CENTER) {
    flags |= Qt::AlignHCenter;
  } else if (style & DT_RIGHT) {
    flags |= Qt::AlignRight;
  } else {
    flags |= Qt::AlignLeft;
  }
  if (style & DT_VCENTER) {
    flags |= Qt::AlignVCenter;
  } else if (style & DT_BOTTOM) {
    flags |= Qt::AlignBottom;
  } else {
    flags |= Qt::AlignTop;
  }
  if ((style & DT_WORDBREAK) && !(style & DT_SINGLELINE)) flags |= Qt::TextWordWrap;
  return flags;
}

QFont FontFor(CPaintManagerUI* manager, int font) {
  if (!manager) {
    static const CDPI defaultScale;
    return MakeQFont(TFontInfo{}, defaultScale);
  }
  return MakeQFont(manager->GetFont(font), *manager->GetDPIObj());
}

QString TextFor(LPCTSTR text, UINT style) {
  QString result = QString::fromUtf8(text ? text : "");
  if (style & DT_SINGLELINE) result.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return result;
}

// Draws src of the raster into dest; with non-zero corners the nine parts are drawn separately
// so the corners keep their size and only the edges and centre stretch.
void DrawSlices(QPainter& painter, const QImage& raster, QRect src, QMargins srcCorner, QRect dest, QMargins destCorner,
                bool hole) {
  if (srcCorner.isNull()) {
    painter.drawImage(dest, raster, src);
    return;
  }
  const int sx[4] = {src.left(), src.left() + srcCorner.left(), src.right() + 1 - srcCorner.right(), src.right() + 1};
  const int sy[4] = {src.top(), src.top() + srcCorner.top(), src.bottom() + 1 - srcCorner.bottom(), src.bottom() + 1};
  const int dx[4] = {dest.left(), dest.left() + destCorner.left(), dest.right() + 1 - destCorner.right(),
                     dest.right() + 1};
  const int dy[4] = {dest.top(), dest.top() + destCorner.top(), dest.bottom() + 1 - destCorner.bottom(),
                     dest.bottom() + 1};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      if (hole && row == 1 && col == 1) continue;
      QRect s(QPoint(sx[col], sy[row]), QPoint(sx[col + 1] - 1, sy[row + 1] - 1));
      QRect d(QPoint(dx[col], dy[row]), QPoint(dx[col + 1] - 1, dy[row + 1] - 1));
      if (s.width() > 0 && s.height() > 0 && d.width() > 0 && d.height() > 0) painter.drawImage(d, raster, s);
    }
  }
}

QMargins ToMargins(const RECT& rc) { return QMargins(rc.left, rc.top, rc.right, rc.bottom); }

}  // namespace

void CRenderEngine::DrawColor(HDC hDC, const RECT& rc, DWORD color) {
  QPainter* painter = PainterOf(hDC);
  if (!painter || ArgbAlpha(color) == 0 || IsRectEmpty(rc)) return;
  painter->fillRect(ToQRect(rc), ToQColor(color));
}

void CRenderEngine::DrawGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical) {
  QPainter* painter = PainterOf(hDC);
  if (!painter || IsRectEmpty(rc)) return;
  QLinearGradient gradient(rc.left, rc.top, bVertical ? rc.left : rc.right, bVertical ? rc.bottom : rc.top);
  gradient.setColorAt(0, ToQColor(dwFirst));
  gradient.setColorAt(1, ToQColor(dwSecond));
  painter->fillRect(ToQRect(rc), gradient);
}

void CRenderEngine::DrawLine(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor) {
  QPainter* painter = PainterOf(hDC);
  if (!painter || nSize <= 0) return;
  CPainterState state(painter);
  painter->setPen(QPen(ToQColor(dwPenColor), nSize));
  painter->drawLine(QPointF(rc.left, rc.top), QPointF(rc.right, rc.bottom));
}

void CRenderEngine::DrawRect(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor) {
  if (nSize <= 0) return;
  int size = std::min({nSize, RectWidth(rc) / 2 + 1, RectHeight(rc) / 2 + 1});
  DrawColor(hDC, RECT{rc.left, rc.top, rc.right, rc.top + size}, dwPenColor);
  DrawColor(hDC, RECT{rc.left, rc.bottom - size, rc.right, rc.bottom}, dwPenColor);
  DrawColor(hDC, RECT{rc.left, rc.top + size, rc.left + size, rc.bottom - size}, dwPenColor);
  DrawColor(hDC, RECT{rc.right - size, rc.top + size, rc.right, rc.bottom - size}, dwPenColor);
}

void CRenderEngine::DrawRoundRect(HDC hDC, const RECT& rc, int nSize, int width, int height, DWORD dwPenColor) {
  QPainter* painter = PainterOf(hDC);
  if (!painter || nSize <= 0) return;
  CPainterState state(painter);
  painter->setPen(QPen(ToQColor(dwPenColor), nSize));
  painter->setBrush(Qt::NoBrush);
  double half = nSize / 2.0;
  QRectF box(rc.left + half, rc.top + half, RectWidth(rc) - nSize, RectHeight(rc) - nSize);
  painter->drawRoundedRect(box, width / 2.0, height / 2.0);
}

void CRenderEngine::FillRoundRect(HDC hDC, const RECT& rc, int width, int height, DWORD dwColor) {
  QPainter* painter = PainterOf(hDC);
  if (!painter || ArgbAlpha(dwColor) == 0) return;
  CPainterState state(painter);
  painter->setPen(Qt::NoPen);
  painter->setBrush(ToQColor(dwColor));
  painter->drawRoundedRect(QRectF(ToQRect(rc)), width / 2.0, height / 2.0);
}

void CRenderEngine::DrawEllipse(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor) {
  QPainter* painter = PainterOf(hDC);
  if (!painter || nSize <= 0) return;
  CPainterState state(painter);
  painter->setPen(QPen(ToQColor(dwPenColor), nSize));
  painter->setBrush(Qt::NoBrush);
  double half = nSize / 2.0;
  painter->drawEllipse(QRectF(rc.left + half, rc.top + half, RectWidth(rc) - nSize, RectHeight(rc) - nSize));
}

void CRenderEngine::FillEllipse(HDC hDC, const RECT& rc, DWORD dwColor) {
  QPainter* painter = PainterOf(hDC);
  if (!painter || ArgbAlpha(dwColor) == 0) return;
  CPainterState state(painter);
  painter->setPen(Qt::NoPen);
  painter->setBrush(ToQColor(dwColor));
  painter->drawEllipse(QRectF(ToQRect(rc)));
}

void CRenderEngine::DrawPie(HDC hDC, const RECT& rc, double startDegrees, double sweepDegrees, DWORD dwColor) {
  QPainter* painter = PainterOf(hDC);
  if (!painter || ArgbAlpha(dwColor) == 0) return;
  CPainterState state(painter);
  painter->setPen(Qt::NoPen);
  painter->setBrush(ToQColor(dwColor));
  if (std::fabs(sweepDegrees) >= 360.0) {
    painter->drawEllipse(QRectF(ToQRect(rc)));
  } else {
    // Qt measures pie angles in sixteenths of a degree.
    painter->drawPie(QRectF(ToQRect(rc)), int(std::lround(startDegrees * 16)), int(std::lround(sweepDegrees * 16)));
  }
}

void CRenderEngine::DrawText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText, DWORD dwTextColor,
                             int iFont, UINT uStyle) {
  QFont font = FontFor(pManager, iFont);
  QString text = TextFor(pstrText, uStyle);
  QFontMetrics metrics(font);
  int flags = QtAlignment(uStyle);
  if (uStyle & DT_CALCRECT) {
    int width = RectWidth(rc) > 0 ? RectWidth(rc) : 100000;
    QRect bound = metrics.boundingRect(QRect(0, 0, width, 100000), flags, text);
    rc.right = rc.left + bound.width();
    rc.bottom = rc.top + bound.height();
    return;
  }
  QPainter* painter = PainterOf(hDC);
  if (!painter || text.isEmpty() || IsRectEmpty(rc)) return;
  if ((uStyle & DT_END_ELLIPSIS) && !(flags & Qt::TextWordWrap)) {
    text = metrics.elidedText(text, Qt::ElideRight, RectWidth(rc));
  }
  CPainterState state(painter);
  painter->setRenderHint(QPainter::TextAntialiasing);
  painter->setFont(font);
  painter->setPen(ToQColor(dwTextColor));
  painter->drawText(ToQRect(rc), flags, text);
}

SIZE CRenderEngine::GetTextSize(CPaintManagerUI* pManager, LPCTSTR pstrText, int iFont, UINT uStyle, int maxWidth) {
  RECT rc{0, 0, maxWidth, 0};
  DrawText(nullptr, pManager, rc, pstrText, 0, iFont, uStyle | DT_CALCRECT);
  return SIZE{RectWidth(rc), RectHeight(rc)};
}

bool CRenderEngine::FitsOnOneLine(CPaintManagerUI* pManager, LPCTSTR pstrText, int iFont, int width) {
  const QString text = TextFor(pstrText, DT_SINGLELINE);
  return QFontMetrics(FontFor(pManager, iFont)).elidedText(text, Qt::ElideRight, width) == text;
}

CDuiString CRenderEngine::ResolveImagePath(LPCTSTR pStrName) {
  CDuiString name(pStrName ? pStrName : "");
  name.Replace("\\", "/");
  if (name.IsEmpty()) return {};
  CDuiString registered = CResourceManager::GetInstance()->GetImagePath(name);
  if (!registered.IsEmpty()) name = registered;
  // Absolute paths (and Windows-style ones carrying a drive colon) are taken as they are.
  if (name[0] == '/' || name.Find(':') >= 0) return FileExists(name) ? name : CDuiString();
  for (const CDuiString& base : {CPaintManagerUI::GetResourcePath(), CPaintManagerUI::GetInstancePath()}) {
    CDuiString candidate = base + name;
    if (FileExists(candidate)) return candidate;
  }
  return FileExists(name) ? name : CDuiString();
}

bool CRenderEngine::GetImageSize(CPaintManagerUI*, LPCTSTR pStrImage, SIZE& size) {
  TDrawInfo info;
  info.Parse(pStrImage);
  CDuiString path = ResolveImagePath(info.sImageName);
  const CCachedImage* image = LoadCachedImage(path, info.dwMask);
  if (!image) return false;
  size = SIZE{image->size.width(), image->size.height()};
  return true;
}

bool CRenderEngine::DrawImageString(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem, const RECT& rcPaint,
                                    LPCTSTR pStrImage, LPCTSTR pStrModify) {
  if (!pStrImage || !*pStrImage) return false;
  // Parsing is cheap next to drawing, but paint runs often; keep the parsed forms.
  static std::map<std::pair<std::string, std::string>, TDrawInfo> parsed;
  auto key = std::make_pair(std::string(pStrImage), std::string(pStrModify ? pStrModify : ""));
  auto it = parsed.find(key);
  if (it == parsed.end()) {
    if (parsed.size() > 4096) parsed.clear();
    TDrawInfo info;
    info.Parse(pStrImage, pStrModify);
    it = parsed.emplace(key, info).first;
  }
  return DrawImageInfo(hDC, pManager, rcItem, rcPaint, it->second);
}

bool CRenderEngine::DrawImageInfo(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem, const RECT& rcPaint,
                                  const TDrawInfo& info) {
  QPainter* painter = PainterOf(hDC);
  if (!painter || info.IsEmpty()) return false;
  CDuiString path = ResolveImagePath(info.sImageName);
  const CCachedImage* image = LoadCachedImage(path, info.dwMask);
  if (!image) return false;

  static const CDPI defaultScale;
  const CDPI& dpi = pManager ? *pManager->GetDPIObj() : defaultScale;
  RECT dest = rcItem;
  if (info.bHasDest) {
    RECT offset = dpi.Scale(info.rcDest);
    dest = RECT{rcItem.left + offset.left, rcItem.top + offset.top, rcItem.left + offset.right,
                rcItem.top + offset.bottom};
    dest.right = std::min(dest.right, rcItem.right);
    dest.bottom = std::min(dest.bottom, rcItem.bottom);
  }
  RECT clip;
  if (IsRectEmpty(dest) || !IntersectRect(clip, dest, rcPaint)) return true;

  RECT src = info.bHasSource ? info.rcSource : RECT{0, 0, image->size.width(), image->size.height()};
  if (IsRectEmpty(src)) return true;
  const bool sliced = !(info.rcCorner == RECT{});
  // SVGs are rendered for the pixels they will cover: the whole document at the scale that maps
  // the source rectangle onto the destination (or onto the DPI scale when the corners keep size).
  double scaleX = 1.0;
  double scaleY = 1.0;
  if (image->svg) {
    scaleX = sliced ? dpi.GetDPI() / 96.0 : double(RectWidth(dest)) / RectWidth(src);
    scaleY = sliced ? dpi.GetDPI() / 96.0 : double(RectHeight(dest)) / RectHeight(src);
  }
  QImage raster = RasterOf(*image, path, info.dwMask, int(std::lround(image->size.width() * scaleX)),
                           int(std::lround(image->size.height() * scaleY)));
  if (raster.isNull()) return false;
  QRect srcRect(int(std::lround(src.left * scaleX)), int(std::lround(src.top * scaleY)),
                int(std::lround(RectWidth(src) * scaleX)), int(std::lround(RectHeight(src) * scaleY)));
  QMargins srcCorner = ToMargins(info.rcCorner);
  if (image->svg) {
    srcCorner = QMargins(int(std::lround(srcCorner.left() * scaleX)), int(std::lround(srcCorner.top() * scaleY)),
                         int(std::lround(srcCorner.right() * scaleX)), int(std::lround(srcCorner.bottom() * scaleY)));
  }
  CPainterState state(painter);
  painter->setClipRect(ToQRect(clip), Qt::IntersectClip);
  // A fade composes with whatever the caller faded already (a disabled control draws faded).
  painter->setOpacity(painter->opacity() * info.uFade / 255.0);
  DrawSlices(*painter, raster, srcRect, srcCorner, ToQRect(dest), ToMargins(dpi.Scale(info.rcCorner)), info.bHole);
  return true;
}

void CRenderEngine::ClearImageCache() { ClearCachedImages(); }
