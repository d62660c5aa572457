// The settings window in the whole program: the language it applies to every window and keeps,
// the update list of the devices found, the firmware updater's reports on the current row, and
// the stand-in updater updating the virtual mouse over the desktop bus.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "program_fixture.h"
#include "ui/controls/update_info_list_item_ui.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/window_api.h"
#include "windows/main_wnd/firmware_updater.h"
#include "windows/msg_wnd.h"
#include "windows/set_wnd/set_wnd.h"

namespace {

using Act = std::function<void(CSetWnd&, CPaintManagerUI&)>;

constexpr int kChineseIndex = 0;
constexpr int kEnglishIndex = 1;
constexpr int kMouseRow = 0;

// Queued before the window opens; runs inside its modal loop once the list is filled.
void WhenSettingsWindowReady(Program& program, Act act, int triesLeft = 20000) {
  CPaintManagerUI::RunOnUiThread([&program, act = std::move(act), triesLeft]() mutable {
    CSetWnd* window = program.Window().SettingsWindow();
    if (!window || !window->IsListFilled()) {
      if (triesLeft == 0) {
        ADD_FAILURE() << "the settings window did not open";
        return;
      }
      // The window opens from a timer or a notification a moment later.
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      WhenSettingsWindowReady(program, std::move(act), triesLeft - 1);
      return;
    }
    window->GetPaintManager()->UpdateLayout();
    const HWND handle = window->GetHWND();
    act(*window, *window->GetPaintManager());
    // A failed check leaves the window open: it goes anyway, so the test ends.
    if (IsWindow(handle)) ::SendMessage(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
}

void Click(CPaintManagerUI& window, const char* name) {
  CControlUI* control = window.FindControl(name);
  ASSERT_NE(control, nullptr) << name;
  ASSERT_TRUE(control->IsEnabled()) << name;
  window.SendNotify(control, "click");
}

std::string Text(CPaintManagerUI& window, const char* name) {
  CControlUI* control = window.FindControl(name);
  return control ? control->GetText().str() : std::string();
}

std::string Language(const char* key) { return CResourceManager::GetInstance()->GetText(key).str(); }

// The firmware updater the program finds, for the life of the object.
class ScopedUpdater {
 public:
  explicit ScopedUpdater(const std::string& path, const std::string& options = {}) {
    setenv("T640_FIRMWARE_UPDATER", path.c_str(), 1);
    setenv("T640_UPDATER_STANDIN_OPTIONS", options.c_str(), 1);
  }
  ~ScopedUpdater() {
    unsetenv("T640_FIRMWARE_UPDATER");
    unsetenv("T640_UPDATER_STANDIN_OPTIONS");
  }
};

// An updater that starts and ends at once without a report: the reports come from the test.
constexpr const char* kSilentUpdater = "/bin/true";
constexpr const char* kNoUpdater = "/nonexistent/t640-updater";

void Report(Program& program, WPARAM report, LPARAM value) {
  ::SendMessage(program.Window().GetHWND(), RegisterWindowMessage(kUpdaterReportMessage), report, value);
}

}  // namespace

TEST(SettingsWindowProgram, ChoosingALanguageReTextsTheMainAndSettingsWindowsAndIsKeptForTheNextStart) {
  TempDataFolder data;
  {
    Program program("mouse", &data);
    ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
    ASSERT_EQ(program.Window().GetLanguageIndex(), kEnglishIndex) << "a start without a choice in the C locale";
    bool chosen = false;
    WhenSettingsWindowReady(program, [&](CSetWnd& settings, CPaintManagerUI& window) {
      auto* combo = static_cast<CComboUI*>(window.FindControl("Language_combox_info")->GetInterface("Combo"));
      ASSERT_EQ(combo->GetCount(), 2);
      EXPECT_EQ(combo->GetCurSel(), kEnglishIndex);
      EXPECT_EQ(combo->GetItemAt(kChineseIndex)->GetText().str(), "简体中文");
      EXPECT_EQ(Text(window, "Update_Status_text").rfind("Everything is up to date.", 0), 0u);
      combo->SelectItem(kChineseIndex, true);
      EXPECT_EQ(program.Window().GetLanguageIndex(), kChineseIndex);
      EXPECT_EQ(program.Control("setbtn")->GetToolTip().str(), "设置") << "the main window at once";
      EXPECT_EQ(Text(window, "Update_Status_text").rfind("全部已是最新。", 0), 0u) << "the settings window too";
      EXPECT_EQ(settings.RowControl(0)->GetItemName().str(), "MS");
      chosen = true;
      Click(window, "closebtn");
    });
    program.Window().OpenSettingsWindow(false);
    EXPECT_TRUE(chosen);
    EXPECT_FALSE(program.Window().IsSettingsWindowOpen());
  }
  Program again("mouse", &data);
  ASSERT_TRUE(PumpUntil([&] { return again.MouseShownAndRead(); }, kSettleMs));
  EXPECT_EQ(again.Window().GetLanguageIndex(), kChineseIndex);
  EXPECT_EQ(again.Control("setbtn")->GetToolTip().str(), "设置");
}

int OpenSettingsWindows() {
  int open = 0;
  for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
    if (manager->FindControl("Language_combox_info") && IsWindowVisible(manager->GetPaintWindow())) ++open;
  }
  return open;
}

TEST(SettingsWindowProgram, OpensFromItsMessageButtonAndMenuOnceAtATimeAndTheWindowManagersCloseEndsOnlyIt) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  const HWND main = program.Window().GetHWND();
  bool checked = false;
  WhenSettingsWindowReady(program, [&](CSetWnd& settings, CPaintManagerUI&) {
    // Each way in again while it is open opens nothing more.
    ::SendMessage(main, WM_OPEN_SETTINGS, 0, 0);
    program.Window().GetPaintManager()->SendNotify(program.Control("setbtn"), "click");
    auto* command = new MenuCmd;
    command->szName = "setwnd_menu";
    ::SendMessage(main, WM_MENUCLICK, reinterpret_cast<WPARAM>(command), 0);
    EXPECT_EQ(OpenSettingsWindows(), 1);
    ::SendMessage(settings.GetHWND(), WM_SYSCOMMAND, SC_CLOSE, 0);
    checked = true;
  });
  ::PostMessage(main, WM_OPEN_SETTINGS, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return checked && !program.Window().IsSettingsWindowOpen(); }, kSettleMs));
  PumpUiEvents();
  EXPECT_FALSE(IsQuitRequested()) << "the program goes on";
  EXPECT_TRUE(IsWindow(main));
  EXPECT_TRUE(program.Window().IsScanRunning());
  // The settings button opens it again.
  bool again = false;
  WhenSettingsWindowReady(program, [&](CSetWnd&, CPaintManagerUI& window) {
    again = true;
    Click(window, "closebtn");
  });
  program.Window().GetPaintManager()->SendNotify(program.Control("setbtn"), "click");
  EXPECT_TRUE(again);
}

TEST(SettingsWindowProgram, TheUpdateListHasARowForTheMouseOnItsCableOrReceiverAndOneForTheProgram) {
  ScopedUpdater updater(kNoUpdater);
  struct Case {
    const char* list;
    const char* mouseVersion;  // on the cable its firmware, through the receiver the receiver's
  };
  for (const Case& test : {Case{"mouse", "V0103"}, Case{"mouse-receiver", "V0105"},
                           Case{"mouse:firmware=0x012c", "V012c"}}) {
    Program program(test.list);
    ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs)) << test.list;
    bool seen = false;
    WhenSettingsWindowReady(program, [&](CSetWnd& settings, CPaintManagerUI& window) {
      ASSERT_EQ(settings.RowInfos().size(), 2u) << test.list;
      const UpdateRowInfo& mouse = settings.RowInfos()[0];
      EXPECT_EQ(mouse.Name, "MS");
      EXPECT_EQ(mouse.OldVersion, test.mouseVersion) << test.list;
      EXPECT_EQ(mouse.State, kUpdateDone) << test.list;
      EXPECT_EQ(settings.RowControl(0)->GetOldVersion().str(), test.mouseVersion);
      EXPECT_EQ(settings.RowInfos()[1].Name, "AP");
      EXPECT_EQ(settings.RowInfos()[1].OldVersion, "V0.1.0");
      EXPECT_EQ(settings.GetStatus(), CSetWnd::kUpToDate);
      EXPECT_FALSE(program.Window().IsUpdateBadgeShown());
      seen = true;
      Click(window, "laterbtn");
    });
    program.Window().OpenSettingsWindow(true);
    EXPECT_TRUE(seen) << test.list;
  }
}

TEST(SettingsWindowProgram, OldFirmwareWithoutAnUpdaterIsToldAndListedButCannotBeChosen) {
  ScopedUpdater updater(kNoUpdater);
  CScopedPromptAnswerer answerer([](const PromptRecord&) { return 0; });
  Program program("mouse:firmware=0x0102");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead() && !answerer.Prompts().empty(); }, kSettleMs));
  ASSERT_EQ(answerer.Prompts().size(), 1u);
  EXPECT_EQ(answerer.Prompts()[0].text, "UpdateTiShiNoUpdater");
  EXPECT_EQ(answerer.Prompts()[0].buttonMode, CMsgWnd::kNotice);
  EXPECT_TRUE(program.Window().IsUpdateBadgeShown());
  EXPECT_FALSE(program.Window().IsNoDeviceLayoutShown()) << "the program goes on with the mouse";
  bool seen = false;
  WhenSettingsWindowReady(program, [&](CSetWnd& settings, CPaintManagerUI& window) {
    const UpdateRowInfo& mouse = settings.RowInfos()[0];
    EXPECT_EQ(mouse.OldVersion, "V0102");
    EXPECT_EQ(mouse.NewVersion, "V0103");
    EXPECT_EQ(mouse.State, kUpdateAvailable);
    EXPECT_FALSE(settings.RowControl(0)->IsCheckEnabled());
    EXPECT_EQ(settings.RowControl(0)->GetToolTip().str(), Language("setwnd_tip_no_updater"));
    EXPECT_EQ(settings.GetStatus(), CSetWnd::kUpdatesAvailable);
    seen = true;
    Click(window, "closebtn");
  });
  program.Window().OpenSettingsWindow(true);
  EXPECT_TRUE(seen);
}

// The offer starts an updater that never reports; the test reports in its place, and starts the
// update again from the list after each failure.
TEST(SettingsWindowProgram, EachUpdaterReportChangesTheCurrentRow) {
  ScopedUpdater updater(kSilentUpdater);
  CScopedPromptAnswerer answerer([](const PromptRecord&) { return 1; });
  Program program("mouse:firmware=0x0102");
  bool done = false;
  WhenSettingsWindowReady(program, [&](CSetWnd& settings, CPaintManagerUI& window) {
    CUpdateInfoListItemUI* row = settings.RowControl(kMouseRow);
    auto state = [&] { return settings.RowInfos()[kMouseRow].State; };
    ASSERT_EQ(state(), kUpdateInstalling) << "the offer's update is followed";
    EXPECT_EQ(settings.GetStatus(), CSetWnd::kUpdating);
    EXPECT_FALSE(window.FindControl("closebtn")->IsEnabled()) << "the window stays while it runs";
    ::SendMessage(settings.GetHWND(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.Window().IsSettingsWindowOpen());

    Report(program, CSetWnd::kReportProgress, 40);
    ASSERT_TRUE(PumpUntil([&] { return row->GetProgress() == 40; }));
    EXPECT_EQ(Text(window, "update_progress_value"), "40%");
    Report(program, 9, 0);
    PumpUiEvents();
    EXPECT_EQ(state(), kUpdateInstalling) << "an unknown report changes nothing";

    auto startAgain = [&] {
      ASSERT_TRUE(row->IsCheckEnabled());
      row->SelectCheck(true);
      Click(window, "update_fw_and_ap");
      Click(window, "update_OK_btn");
      ASSERT_EQ(state(), kUpdateInstalling);
    };
    for (WPARAM failure : {CSetWnd::kReportFailed, CSetWnd::kReportFailedToo}) {
      Report(program, failure, 0);
      ASSERT_TRUE(PumpUntil([&] { return state() == kUpdateFailed; })) << failure;
      EXPECT_EQ(settings.GetStatus(), CSetWnd::kUpdatesAvailable);
      EXPECT_EQ(settings.GetCurrentRow(), -1);
      EXPECT_EQ(program.Mouse()->Channel().UpdateInProgress(), 0) << "the mouse is the program's again";
      startAgain();
    }

    Report(program, CSetWnd::kReportSucceeded, 0x0103);
    ASSERT_TRUE(PumpUntil([&] { return state() == kUpdateDone; }));
    EXPECT_EQ(row->GetOldVersion().str(), "V0103");
    EXPECT_EQ(row->GetNewVersion().str(), "");
    EXPECT_FALSE(row->IsCheckSelected());
    EXPECT_EQ(settings.GetStatus(), CSetWnd::kUpToDate);
    EXPECT_FALSE(program.Window().IsUpdateBadgeShown());
    Report(program, CSetWnd::kReportProgress, 70);
    PumpUiEvents();
    EXPECT_EQ(row->GetProgress(), 0) << "no row is current any more";
    done = true;
    Click(window, "closebtn");
  });
  ASSERT_TRUE(PumpUntil([&] { return done; }, kSettleMs));
  EXPECT_EQ(answerer.Prompts().size(), 1u);
}

TEST(SettingsWindowProgram, TheStandInUpdaterUpdatesTheVirtualMouseOverTheDesktopBus) {
  // Slow enough that the window sees a progress report even under the sanitizers.
  ScopedUpdater updater(T640_UPDATER_STANDIN, "--steps=4 --step-ms=250");
  CScopedPromptAnswerer answerer([](const PromptRecord&) { return 1; });
  Program program("mouse:firmware=0x0102");
  std::string error;
  ASSERT_TRUE(program.Sim().ListenForFirmwareUpdates(program.DataFolder() + "/bus", error)) << error;
  int highestProgress = 0;
  bool updated = false;
  WhenSettingsWindowReady(program, [&](CSetWnd& settings, CPaintManagerUI& window) {
    CUpdateInfoListItemUI* row = settings.RowControl(kMouseRow);
    ASSERT_TRUE(PumpUntil(
        [&] {
          highestProgress = std::max(highestProgress, row->GetProgress());
          return settings.RowInfos()[kMouseRow].State != kUpdateInstalling;
        },
        kSettleMs));
    updated = settings.RowInfos()[kMouseRow].State == kUpdateDone;
    EXPECT_EQ(row->GetOldVersion().str(), "V0103");
    // The mouse goes and comes back with its new firmware; the window stays to show the end.
    EXPECT_TRUE(PumpUntil([&] { return program.Window().FillUpdateVersions()[0].Version == 0x0103; }, kSettleMs));
    EXPECT_TRUE(program.Window().IsSettingsWindowOpen());
    Click(window, "closebtn");
  });
  ASSERT_TRUE(PumpUntil([&] { return updated; }, kSettleMs));
  EXPECT_GT(highestProgress, 0);
  EXPECT_EQ(program.Sim().Mouse()->ReleaseNumber(), 0x0103);
  // The mouse came back with the new firmware, and the program reads it as such.
  ASSERT_TRUE(PumpUntil(
      [&] { return program.MouseShownAndRead() && program.Window().FillUpdateVersions()[0].Version == 0x0103; },
      kSettleMs));
  EXPECT_EQ(program.Mouse()->Channel().UpdateInProgress(), 0);
  EXPECT_FALSE(program.Window().IsUpdateBadgeShown());
  EXPECT_EQ(answerer.Prompts().size(), 1u) << "no second offer";
}
