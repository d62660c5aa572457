#include <gtest/gtest.h>

#include <string>

#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui_test_environment.h"

namespace {

void Build(CPaintManagerUI& manager, const char* xml) {
  CDialogBuilder builder;
  CControlUI* root = builder.Create(xml, nullptr, nullptr, &manager);
  ASSERT_NE(root, nullptr) << xml;
  manager.AttachDialog(root);
}

std::string Describe(const TFontInfo& font) {
  return font.sFontName.str() + " " + std::to_string(font.iSize) + (font.bBold ? " bold" : "");
}

class WindowFonts : public testing::Test {
 protected:
  void SetUp() override {
    UseFixtureSkin();
    Build(first, "XML_TEST");  // styles.xml: font 1 is DejaVu Sans 14 bold; no default font
  }
  void TearDown() override { CPaintManagerUI::SetInterfaceFontFace(""); }
  CPaintManagerUI first;
};

}  // namespace

// The main window's texts changed face when the first prompt was built: both include a style
// sheet, and its fonts were registered for every window.
TEST_F(WindowFonts, AnotherWindowsLayoutNeverChangesAWindowsFonts) {
  const std::string font1 = Describe(first.GetFont(1));
  const std::string fallback = Describe(first.GetDefaultFontInfo());
  ASSERT_EQ(font1, "DejaVu Sans 14 bold");

  CPaintManagerUI second;
  Build(second, "<Window><Include source='other_styles.xml'/><Control/></Window>");

  EXPECT_EQ(Describe(second.GetFont(1)), "Other Face 20");
  EXPECT_EQ(Describe(second.GetDefaultFontInfo()), "Other Face 9");
  EXPECT_EQ(Describe(first.GetFont(1)), font1);
  EXPECT_EQ(Describe(first.GetDefaultFontInfo()), fallback);
}

TEST_F(WindowFonts, AFontMarkedSharedReachesWindowsWithoutTheirOwn) {
  CPaintManagerUI second;
  Build(second, "<Window><Font id='7' name='Shared Face' size='16' shared='true'/><Font id='1' name='Mine' "
                "size='30' shared='true'/><Control/></Window>");
  EXPECT_EQ(Describe(first.GetFont(7)), "Shared Face 16");
  EXPECT_EQ(Describe(first.GetFont(1)), "DejaVu Sans 14 bold") << "a window's own font comes first";
  second.RemoveFont(7, true);
  second.RemoveFont(1, true);
}

// The language's face is drawn in every window, whatever the windows' layouts register; sizes
// and styles stay the layouts'.
TEST_F(WindowFonts, TheInterfaceFaceIsDrawnInEveryWindowKeepingSizes) {
  CPaintManagerUI::SetInterfaceFontFace("Interface Face");
  CPaintManagerUI second;
  Build(second, "<Window><Include source='other_styles.xml'/><Control/></Window>");

  EXPECT_EQ(Describe(first.GetFont(1)), "Interface Face 14 bold");
  EXPECT_EQ(Describe(second.GetFont(1)), "Interface Face 20");
  EXPECT_EQ(Describe(second.GetDefaultFontInfo()), "Interface Face 9");
  EXPECT_EQ(first.GetFont(99).sFontName, "Interface Face") << "an unknown id draws in the default font";

  CPaintManagerUI::SetInterfaceFontFace("");
  EXPECT_EQ(Describe(first.GetFont(1)), "DejaVu Sans 14 bold");
  EXPECT_EQ(Describe(second.GetFont(1)), "Other Face 20");
}
