#include "ui/controls/register_program_controls.h"

#include <gtest/gtest.h>

#include <memory>

#include "controls_harness.h"
#include "ui/controls/chart_view_ui.h"
#include "ui/toolkit/control_factory.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui_test_environment.h"

TEST(ProgramControls, LayoutTagsCreateTheProgramsControls) {
  RegisterProgramControls();
  struct Case {
    const char* tag;
    const char* className;
    const char* interfaceName;
  };
  const Case cases[] = {
      {"CircleProgress", "CircleProgress", "Progress"},
      {"ChartView", "Control", "ChartView"},
      {"Wnd", "Wnd", "Wnd"},
      {"SelectPanel", "SelectPanel", "VerticalLayout"},
      {"DeviceKeyButton", "DeviceKeyButton", "Button"},
      {"CloudShareListItem", "CloudShareListItemUI", "ListItem"},
      {"UpdateInfoListItem", "UpdateInfoListItemUI", "ListItem"},
      {"MpDevicePower", "MpDevicePower", "HorizontalLayout"},
      {"ComboEditContainerElement", "ComboEditContainerElement", "ListItem"},
      {"HandImgButton", "HandImgButton", "Button"},
      {"HandImgSelectButton", "HandImgSelectButton", "Button"},
      {"RedioMacroButton", "RedioMacroButton", "Button"},
      {"AudioRecord", "AudioRecord", "Label"},
      {"RecoilPattern", "RecoilPattern", "RecoilPattern"},
      {"circleprogress", "CircleProgress", "Progress"},
  };
  for (const Case& test : cases) {
    std::unique_ptr<CControlUI> control(CControlFactory::GetInstance()->CreateControlForTag(test.tag));
    ASSERT_NE(control, nullptr) << test.tag;
    EXPECT_STREQ(control->GetClass(), test.className) << test.tag;
    EXPECT_NE(control->GetInterface(test.interfaceName), nullptr) << test.tag;
  }
}

TEST(ProgramControls, ChartWithoutItemsDrawsOnlyItsBackground) {
  UseShippedSkin();
  CPaintManagerUI manager;
  CControlUI* root = BuildInto(manager, "<ChartView view='histpgram' showtext='true' bkcolor='#FF102030'/>");
  auto* chart = static_cast<CChartViewUI*>(root->GetInterface("ChartView"));
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->GetView(), CChartViewUI::View::kHistogram);
  QImage image = Render(manager, SIZE{80, 60});
  for (int y = 0; y < 60; y += 7) {
    for (int x = 0; x < 80; x += 7) {
      ASSERT_TRUE(NearColor(image.pixel(x, y), qRgb(0x10, 0x20, 0x30), 0)) << x << "," << y;
    }
  }
  chart->Add("a", 1);
  chart->Add("b", 3);
  EXPECT_EQ(chart->GetCount(), 2);
  QImage drawn = Render(manager, SIZE{80, 60});
  EXPECT_NE(drawn, image) << "items draw bars";
}
