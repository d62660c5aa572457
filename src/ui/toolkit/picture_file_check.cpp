#include "ui/toolkit/picture_file_check.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

PictureCheckResult CheckBackgroundPicture(const std::string& path) {
  PictureCheckResult result;
  const QString file = QString::fromStdString(path);
  const QFileInfo info(file);
  if (!info.exists() || !info.isFile() || !info.isReadable()) return result;
  if (info.size() > kLargestPictureFileBytes) {
    result.verdict = PictureCheck::kTooLarge;
    return result;
  }
  QImageReader reader(file);
  // What the bytes are, whatever the file is called.
  reader.setDecideFormatFromContent(true);
  if (!reader.canRead()) {
    result.verdict = reader.error() == QImageReader::DeviceError ? PictureCheck::kUnreadable : PictureCheck::kNotPng;
    return result;
  }
  if (reader.format() != "png") {
    result.verdict = PictureCheck::kNotPng;
    return result;
  }
  const QSize size = reader.size();
  result.width = size.width();
  result.height = size.height();
  if (!size.isValid() || size.isEmpty()) {
    result.verdict = PictureCheck::kDamaged;
    return result;
  }
  if (size.width() > kLargestPictureSide || size.height() > kLargestPictureSide ||
      int64_t{size.width()} * size.height() > kLargestPicturePixels) {
    result.verdict = PictureCheck::kTooLarge;
    return result;
  }
  const QImage image = reader.read();
  result.verdict = image.isNull() || image.size() != size ? PictureCheck::kDamaged : PictureCheck::kUsable;
  return result;
}
