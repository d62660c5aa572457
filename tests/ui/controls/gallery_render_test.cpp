#include <gtest/gtest.h>

#include <set>
#include <string>

#include "controls_harness.h"
#include "skin_render.h"
#include "ui_test_environment.h"

namespace {

constexpr QRgb kWindowBackground = qRgb(0x0B, 0x0C, 0x0F);
constexpr QRgb kAccent = qRgb(0x00, 0xD4, 0xFF);

QImage RenderGallery(int dpi, const std::string& language = "lan_en.xml") {
  SkinRenderOptions options;
  options.layout = SkinFolder() + "XML/gallery.xml";
  options.dpi = dpi;
  options.language = language;
  QImage image;
  std::string error;
  EXPECT_TRUE(RenderSkinLayout(options, image, error)) << error;
  return image;
}

int CountNear(const QImage& image, QRgb colour, int tolerance) {
  int count = 0;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) count += NearColor(image.pixel(x, y), colour, tolerance) ? 1 : 0;
  }
  return count;
}

}  // namespace

TEST(GalleryRender, EveryPartOfTheGalleryIsDrawnAndStyled) {
  QImage image = RenderGallery(96);
  ASSERT_EQ(image.size(), QSize(1280, 1210));
  EXPECT_GT(CountNear(image, kAccent, 12), 2000) << "the accent colour is there";
  // The body below the title bar in a grid of cells: controls sit everywhere, so every cell has
  // many colours and much that is not the window's background.
  const int columns = 4;
  const int rows = 6;
  const int top = 60;
  const int cellWidth = image.width() / columns;
  const int cellHeight = (image.height() - top) / rows;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      std::set<QRgb> colours;
      int drawn = 0;
      int total = 0;
      for (int y = top + row * cellHeight; y < top + (row + 1) * cellHeight; y += 2) {
        for (int x = column * cellWidth; x < (column + 1) * cellWidth; x += 2) {
          QRgb pixel = image.pixel(x, y);
          colours.insert(pixel);
          drawn += NearColor(pixel, kWindowBackground, 3) ? 0 : 1;
          ++total;
        }
      }
      EXPECT_GT(colours.size(), 40u) << "cell " << column << "," << row << " looks blank";
      EXPECT_GT(drawn * 2, total) << "cell " << column << "," << row << " is mostly window background";
    }
  }
}

TEST(GalleryRender, HigherDpiRendersTheSameLayoutLarger) {
  QImage at96 = RenderGallery(96);
  QImage at144 = RenderGallery(144);
  EXPECT_EQ(at144.width(), at96.width() * 3 / 2);
  EXPECT_EQ(at144.height(), at96.height() * 3 / 2);
  // The same picture, scaled: where the 96 render shows the accent, so does the 144 one.
  int agree = 0;
  int accents = 0;
  for (int y = 0; y < at96.height(); y += 8) {
    for (int x = 0; x < at96.width(); x += 8) {
      if (!NearColor(at96.pixel(x, y), kAccent, 12)) continue;
      ++accents;
      agree += NearColor(at144.pixel(x * 3 / 2, y * 3 / 2), kAccent, 40) ? 1 : 0;
    }
  }
  ASSERT_GT(accents, 20);
  EXPECT_GT(agree * 10, accents * 8);
}

TEST(GalleryRender, DefaultLanguageAndBadInputs) {
  EXPECT_FALSE(RenderGallery(96, "").isNull()) << "the default language, Simplified Chinese";
  SkinRenderOptions options;
  options.layout = SkinFolder() + "XML/gallery.xml";
  options.dpi = 100;
  QImage image;
  std::string error;
  EXPECT_FALSE(RenderSkinLayout(options, image, error));
  EXPECT_NE(error.find("100"), std::string::npos) << error;
  options.dpi = 96;
  options.layout = "/nonexistent/gallery.xml";
  EXPECT_FALSE(RenderSkinLayout(options, image, error));
}
