// The about window as the user reaches it from the tray menu: the version in the language shown,
// following a change of language while it is open, and closing without ending the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <functional>
#include <string>

#include "program_fixture.h"
#include "shell/app_options.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/ui_thread.h"
#include "ui/toolkit/window_api.h"

namespace {

constexpr int kChineseIndex = 0;  // positions in Language.config
constexpr int kEnglishIndex = 1;

CPaintManagerUI* OpenAboutWindow() {
  for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
    HWND window = manager->GetPaintWindow();
    if (window && IsWindow(window) && manager->FindControl("software_ver_label")) return manager;
  }
  return nullptr;
}

int CountAboutWindows() {
  int count = 0;
  for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
    HWND window = manager->GetPaintWindow();
    if (window && IsWindow(window) && manager->FindControl("software_ver_label")) ++count;
  }
  return count;
}

// Queued before the menu row is chosen, so it runs inside the window's modal loop.
void InTheAboutWindow(std::function<void(CPaintManagerUI&)> act) {
  CPaintManagerUI::RunOnUiThread([act = std::move(act)] {
    CPaintManagerUI* window = OpenAboutWindow();
    if (!window) {
      ADD_FAILURE() << "no about window is open";
      return;
    }
    window->UpdateLayout();
    act(*window);
  });
}

void ChooseTrayMenuRow(Program& program, const char* name) {
  auto* command = new MenuCmd;
  command->szName = name;
  SendMessage(program.Window().GetHWND(), WM_MENUCLICK, reinterpret_cast<WPARAM>(command), 0);
}

std::string Text(CPaintManagerUI& window, const char* name) { return window.FindControl(name)->GetText().str(); }

void ClickClose(CPaintManagerUI& window) { window.SendNotify(window.FindControl("closebtn"), "click"); }

}  // namespace

TEST(AboutWindowProgram, TheTrayMenusAboutShowsTheVersionInTheLanguageShown) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  const std::string version = ProgramVersion();
  ASSERT_FALSE(version.empty());
  struct Case {
    int language;
    std::string versionText;
    const char* title;
  };
  const Case cases[] = {
      {kEnglishIndex, "Version " + version, "About T640"},
      {kChineseIndex, "版本 " + version, "关于 T640"},
  };
  for (const Case& test : cases) {
    program.Window().ApplyLanguage(test.language);
    bool seen = false;
    InTheAboutWindow([&](CPaintManagerUI& window) {
      seen = true;
      EXPECT_EQ(Text(window, "software_ver_label"), test.versionText);
      EXPECT_EQ(Text(window, "software_ver_label").find("{version}"), std::string::npos);
      ClickClose(window);
    });
    ChooseTrayMenuRow(program, "about_menu");
    EXPECT_TRUE(seen) << test.versionText;
    EXPECT_FALSE(program.Window().IsAboutWindowOpen());
    EXPECT_EQ(CountAboutWindows(), 0);
  }
}

TEST(AboutWindowProgram, AChangeOfLanguageWhileItIsOpenReTextsTheWholeWindow) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  program.Window().ApplyLanguage(kEnglishIndex);
  const std::string version = ProgramVersion();
  bool seen = false;
  InTheAboutWindow([&](CPaintManagerUI& window) {
    seen = true;
    EXPECT_EQ(Text(window, "software_ver_label"), "Version " + version);
    program.Window().ApplyLanguage(kChineseIndex);
    EXPECT_EQ(Text(window, "software_ver_label"), "版本 " + version);
    EXPECT_EQ(Text(window, "about_ok_btn"), "确定");
    program.Window().ApplyLanguage(kEnglishIndex);
    EXPECT_EQ(Text(window, "software_ver_label"), "Version " + version);
    EXPECT_EQ(Text(window, "about_ok_btn"), "OK");
    ClickClose(window);
  });
  ChooseTrayMenuRow(program, "about_menu");
  EXPECT_TRUE(seen);
}

TEST(AboutWindowProgram, OnlyOneOpensAndEveryWayOfClosingItKeepsTheProgramRunning) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  // The close button, the OK button, Escape and the window manager's close (Alt+F4).
  const std::function<void(CPaintManagerUI&)> closers[] = {
      [](CPaintManagerUI& window) { ClickClose(window); },
      [](CPaintManagerUI& window) { window.SendNotify(window.FindControl("about_ok_btn"), "click"); },
      [](CPaintManagerUI& window) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(HostWidgetOf(window.GetPaintWindow()), &press);
      },
      [](CPaintManagerUI& window) { SendMessage(window.GetPaintWindow(), WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  int way = 0;
  for (const auto& close : closers) {
    bool seen = false;
    InTheAboutWindow([&](CPaintManagerUI& window) {
      seen = true;
      ChooseTrayMenuRow(program, "about_menu");
      EXPECT_EQ(CountAboutWindows(), 1) << "a second choice while it is open opens nothing";
      close(window);
    });
    ChooseTrayMenuRow(program, "about_menu");
    EXPECT_TRUE(seen) << way;
    EXPECT_FALSE(program.Window().IsAboutWindowOpen()) << way;
    EXPECT_TRUE(IsWindow(program.Window().GetHWND())) << way;
    EXPECT_FALSE(IsQuitRequested()) << "way " << way << " ended the program";
    ++way;
  }
}
