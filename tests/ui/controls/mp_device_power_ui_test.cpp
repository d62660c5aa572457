#include "ui/controls/mp_device_power_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls_harness.h"
#include "test_window.h"
#include "ui/toolkit/controls/progress_ui.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui_test_environment.h"

namespace {

// The shipped power display, as the device selector builds it.
class PowerDisplay : public testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    CControlUI* root = BuildInto(manager, "XML\\CustomControlXML\\MpDevicePower.xml");
    ASSERT_NE(root, nullptr);
    power = static_cast<CMpDevicePowerUI*>(root->GetInterface("MpDevicePower"));
    ASSERT_NE(power, nullptr) << "the layout's root is the power display";
    manager.UpdateLayout();
  }

  CControlUI* Part(const char* name) { return manager.FindSubControlByName(power, name); }
  CProgressUI* Progress() { return static_cast<CProgressUI*>(Part("device_Power_progress")->GetInterface("Progress")); }
  void Show(std::vector<uint8_t> report) { power->ShowPowerReport(report.data(), report.size()); }

  CPaintManagerUI manager;
  CMpDevicePowerUI* power = nullptr;
};

}  // namespace

TEST_F(PowerDisplay, PercentIsCappedAtOneHundredAndTheBarHoldsTheUsedPart) {
  struct Case {
    uint8_t percent;
    const char* text;
    int bar;
  };
  const Case cases[] = {{150, "100%", 0}, {100, "100%", 0}, {37, "37%", 63}, {0, "0%", 100}, {255, "100%", 0}};
  power->SetPowerKind(CMpDevicePowerUI::kKindMouse, 0);
  for (const Case& test : cases) {
    Show({test.percent, 0, 0, 1});
    EXPECT_EQ(Part("device_power_value")->GetText(), test.text) << int(test.percent);
    EXPECT_EQ(Progress()->GetValue(), test.bar) << int(test.percent);
  }
}

TEST_F(PowerDisplay, ChargeStateChoosesTheStatusImageAndShowsTheBar) {
  struct Case {
    uint8_t state;
    const char* image;
  };
  const Case cases[] = {
      {0, "file='power/powered.png'"}, {1, "file='power/powering.png'"}, {2, "file='power/power.png'"}};
  power->SetPowerKind(CMpDevicePowerUI::kKindMouse, 0);
  for (const Case& test : cases) {
    Progress()->SetVisible(false);
    Show({50, test.state});
    EXPECT_EQ(Part("device_power_status")->GetBkImage(), test.image) << int(test.state);
    EXPECT_TRUE(Progress()->IsVisible()) << int(test.state);
  }
  Progress()->SetVisible(false);
  Show({50, 7});
  EXPECT_EQ(Part("device_power_status")->GetBkImage(), "file='power/power.png'") << "an unknown state changes nothing";
  EXPECT_FALSE(Progress()->IsVisible());
}

TEST_F(PowerDisplay, WirelessLogoFollowsByteThreeForAMouseOnly) {
  CControlUI* logo = Part("device_wuxian_logo");
  power->SetPowerKind(CMpDevicePowerUI::kKindMouse, 0);
  Show({80, 0, 0, 1});
  EXPECT_TRUE(logo->IsVisible());
  Show({80, 0, 0, 0});
  EXPECT_FALSE(logo->IsVisible());

  logo->SetVisible(true);
  power->SetPowerKind(CMpDevicePowerUI::kKindMousePad, 0);
  Show({80, 0, 0, 0});
  EXPECT_TRUE(logo->IsVisible()) << "a mouse pad's report does not touch the logo";
}

TEST_F(PowerDisplay, MousePadShowsTheAttachedPhone) {
  struct Case {
    uint8_t phone;
    const char* key;
    const char* image;
  };
  const Case cases[] = {
      {1, "Phone_type_iphone", "file='power/Phone_type_iphone.png'"},
      {2, "Phone_type_samsung", "file='power/Phone_type_samsung.png'"},
      {3, "Phone_type_other", "file='power/Phone_type_other.png'"},
      {0, "Phone_type_no_device", "file='power/Phone_type_no_device.png'"},
      {9, "Phone_type_no_device", "file='power/Phone_type_no_device.png'"},
  };
  CControlUI* phone = Part("device_phone_type");
  power->SetPowerKind(CMpDevicePowerUI::kKindMousePad, 0);
  for (const Case& test : cases) {
    Show({60, 1, 0, 0, 0, test.phone});
    EXPECT_EQ(phone->GetTextKey(), test.key) << int(test.phone);
    EXPECT_EQ(phone->GetBkImage(), test.image) << int(test.phone);
    EXPECT_TRUE(phone->IsVisible());
  }
  EXPECT_NE(phone->GetText(), phone->GetTextKey()) << "the phone line shows the language's text";
}

TEST_F(PowerDisplay, MouseLeavesThePhoneLineAlone) {
  power->SetPowerKind(CMpDevicePowerUI::kKindMouse, 0);
  Show({60, 1, 0, 0, 0, 1});
  EXPECT_FALSE(Part("device_phone_type")->IsVisible());
  EXPECT_EQ(Part("device_phone_type")->GetTextKey(), "Phone_type_no_device");
}

TEST_F(PowerDisplay, ShortReportReadsAsPaddedWithZeros) {
  power->SetPowerKind(CMpDevicePowerUI::kKindMousePad, 0);
  const uint8_t report[] = {42};
  power->ShowPowerReport(report, sizeof report);
  EXPECT_EQ(Part("device_power_value")->GetText(), "42%");
  EXPECT_EQ(Part("device_power_status")->GetBkImage(), "file='power/powered.png'") << "byte 1 read as 0";
  EXPECT_EQ(Part("device_phone_type")->GetTextKey(), "Phone_type_no_device") << "byte 5 read as 0";
}

TEST_F(PowerDisplay, MissingPartMeansNoChangeAtAll) {
  CPaintManagerUI bare;
  CControlUI* root = BuildInto(bare,
                               "<MpDevicePower><Label name='device_power_value' text='x'/>"
                               "<Progress name='device_Power_progress' value='5'/></MpDevicePower>");
  auto* partial = static_cast<CMpDevicePowerUI*>(root->GetInterface("MpDevicePower"));
  const uint8_t report[] = {90, 1};
  partial->ShowPowerReport(report, sizeof report);
  EXPECT_EQ(bare.FindControl("device_power_value")->GetText(), "x");
}

TEST_F(PowerDisplay, BatteryLayoutShowsAndHides) {
  power->ShowBatteryLayout(false);
  EXPECT_FALSE(Part("device_power_Layout")->IsVisible());
  power->ShowBatteryLayout(true);
  EXPECT_TRUE(Part("device_power_Layout")->IsVisible());
}

TEST_F(PowerDisplay, ActivationSendsSelectChanged) {
  CRecordingNotifier notifier;
  manager.AddNotifier(&notifier);
  EXPECT_TRUE(power->Activate());
  EXPECT_TRUE(notifier.Saw("selectchanged", "device_power"));
  power->SetEnabled(false);
  EXPECT_FALSE(power->Activate());
  EXPECT_EQ(notifier.Count("selectchanged", "device_power"), 1);
  manager.RemoveNotifier(&notifier);
}
