#include "ui/toolkit/qt_paint.h"

#include "ui/toolkit/paint_manager_ui.h"

QFont MakeQFont(const TFontInfo& info, const CDPI& dpi) {
  QFont font;
  if (!info.sFontName.IsEmpty()) font.setFamily(QString::fromStdString(info.sFontName.str()));
  font.setPixelSize(std::max(1, dpi.Scale(info.iSize)));
  font.setBold(info.bBold);
  font.setUnderline(info.bUnderline);
  font.setItalic(info.bItalic);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QImage RenderToImage(CPaintManagerUI& manager, SIZE size) {
  if (size.cx <= 0 || size.cy <= 0) size = manager.GetClientSize();
  QImage image(std::max(1, size.cx), std::max(1, size.cy), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  CPaintDC dc{&painter};
  manager.PaintOffscreen(&dc, SIZE{image.width(), image.height()});
  painter.end();
  return image;
}

bool CPaintManagerUI::SaveWindowImage(const std::string& path) {
  UpdateLayout();
  return RenderToImage(*this, GetClientSize()).save(QString::fromStdString(path), "PNG");
}
