#include "ui/toolkit/image_cache.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <map>
#include <memory>
#include <tuple>

namespace {

struct CacheEntry {
  CCachedImage image;
  std::unique_ptr<QSvgRenderer> svg;
  bool failed = false;
};

// Rendered SVGs are keyed by size; a window resized through many sizes would otherwise grow this
// without bound, so it is simply emptied when it gets large.
constexpr size_t kMaxRenderedImages = 256;

struct Cache {
  std::map<std::pair<std::string, DWORD>, CacheEntry> images;
  std::map<std::tuple<std::string, DWORD, int, int>, QImage> rendered;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

bool IsSvgPath(const CDuiString& path) {
  CDuiString lower = path.Right(4);
  lower.MakeLower();
  return lower == ".svg";
}

void ApplyMask(QImage& image, DWORD mask) {
  if (mask == 0) return;
  image = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = mask & 0x00FFFFFFu;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] & 0x00FFFFFFu) == key) line[x] = 0;
    }
  }
}

}  // namespace

const CCachedImage* LoadCachedImage(const CDuiString& path, DWORD mask) {
  if (path.IsEmpty()) return nullptr;
  auto key = std::make_pair(path.str(), mask);
  auto& images = TheCache().images;
  auto it = images.find(key);
  if (it == images.end()) {
    CacheEntry entry;
    QString file = QString::fromStdString(path.str());
    if (IsSvgPath(path)) {
      entry.svg = std::make_unique<QSvgRenderer>(file);
      entry.failed = !entry.svg->isValid();
      if (!entry.failed) {
        entry.image.svg = entry.svg.get();
        entry.image.size = entry.svg->defaultSize();
      }
    } else {
      QImage decoded(file);
      entry.failed = decoded.isNull();
      if (!entry.failed) {
        decoded = decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (mask != 0) ApplyMask(decoded, mask);
        entry.image.raster = decoded;
        entry.image.size = decoded.size();
      }
    }
    it = images.emplace(key, std::move(entry)).first;
  }
  return it->second.failed ? nullptr : &it->second.image;
}

QImage RasterOf(const CCachedImage& image, const CDuiString& path, DWORD mask, int width, int height) {
  if (!image.svg) return image.raster;
  if (width <= 0 || height <= 0) return QImage();
  auto& rendered = TheCache().rendered;
  auto key = std::make_tuple(path.str(), mask, width, height);
  auto it = rendered.find(key);
  if (it != rendered.end()) return it->second;
  QImage raster(width, height, QImage::Format_ARGB32_Premultiplied);
  raster.fill(Qt::transparent);
  {
    QPainter painter(&raster);
    painter.setRenderHint(QPainter::Antialiasing);
    image.svg->render(&painter, QRectF(0, 0, width, height));
  }
  if (mask != 0) ApplyMask(raster, mask);
  if (rendered.size() >= kMaxRenderedImages) rendered.clear();
  rendered.emplace(key, raster);
  return raster;
}

void ClearCachedImages() {
  TheCache().rendered.clear();
  TheCache().images.clear();
}
