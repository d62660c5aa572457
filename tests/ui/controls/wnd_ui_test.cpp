#include "ui/controls/wnd_ui.h"

#include <gtest/gtest.h>

#include <memory>

#include "controls_harness.h"
#include "test_window.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

class HostedWindow : public testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    host = std::make_unique<CTestWindow>(
        "<Window size='300,200'><VerticalLayout><Wnd name='slot' float='true' pos='20,30,120,90'/></VerticalLayout>"
        "</Window>");
    ASSERT_NE(host->CreateHidden(), nullptr);
    ShowWindow(*host, SW_SHOWNOACTIVATE);
    host->Manager().UpdateLayout();
    guest = std::make_unique<CTestWindow>("<Window size='50,50'><Control/></Window>");
    ASSERT_NE(guest->CreateHidden(*host), nullptr);
    slot = static_cast<CWndUI*>(host->Manager().FindControl("slot"));
    ASSERT_NE(slot, nullptr);
  }
  void TearDown() override {
    DestroyWindow(*guest);
    DestroyWindow(*host);
  }

  std::unique_ptr<CTestWindow> host;
  std::unique_ptr<CTestWindow> guest;
  CWndUI* slot = nullptr;
};

}  // namespace

TEST_F(HostedWindow, AttachedWindowTakesTheControlsPlaceAndVisibility) {
  ASSERT_TRUE(slot->Attach(*guest));
  EXPECT_TRUE(IsWindowVisible(*guest));
  RECT client;
  ASSERT_TRUE(GetClientRect(*guest, &client));
  EXPECT_EQ(client, (RECT{0, 0, 100, 60})) << "the control's size";
  POINT expected{20, 30};
  ClientToScreen(*host, &expected);
  RECT placed;
  ASSERT_TRUE(GetWindowRect(*guest, &placed));
  EXPECT_EQ(placed.left, expected.x);
  EXPECT_EQ(placed.top, expected.y);

  slot->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(*guest));
  slot->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(*guest));

  EXPECT_EQ(slot->Detach(), guest->GetHWND());
  slot->SetVisible(false);
  EXPECT_TRUE(IsWindowVisible(*guest)) << "a detached window is left alone";
}

TEST_F(HostedWindow, AttachingSomethingThatIsNoWindowFails) {
  HWND gone = guest->GetHWND();
  DestroyWindow(gone);
  EXPECT_FALSE(slot->Attach(gone));
  EXPECT_EQ(slot->GetHWND(), nullptr);
}
