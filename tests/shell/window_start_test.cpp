// The main window's first appearance: it is mapped once, by the first scan. Shown at its creation
// it would be withdrawn by the first layout and mapped again by the first scan within a few
// milliseconds, and a window manager still busy with the first map may drop the last (the window
// then never appears).
#include <gtest/gtest.h>

#include "program_fixture.h"
#include "ui/toolkit/window_api.h"

TEST(ProgramWindow, StaysHiddenUntilTheFirstScanShowsIt) {
  for (const char* list : {"", "mouse"}) {
    SCOPED_TRACE(*list ? list : "no device");
    Program program(list);
    const HWND window = program.Window().GetHWND();
    EXPECT_FALSE(IsWindowVisible(window)) << "shown before the first scan";
    ASSERT_TRUE(PumpUntil([&] { return program.Window().IsFirstScanDone(); }, kSettleMs));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(program.Window().GetPresence(), CMainWnd::Presence::kShown);
  }
}
