// The main window's caption buttons and the window manager's close, with a tray and without one:
// the program keeps running unless it is told to end, and the layout is never stretched.
#include <gtest/gtest.h>

#include <QWidget>

#include "main_window_run.h"
#include "ui/toolkit/native_window.h"

namespace {

struct PutAwayCase {
  const char* name;
  bool tray;
  bool hidden;     // hidden in the tray
  bool minimised;  // on the task bar
};

class TheCloseButton : public testing::TestWithParam<PutAwayCase> {};

}  // namespace

TEST_P(TheCloseButton, PutsTheWindowAwayAndTheProgramKeepsRunning) {
  const PutAwayCase& test = GetParam();
  MainWindowRun run("", test.tray);
  ASSERT_TRUE(PumpUntil([&] { return run.StartedAndFitted(); }, kMainWindowSettleMs));
  ASSERT_EQ(run.Window().HasTrayIcon(), test.tray);

  Click(run.Handle(), run.Control("closebtn"));
  EXPECT_FALSE(PumpUntil([&] { return !IsWindow(run.Handle()); }, 300)) << "the window was closed";
  ASSERT_TRUE(IsWindow(run.Handle()));
  EXPECT_TRUE(run.Window().IsScanRunning());
  EXPECT_EQ(!IsWindowVisible(run.Handle()), test.hidden);
  EXPECT_EQ(IsIconic(run.Handle()), test.minimised);

  // And back: the tray icon, or the task bar's restore.
  if (test.tray) {
    run.ClickTray();
  } else {
    SendMessage(run.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  }
  EXPECT_TRUE(run.OnScreen());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, TheCloseButton,
                         testing::Values(PutAwayCase{"WithATray", true, true, false},
                                         PutAwayCase{"WithoutATray", false, false, true}),
                         [](const testing::TestParamInfo<PutAwayCase>& info) { return info.param.name; });

TEST(MainWindow, TheWindowManagersCloseHidesInTheTrayAndEndsTheProgramOnlyWithoutOne) {
  for (const bool tray : {true, false}) {
    SCOPED_TRACE(tray ? "with a tray" : "without a tray");
    MainWindowRun run("", tray);
    ASSERT_TRUE(PumpUntil([&] { return run.StartedAndFitted(); }, kMainWindowSettleMs));
    HostWidgetOf(run.Handle())->close();
    const bool closed = PumpUntil([&] { return !IsWindow(run.Handle()); }, 300);
    // Without a tray nothing else could end the program.
    EXPECT_EQ(closed, !tray);
    if (tray) {
      EXPECT_FALSE(IsWindowVisible(run.Handle()));
    }
  }
}

TEST(MainWindow, TheMinimiseButtonMinimisesAndTheTrayBringsTheWindowBack) {
  MainWindowRun run("", true);
  ASSERT_TRUE(PumpUntil([&] { return run.StartedAndFitted(); }, kMainWindowSettleMs));
  Click(run.Handle(), run.Control("minbtn"));
  PumpUiEvents();
  ASSERT_TRUE(IsWindow(run.Handle()));
  EXPECT_TRUE(IsIconic(run.Handle()));
  run.ClickTray();
  EXPECT_TRUE(run.OnScreen()) << "a minimised window is not on screen: the tray click shows it";
  run.ClickTray();
  EXPECT_FALSE(IsWindowVisible(run.Handle()));
}

// The pages are laid out for one size; a maximised window would leave a band under them.
TEST(MainWindow, MaximiseIsNotOffered) {
  MainWindowRun run("mouse", true);
  ASSERT_TRUE(PumpUntil([&] { return run.StartedAndFitted(); }, kMainWindowSettleMs));
  EXPECT_EQ(run.Control("maxbtn"), nullptr);
  EXPECT_EQ(run.Control("restorebtn"), nullptr);
  QWidget* widget = HostWidgetOf(run.Handle());
  EXPECT_EQ(widget->minimumSize(), widget->maximumSize()) << "the window manager may not resize it either";
  const QSize fitted = widget->size();
  SendMessage(run.Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  PumpUiEvents();
  EXPECT_FALSE(IsZoomed(run.Handle()));
  EXPECT_EQ(widget->size(), fitted);
}
