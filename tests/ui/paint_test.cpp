#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>

#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/qt_paint.h"
#include "ui_test_environment.h"

namespace {

QImage Render(const std::string& body, SIZE size, int dpi = 96) {
  CPaintManagerUI manager;
  manager.SetDPI(dpi);
  CDialogBuilder builder;
  manager.AttachDialog(builder.Create(body.c_str(), nullptr, nullptr, &manager));
  return RenderToImage(manager, size);
}

QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y); }

bool Near(QRgb actual, QRgb expected, int tolerance = 8) {
  return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
         std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
         std::abs(qBlue(actual) - qBlue(expected)) <= tolerance &&
         std::abs(qAlpha(actual) - qAlpha(expected)) <= tolerance;
}

class Paint : public testing::Test {
 protected:
  void SetUp() override { UseFixtureSkin(); }
};

}  // namespace

TEST_F(Paint, BackgroundsBordersAndTextLandWhereTheLayoutSays) {
  QImage image = Render(
      "<VerticalLayout bkcolor='#FF101010'>"
      "<Control height='20' bkcolor='#FFFF0000' bordersize='2' bordercolor='#FF00FF00'/>"
      "<Label height='30' text='WWWW' textcolor='#FFFFFFFF' align='center'/>"
      "</VerticalLayout>",
      SIZE{60, 60});
  EXPECT_TRUE(Near(At(image, 30, 10), qRgb(255, 0, 0)));
  EXPECT_TRUE(Near(At(image, 0, 10), qRgb(0, 255, 0))) << "border";
  EXPECT_TRUE(Near(At(image, 30, 55), qRgb(16, 16, 16))) << "the parent's background below";
  int lit = 0;
  for (int y = 20; y < 50; ++y) {
    for (int x = 0; x < 60; ++x) lit += qRed(At(image, x, y)) > 128 ? 1 : 0;
  }
  EXPECT_GT(lit, 20) << "the label's text was drawn";
}

TEST_F(Paint, ImageStringsDrawAsTheirAttributesSay) {
  struct Case {
    const char* what;
    const char* image;
    std::function<bool(const QImage&)> holds;
  };
  const Case cases[] = {
      {"a bare relative path fills the control", "images/red.png",
       [](const QImage& i) { return Near(At(i, 2, 2), qRgb(255, 0, 0)) && Near(At(i, 37, 37), qRgb(255, 0, 0)); }},
      {"an id from res.xml", "res='IMG_RED'", [](const QImage& i) { return Near(At(i, 20, 20), qRgb(255, 0, 0)); }},
      {"an absolute path", nullptr, [](const QImage& i) { return Near(At(i, 20, 20), qRgb(255, 0, 0)); }},
      {"source picks part of the image", "file='images/halves.png' source='8,0,16,8'",
       [](const QImage& i) { return Near(At(i, 2, 20), qRgb(0, 0, 255)) && Near(At(i, 37, 20), qRgb(0, 0, 255)); }},
      {"corners keep their size while the middle stretches", "file='images/frame.png' corner='4,4,4,4'",
       [](const QImage& i) {
         return Near(At(i, 1, 1), qRgb(0, 0, 255)) && Near(At(i, 5, 20), qRgb(0, 255, 0)) &&
                Near(At(i, 20, 20), qRgb(0, 255, 0)) && Near(At(i, 37, 20), qRgb(0, 0, 255));
       }},
      {"dest draws into part of the control only", "file='images/red.png' dest='10,10,20,20'",
       [](const QImage& i) { return Near(At(i, 15, 15), qRgb(255, 0, 0)) && qAlpha(At(i, 5, 5)) == 0; }},
      {"fade makes it translucent", "file='images/red.png' fade='128'",
       [](const QImage& i) { return std::abs(qAlpha(At(i, 20, 20)) - 128) <= 2; }},
      {"mask turns one colour transparent", "file='images/masked.png' mask='#FFFF00FF'",
       [](const QImage& i) { return qAlpha(At(i, 2, 2)) == 0 && Near(At(i, 20, 20), qRgb(255, 255, 255)); }},
      {"an SVG is drawn", "images/dot.svg", [](const QImage& i) { return Near(At(i, 20, 20), qRgb(0, 255, 0)); }},
      {"a missing image draws nothing", "images/none.png", [](const QImage& i) { return qAlpha(At(i, 20, 20)) == 0; }},
  };
  for (const Case& test : cases) {
    std::string image = test.image ? test.image : FixturePath("images/red.png");
    QImage rendered = Render("<Control bkimage=\"" + image + "\"/>", SIZE{40, 40});
    EXPECT_TRUE(test.holds(rendered)) << test.what;
  }
}

TEST_F(Paint, SvgStaysSharpWhenScaledUp) {
  QImage image = Render("<Control bkimage='images/dot.svg'/>", SIZE{200, 200}, 192);
  // A raster image scaled up blurs its edge; the SVG is rendered at the size it covers.
  EXPECT_TRUE(Near(At(image, 0, 0), qRgb(0, 255, 0), 2));
  EXPECT_TRUE(Near(At(image, 199, 199), qRgb(0, 255, 0), 2));
}

TEST_F(Paint, EveryStandardControlPaintsAtEveryScale) {
  const char* controls[] = {
      "<Button text='b' bkcolor='#FF202020' hotbkcolor='#FF303030' normalimage='images/dot.svg'/>",
      "<Option text='o' selected='true' selectedbkcolor='#FF202020'/>",
      "<CheckBox text='c' bkcolor='#FF202020'/>",
      "<Label text='label' bkcolor='#FF202020' endellipsis='true'/>",
      "<Edit text='123' bkcolor='#FF202020' bordersize='1' bordercolor='#FFFFFFFF'/>",
      "<Edit tipvalue='tip' bkcolor='#FF202020' password='true'/>",
      "<RichEdit text='one two three' bkcolor='#FF202020'/>",
      "<Combo bkcolor='#FF202020'><ListLabelElement text='x' selected='true'/></Combo>",
      ("<List bkcolor='#FF202020'><ListLabelElement text='a'/><ListContainerElement height='20'>"
       "<Label text='b'/></ListContainerElement></List>"),
      "<Progress value='50' bkcolor='#FF202020' forecolor='#FF00FF00' borderround='6,6'/>",
      "<Slider value='50' bkcolor='#FF202020' forecolor='#FF00FF00' thumbcolor='#FFFFFFFF'/>",
      "<ColorPalette bkcolor='#FF202020'/>",
      "<TabLayout bkcolor='#FF202020'><Label text='page'/></TabLayout>",
  };
  for (int dpi : {48, 96, 144, 192}) {
    for (const char* control : controls) {
      QImage image = Render(std::string("<HorizontalLayout>") + control + "</HorizontalLayout>", SIZE{80, 40}, dpi);
      EXPECT_GT(qAlpha(At(image, 40, 20)), 0) << control << " at " << dpi;
    }
  }
}
