#pragma once
// Qt side of painting (internal to src/ui): what an HDC is, and conversions between the
// toolkit's plain types and Qt's.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

#include "ui/toolkit/dpi.h"
#include "ui/toolkit/ui_types.h"

class CPaintManagerUI;
struct TFontInfo;

struct CPaintDC {
  QPainter* painter = nullptr;
};

inline QPainter* PainterOf(HDC hDC) { return hDC ? hDC->painter : nullptr; }
// QRgb is 0xAARRGGBB, the toolkit's colour layout.
inline QColor ToQColor(DWORD argb) { return QColor::fromRgba(argb); }
inline QRect ToQRect(const RECT& rc) { return QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top); }
inline RECT FromQRect(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

QFont MakeQFont(const TFontInfo& info, const CDPI& dpi);
// Paints the manager's window (laid out to size, or its client size) into a new image.
QImage RenderToImage(CPaintManagerUI& manager, SIZE size = SIZE{});
