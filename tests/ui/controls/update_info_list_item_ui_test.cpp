#include "ui/controls/update_info_list_item_ui.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "controls_harness.h"
#include "test_window.h"
#include "ui/toolkit/controls/label_ui.h"
#include "ui/toolkit/controls/list_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

// The settings window's update list with two rows from the shipped row layout.
constexpr const char* kLayout =
    "<Window size='630,200'><VerticalLayout>"
    "<List name='device_update_list_info' height='110' itemhotbordercolor='#FF00FF00' bkcolor='#FF000000'>"
    "<Include source='XML\\CustomControlXML\\device_Update_list_item.xml' count='2'/>"
    "</List><Control/></VerticalLayout></Window>";

class UpdateRows : public testing::Test {
 protected:
  void SetUp() override {
    UseShippedSkin();
    window = std::make_unique<CTestWindow>(kLayout);
    ASSERT_NE(window->CreateHidden(), nullptr);
    window->Manager().UpdateLayout();
    list = static_cast<CListUI*>(window->Manager().FindControl("device_update_list_info"));
    ASSERT_EQ(list->GetCount(), 2);
    row = static_cast<CUpdateInfoListItemUI*>(list->GetItemAt(0)->GetInterface("UpdateInfoListItemUI"));
    ASSERT_NE(row, nullptr);
  }
  void TearDown() override { DestroyWindow(*window); }

  CControlUI* Part(const char* name) { return window->Manager().FindSubControlByName(row, name); }
  COptionUI* Check() { return static_cast<COptionUI*>(Part("check_name_select")->GetInterface("Option")); }

  std::unique_ptr<CTestWindow> window;
  CListUI* list = nullptr;
  CUpdateInfoListItemUI* row = nullptr;
};

}  // namespace

TEST_F(UpdateRows, EachStateSetsItsTextPartsCheckAndColours) {
  struct Case {
    int state;
    const char* key;
    bool progress;
    bool done;
    bool checkEnabled;
    DWORD textColor;
    DWORD disabledColor;
  };
  const Case cases[] = {
      {0, "LessUpdateText", false, false, false, 0xFFFFFFFF, 0xFF666666},
      {1, "NeedUpdateText", false, false, true, 0xFF0099FF, 0xFF0078C8},
      {2, "NeedUpdateText", false, false, true, 0xFF0099FF, 0xFF0078C8},
      {3, "DownloadWaitText", false, false, false, 0xFF0099FF, 0xFF0078C8},
      {4, "DownloadIngText", true, false, false, 0xFF0099FF, 0xFF0078C8},
      {5, "DownloadOkText", false, true, false, 0xFF0099FF, 0xFF0078C8},
      {6, "UpdateIngText", true, false, false, 0xFF0099FF, 0xFF0078C8},
      {7, "UpdateOkText", false, false, false, 0xFFFFFFFF, 0xFF666666},
      {8, "UpdateFailText", false, false, true, 0xFF0099FF, 0xFF0078C8},
  };
  EXPECT_EQ(row->GetUpdateState(), CUpdateInfoListItemUI::kNoState);
  for (const Case& test : cases) {
    row->SetUpdateState(test.state);
    EXPECT_EQ(row->GetUpdateState(), test.state);
    EXPECT_EQ(Part("update_status_text")->GetTextKey(), test.key) << test.state;
    EXPECT_EQ(Part("update_status_ing")->IsVisible(), test.progress) << test.state;
    EXPECT_EQ(Part("update_progress_value")->IsVisible(), test.progress) << test.state;
    EXPECT_EQ(Part("update_status_ok")->IsVisible(), test.done) << test.state;
    EXPECT_EQ(Check()->IsEnabled(), test.checkEnabled) << test.state;
    EXPECT_EQ(Check()->GetTextColor(), test.textColor) << test.state;
    EXPECT_EQ(Check()->GetSelectedTextColor(), test.textColor) << test.state;
    EXPECT_EQ(Check()->GetDisabledTextColor(), test.disabledColor) << test.state;
  }
}

TEST_F(UpdateRows, ProgressShowsAPercentAndResetsWhenShown) {
  row->SetUpdateState(4);
  row->SetProgress(40);
  EXPECT_EQ(Part("update_progress_value")->GetText(), "40%");
  row->SetUpdateState(6);
  EXPECT_EQ(Part("update_progress_value")->GetText(), "0%") << "showing the progress starts it at 0";
  row->SetProgress(75);
  row->SetUpdateState(6);
  EXPECT_EQ(Part("update_progress_value")->GetText(), "75%") << "the same state again changes nothing";
}

TEST_F(UpdateRows, NamesAndVersionsGoToTheirParts) {
  row->SetItemName("MS");
  row->SetOldVersion("V012c");
  row->SetNewVersion("");
  EXPECT_EQ(row->GetItemName(), "MS");
  EXPECT_EQ(Part("OldRev")->GetText(), "V012c");
  EXPECT_FALSE(Part("updateRev")->IsVisible()) << "hidden while empty";
  row->SetNewVersion("V0105");
  EXPECT_TRUE(Part("updateRev")->IsVisible());
  EXPECT_EQ(row->GetNewVersion(), "V0105");
  row->EnableCheck(false);
  EXPECT_FALSE(row->IsCheckEnabled());
  row->EnableCheck(true);
  row->SelectCheck(true, false);
  EXPECT_TRUE(row->IsCheckSelected());
  EXPECT_FALSE(window->Saw("selectchanged", "check_name_select")) << "no notification asked for";
}

TEST_F(UpdateRows, HotRowIsFramedUnlessItsCheckIsSelected) {
  row->SetUpdateState(1);
  const RECT& rc = row->GetPos();
  auto frame = [&] {
    return Render(window->Manager(), SIZE{630, 200}).pixel((rc.left + rc.right) / 2, rc.top);
  };
  EXPECT_FALSE(NearColor(frame(), qRgb(0, 255, 0)));
  // Over the row's version text, which lets the pointer through to the row.
  MouseMove(*window, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
  ASSERT_TRUE(row->IsHot());
  EXPECT_TRUE(NearColor(frame(), qRgb(0, 255, 0)));
  row->SelectCheck(true, false);
  EXPECT_FALSE(NearColor(frame(), qRgb(0, 255, 0)));
}

TEST_F(UpdateRows, ListFillerThreadChangesArriveInOrderOnTheUserInterfaceThread) {
  std::thread filler([this] {
    row->SetItemName("KB");
    row->SetOldVersion("V0105");
    row->SetNewVersion("V0107");
    row->SetUpdateState(4);
    row->SetProgress(40);
    row->EnableCheck(true);
  });
  filler.join();
  ASSERT_TRUE(PumpUntil([this] { return row->GetUpdateState() == 4; }));
  PumpUiEvents();
  EXPECT_EQ(row->GetItemName(), "KB");
  EXPECT_EQ(row->GetOldVersion(), "V0105");
  EXPECT_EQ(row->GetNewVersion(), "V0107");
  EXPECT_EQ(Part("update_progress_value")->GetText(), "40%") << "the progress set after the state wins";
  EXPECT_TRUE(row->IsCheckEnabled()) << "enabled after the state disabled it";
}
