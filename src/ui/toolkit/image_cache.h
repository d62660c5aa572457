#pragma once
// Decoded images (internal to the toolkit). PNG, JPEG and BMP are decoded once; SVGs are kept
// as documents and rendered at the size they are drawn, so they stay sharp at every DPI.
#include <QImage>
#include <QSize>

#include "ui/toolkit/dui_string.h"

class QSvgRenderer;

struct CCachedImage {
  QImage raster;
  QSvgRenderer* svg = nullptr;
  QSize size;  // natural size in pixels (an SVG's own width and height)
};

// The image at an already resolved path, with pixels of the mask colour made transparent
// (mask 0 = none); null when it cannot be loaded.
const CCachedImage* LoadCachedImage(const CDuiString& path, DWORD mask);
// A raster of the image: the decoded one, or the SVG rendered at width x height pixels.
QImage RasterOf(const CCachedImage& image, const CDuiString& path, DWORD mask, int width, int height);
void ClearCachedImages();
