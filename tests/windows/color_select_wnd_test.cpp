// The colour window on its own, built from the shipped layout: what the numbers, the presets, the
// palette and the collected slots do, and what the colour option file keeps between openings.
#include "windows/color_select_wnd/color_select_wnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls_harness.h"
#include "profiles/storage/json_file.h"
#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"
#include "test_window.h"
#include "ui/toolkit/controls/color_palette_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

// One opening of the window: made as the main window makes it, but without the modal loop.
class ColourWindow {
 public:
  ColourWindow(const std::string& userPath, const std::string& factoryPath, DWORD start = 0xFF00FF00)
      : window_(std::make_unique<CColorSelectWnd>(userPath, factoryPath)),
        hwnd_(window_->Create(nullptr, "PalletDialog", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 800, 572)) {
    window_->SetCurrentColour(start);
    window_->EnableSevenColourChoice(false);
    Manager().UpdateLayout();
  }
  ~ColourWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }

  CColorSelectWnd* operator->() const { return window_.get(); }
  HWND Handle() const { return hwnd_; }
  CPaintManagerUI& Manager() const { return *window_->GetPaintManager(); }
  CControlUI* Control(const std::string& name) const { return Manager().FindControl(name.c_str()); }
  COptionUI* Option(const std::string& name) const {
    return static_cast<COptionUI*>(Control(name)->GetInterface("Option"));
  }
  CEditUI* Edit(const std::string& name) const { return static_cast<CEditUI*>(Control(name)->GetInterface("Edit")); }
  std::string Text(const std::string& name) const { return Control(name)->GetText().str(); }
  DWORD Preview() const { return Control("color_show_btn")->GetBkColor(); }
  void ClickOn(const std::string& name) const { Click(hwnd_, Control(name)); }
  // A number typed into one field, which is then left.
  void Type(const std::string& edit, const char* text) const {
    Edit(edit)->SetText(text);
    Manager().SendNotify(Control(edit), "killfocus");
  }

 private:
  std::unique_ptr<CColorSelectWnd> window_;
  HWND hwnd_;
};

class ColourWindowTest : public testing::Test {
 protected:
  void SetUp() override { UseShippedSkin("lan_en.xml"); }
  void TearDown() override { CPaintManagerUI::SetAllDPI(96); }

  TempDataFolder temp_;
  std::string userPath_ = temp_.MakeFolder("T640") + "/color_option_info.config";
  std::string factoryPath_ = std::string(T640_SOURCE_DIR) + "DefaultData/color_option_info.config";
};

}  // namespace

TEST_F(ColourWindowTest, TheNumbersAreTakenWhenAFieldIsLeftWithinZeroTo255) {
  struct Case {
    const char* edit;
    const char* typed;
    const char* shown;
    DWORD colour;  // from 0xFF102030
  };
  const Case cases[] = {
      {"color_edit_b", "300", "255", 0xFF1020FF},
      {"color_edit_g", "", "0", 0xFF100030},
      {"color_edit_r", "0", "0", 0xFF002030},
      {"color_edit_g", "255", "255", 0xFF10FF30},
  };
  for (const Case& test : cases) {
    ColourWindow window(userPath_, factoryPath_, 0xFF102030);
    window.Type(test.edit, test.typed);
    EXPECT_EQ(window.Text(test.edit), test.shown) << test.edit << " " << test.typed;
    EXPECT_EQ(window->GetCurrentColour(), test.colour) << test.edit << " " << test.typed;
    EXPECT_EQ(window.Preview(), test.colour) << test.edit << " " << test.typed;
    auto* palette = static_cast<CColorPaletteUI*>(window.Control("Pallet")->GetInterface("ColorPalette"));
    EXPECT_EQ(palette->GetSelectColor(), test.colour) << "the palette follows the numbers";
  }
}

TEST_F(ColourWindowTest, OpensOnTheGivenColourWithTheSevenColourChoiceHidden) {
  ColourWindow window(userPath_, factoryPath_, 0xFF123456);
  EXPECT_EQ(window.Preview(), 0xFF123456u);
  EXPECT_EQ(window.Text("color_edit_r"), "18");
  EXPECT_EQ(window.Text("color_edit_g"), "52");
  EXPECT_EQ(window.Text("color_edit_b"), "86");
  EXPECT_FALSE(window.Control("7color_layout")->IsVisible());
  EXPECT_FALSE(window.Control("7color")->IsEnabled());
  EXPECT_EQ(window->GetCollectedSlot(), CColorSelectWnd::kNoCollectedSlot) << "no collected slot chosen at start";
}

TEST_F(ColourWindowTest, APresetBecomesTheColourAndIsRemembered) {
  ColourWindow window(userPath_, factoryPath_);
  const DWORD preset = window.Control("color_option_10")->GetBkColor();
  window.ClickOn("color_option_10");
  EXPECT_EQ(window->GetCurrentColour(), preset);
  EXPECT_EQ(window.Preview(), preset);
  EXPECT_EQ(window.Text("color_edit_b"), std::to_string(preset & 0xFF));
  EXPECT_EQ(LoadJsonFile(userPath_)["coloroptioninfo"]["palletDialogcoloroption_selectitem"].asInt(), 10);

  // After the palette changed the colour, the chosen preset can be taken again.
  window.Type("color_edit_r", "7");
  ASSERT_NE(window->GetCurrentColour(), preset);
  window.ClickOn("color_option_10");
  EXPECT_EQ(window->GetCurrentColour(), preset);
}

TEST_F(ColourWindowTest, AColourPickedWithASlotChosenIsCollectedAndShownNextTimeWithoutTheSlotChosen) {
  {
    ColourWindow window(userPath_, factoryPath_);
    window.ClickOn("collect_color_option_3");
    EXPECT_EQ(window->GetCollectedSlot(), 3);
    window.ClickOn("color_option_0");
    EXPECT_EQ(window.Control("collect_color_option_3")->GetUserData().str(), "1");
    const Json::Value slot = LoadJsonFile(userPath_)["coloroptioninfo"]["palletDialogcollectcoloroption"][3];
    EXPECT_EQ(slot["color"].asString(), "FFFF0000") << "saved at once";
    EXPECT_EQ(slot["UserData"].asString(), "1");

    // The palette fills the chosen slot too.
    window.ClickOn("collect_color_option_4");
    ClickAt(window.Handle(), CentreOf(window.Control("Pallet")));
    EXPECT_EQ(window.Control("collect_color_option_4")->GetBkColor(), window->GetCurrentColour());
  }
  ColourWindow reopened(userPath_, factoryPath_, 0xFF00FF00);
  COptionUI* slot = reopened.Option("collect_color_option_3");
  EXPECT_EQ(slot->GetBkColor(), 0xFFFF0000u);
  EXPECT_FALSE(slot->IsSelected());
  EXPECT_EQ(reopened.Control("collect_color_option_5")->GetBkColor(), 0xFFFFFFFFu) << "an empty slot stays white";

  // Choosing a filled slot shows its colour; OK then returns it.
  reopened.ClickOn("collect_color_option_3");
  EXPECT_EQ(reopened.Preview(), 0xFFFF0000u);
  EXPECT_EQ(reopened.Text("color_edit_r"), "255");
  EXPECT_EQ(reopened->GetReturnedColour(), 0xFFFF0000u);
}

TEST_F(ColourWindowTest, ChoosingAnEmptySlotChangesNothingUntilAColourIsPicked) {
  ColourWindow window(userPath_, factoryPath_, 0xFF00FF00);
  window.ClickOn("collect_color_option_7");
  EXPECT_EQ(window.Preview(), 0xFF00FF00u);
  EXPECT_NE(window.Control("collect_color_option_7")->GetUserData().str(), "1");
}

TEST_F(ColourWindowTest, ADamagedFileIsKeptAsideAndTheFactoryColoursAreUsed) {
  WriteFileBytes(userPath_, "{\"coloroptioninfo\": [");
  ColourWindow window(userPath_, factoryPath_);
  EXPECT_EQ(ReadFileBytes(userPath_ + ".damaged"), "{\"coloroptioninfo\": [");
  EXPECT_EQ(LoadJsonFile(userPath_), LoadJsonFile(factoryPath_));
  EXPECT_EQ(window.Control("collect_color_option_0")->GetBkColor(), 0xFFFFFFFFu);
}

TEST_F(ColourWindowTest, OkReturnsTheShownColourAndTheOtherButtonsCancel) {
  struct Case {
    const char* button;
    UINT result;
  };
  for (const Case& test : {Case{"okbtn", CColorSelectWnd::kConfirmed}, Case{"laterbtn", CColorSelectWnd::kCancelled},
                           Case{"closebtn", CColorSelectWnd::kCancelled}}) {
    ColourWindow window(userPath_, factoryPath_);
    window.Type("color_edit_r", "200");
    CPaintManagerUI::RunOnUiThread([&] { window.ClickOn(test.button); });
    EXPECT_EQ(window->ShowModal(), test.result) << test.button;
    if (test.result == CColorSelectWnd::kConfirmed) {
      EXPECT_EQ(window->GetCurrentColour(), 0xFFC8FF00u);
    }
  }
}

TEST_F(ColourWindowTest, TakesTheDpiItIsGivenOrNinetySix) {
  for (int dpi : {144, 100}) {
    ColourWindow window(userPath_, factoryPath_);
    window->SetWindowDpi(dpi);
    const int kept = dpi == 144 ? 144 : 96;
    EXPECT_EQ(window->GetWindowDpi(), kept);
    EXPECT_EQ(window.Manager().GetDPI(), kept);
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(RectWidth(client), 800 * kept / 96) << dpi;
    CPaintManagerUI::SetAllDPI(96);
  }
}
