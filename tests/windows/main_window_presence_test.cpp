// Where the program puts its main window — shown, hidden in the tray or minimised — is the
// program's own decision: the fit to the monitor never changes it, and every tray click turns it
// over, whatever the window system reports at that moment.
#include <gtest/gtest.h>

#include "main_window_run.h"

namespace {

using Presence = CMainWnd::Presence;

void PutWindow(MainWindowRun& run, Presence presence) {
  run.Window().BringToFront();
  if (presence == Presence::kHidden) run.Window().HideToTray();
  if (presence == Presence::kMinimised) SendMessage(run.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

bool LooksLike(MainWindowRun& run, Presence presence) {
  switch (presence) {
    case Presence::kShown:
      return run.OnScreen();
    case Presence::kHidden:
      return !IsWindowVisible(run.Handle());
    case Presence::kMinimised:
      return IsWindowVisible(run.Handle()) && IsIconic(run.Handle());
  }
  return false;
}

const char* NameOf(Presence presence) {
  switch (presence) {
    case Presence::kShown:
      return "shown";
    case Presence::kHidden:
      return "hidden";
    case Presence::kMinimised:
      return "minimised";
  }
  return "?";
}

}  // namespace

TEST(MainWindowPresence, TheFitToTheMonitorKeepsTheWindowWhereTheProgramPutIt) {
  MainWindowRun run("", true);
  ASSERT_TRUE(PumpUntil([&] { return run.StartedAndFitted(); }, kMainWindowSettleMs));
  for (const Presence presence : {Presence::kShown, Presence::kHidden, Presence::kMinimised}) {
    SCOPED_TRACE(NameOf(presence));
    PutWindow(run, presence);
    SendMessage(run.Handle(), WM_TIMER, kTimerFitToMonitor, 0);
    PumpUiEvents();
    EXPECT_EQ(run.Window().GetPresence(), presence);
    EXPECT_TRUE(LooksLike(run, presence));
  }
}

TEST(MainWindowPresence, ATrayClickTurnsTheWindowOverFromWhereverItIs) {
  struct Case {
    Presence before;
    Presence after;
  };
  const Case cases[] = {
      {Presence::kShown, Presence::kHidden},
      {Presence::kHidden, Presence::kShown},
      {Presence::kMinimised, Presence::kShown},
  };
  MainWindowRun run("", true);
  ASSERT_TRUE(PumpUntil([&] { return run.StartedAndFitted(); }, kMainWindowSettleMs));
  for (const Case& test : cases) {
    SCOPED_TRACE(NameOf(test.before));
    PutWindow(run, test.before);
    run.ClickTray();
    EXPECT_EQ(run.Window().GetPresence(), test.after);
    EXPECT_TRUE(LooksLike(run, test.after));
  }
}

// The window system may take its time to report a window shown; the tray click goes by what the
// program did, so it hides a window the program has just shown even if the window system still
// calls it hidden.
TEST(MainWindowPresence, ATrayClickRightAfterTheWindowWasShownHidesIt) {
  MainWindowRun run("", true);
  ASSERT_TRUE(PumpUntil([&] { return run.StartedAndFitted(); }, kMainWindowSettleMs));
  run.Window().HideToTray();
  run.Window().BringToFront();
  ShowWindow(run.Handle(), SW_HIDE);  // what the window system says, not what the program did
  run.ClickTray();
  EXPECT_EQ(run.Window().GetPresence(), Presence::kHidden);
  run.ClickTray();
  EXPECT_EQ(run.Window().GetPresence(), Presence::kShown);
  EXPECT_TRUE(run.OnScreen());
}

TEST(MainWindowPresence, MinimisingAndRestoringThroughTheWindowManagerIsFollowed) {
  MainWindowRun run("", true);
  ASSERT_TRUE(PumpUntil([&] { return run.StartedAndFitted(); }, kMainWindowSettleMs));
  ShowWindow(run.Handle(), SW_MINIMIZE);  // as a task bar does, past the program's commands
  PumpUiEvents();
  EXPECT_EQ(run.Window().GetPresence(), Presence::kMinimised);
  ShowWindow(run.Handle(), SW_RESTORE);
  PumpUiEvents();
  EXPECT_EQ(run.Window().GetPresence(), Presence::kShown);
  run.ClickTray();
  EXPECT_FALSE(IsWindowVisible(run.Handle())) << "shown again, so the click hides it";
}
