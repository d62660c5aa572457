#include "ui/controls/device_key_button_ui.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls_harness.h"
#include "test_window.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

// The key's own image is blue; the light overlay red (drawn translucent); the key-set mark green.
std::string Layout() {
  return "<Window size='200,100'><VerticalLayout>"
         "<DeviceKeyButton name='key_3' float='true' pos='10,10,50,50' normalimage='" +
         FixturePath("images/halves.png") + "' lightimage='" + FixturePath("images/red.png") +
         "' keysetimage=\"file='" + FixturePath("images/dot.svg") +
         "' dest='30,0,40,10'\" gmnametextcolor='#FF112233'/></VerticalLayout></Window>";
}

class KeyButton : public testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    window = std::make_unique<CTestWindow>(Layout());
    ASSERT_NE(window->CreateHidden(), nullptr);
    window->Manager().UpdateLayout();
    key = static_cast<CDeviceKeyButtonUI*>(window->Manager().FindControl("key_3"));
    ASSERT_NE(key, nullptr);
  }
  void TearDown() override { DestroyWindow(*window); }
  QImage Paint() { return Render(window->Manager(), SIZE{200, 100}); }

  std::unique_ptr<CTestWindow> window;
  CDeviceKeyButtonUI* key = nullptr;
};

}  // namespace

TEST_F(KeyButton, StartsWithoutOverlaysAndTakesItsAttributes) {
  EXPECT_FALSE(key->IsLightImageShown());
  EXPECT_TRUE(key->IsKeySetImageHidden());
  EXPECT_FALSE(key->IsSelected());
  EXPECT_EQ(key->GetGmNameTextColor(), 0xFF112233u) << "read as hexadecimal after the '#'";
  EXPECT_EQ(key->GetLightImage(), FixturePath("images/red.png"));
}

TEST_F(KeyButton, OverlaysAreDrawnOverTheKeyOnlyWhenOn) {
  QImage plain = Paint();
  EXPECT_TRUE(NearColor(plain.pixel(45, 15), qRgb(0, 0, 255))) << "the key's own image (right half blue)";

  key->ShowLightImage(true);
  QImage lit = Paint();
  QRgb glow = lit.pixel(45, 45);
  EXPECT_GT(qRed(glow), 150) << "the light overlay lies over the key";
  EXPECT_GT(qBlue(glow), 20) << "drawn translucent, the key shows through";

  key->HideKeySetImage(false);
  QImage assigned = Paint();
  EXPECT_TRUE(NearColor(assigned.pixel(45, 15), qRgb(0, 255, 0))) << "the key-set mark goes over the light";
  EXPECT_FALSE(NearColor(assigned.pixel(20, 40), qRgb(0, 255, 0)));
}

TEST_F(KeyButton, DoubleClickSendsDbClickAndPressesTheKey) {
  DoubleClick(*window, key);
  EXPECT_EQ(window->Count("dbclick", "key_3"), 1);
  key->SetEnabled(false);
  DoubleClick(*window, key);
  EXPECT_EQ(window->Count("dbclick", "key_3"), 1) << "not while disabled";
}

TEST_F(KeyButton, DoubleClickMarksTheKeyPressedUntilRelease) {
  POINT centre = CentreOf(key);
  ClickAt(*window, centre);
  SendMessage(*window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
  EXPECT_TRUE(key->GetButtonState() & UISTATE_PUSHED);
  MouseUp(*window, centre);
  EXPECT_FALSE(key->GetButtonState() & UISTATE_PUSHED);
}
