// The colour window as the user reaches it in the whole program: a stage colour of the mouse page
// opens it, OK gives the stage the colour on the mouse and in the profile, and anything else
// changes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "program_fixture.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/window_api.h"
#include "windows/color_select_wnd/color_select_wnd.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kStageRecordOffset = 14;
constexpr size_t kStageRecordSize = 9;
constexpr size_t kStageColourOffset = 6;  // red, green, blue

// The open colour window's controls, or null.
CPaintManagerUI* OpenColourWindow() {
  for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
    HWND window = manager->GetPaintWindow();
    if (window && IsWindowVisible(window) && manager->FindControl("Pallet")) return manager;
  }
  return nullptr;
}

// Queued before the click that opens the window, so it runs inside the window's modal loop.
void InTheColourWindow(std::function<void(CPaintManagerUI&)> act) {
  CPaintManagerUI::RunOnUiThread([act = std::move(act)] {
    CPaintManagerUI* window = OpenColourWindow();
    if (!window) {
      ADD_FAILURE() << "no colour window is open";
      return;
    }
    window->UpdateLayout();
    act(*window);
  });
}

void TypeColour(CPaintManagerUI& window, int red, int green, int blue) {
  const std::pair<const char*, int> fields[] = {{"color_edit_r", red}, {"color_edit_g", green}, {"color_edit_b", blue}};
  for (const auto& [name, value] : fields) {
    CControlUI* edit = window.FindControl(name);
    edit->SetText(std::to_string(value).c_str());
    window.SendNotify(edit, "killfocus");
  }
}

// A press and release of the left button in the middle of the control.
void ClickIn(CPaintManagerUI& window, const char* name) {
  const RECT pos = window.FindControl(name)->GetPos();
  const LPARAM at = MAKELPARAM((pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2);
  SendMessage(window.GetPaintWindow(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessage(window.GetPaintWindow(), WM_LBUTTONUP, 0, at);
}

std::vector<uint8_t> StageColourOnMouse(Program& program, int stage) {
  return program.Sim().Mouse()->ReadBlock(
      SimBlock::Settings, kStageRecordOffset + kStageRecordSize * static_cast<size_t>(stage) + kStageColourOffset, 3);
}

// Every file of the mouse's data folder with its bytes.
std::map<std::string, std::string> MouseFiles(Program& program) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(program.DataFolder() + "/T640/mouse")) {
    std::ifstream file(entry.path());
    std::stringstream bytes;
    bytes << file.rdbuf();
    files[entry.path().filename().string()] = bytes.str();
  }
  return files;
}

void ClickStageColour(Program& program, int stage) {
  CControlUI* swatch = program.Control(("DPI_color_option_" + std::to_string(stage)).c_str());
  ASSERT_NE(swatch, nullptr);
  ASSERT_TRUE(swatch->IsEnabled());
  program.Window().GetPaintManager()->SendNotify(swatch, "click");
}

}  // namespace

TEST(ColourWindowProgram, OkGivesTheStageTheColourOnTheMouseInTheProfileAndOnThePage) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  for (int stage : {0, 5, 6}) {
    const std::vector<uint8_t> wanted = {static_cast<uint8_t>(10 + stage), 200, static_cast<uint8_t>(30 * stage)};
    const std::vector<uint8_t> otherStage = StageColourOnMouse(program, (stage + 1) % 7);
    InTheColourWindow([&](CPaintManagerUI& window) {
      TypeColour(window, wanted[0], wanted[1], wanted[2]);
      ClickIn(window, "okbtn");
    });
    ClickStageColour(program, stage);
    EXPECT_FALSE(program.Window().IsColourWindowOpen());
    EXPECT_EQ(StageColourOnMouse(program, stage), wanted) << "stage " << stage;
    EXPECT_EQ(StageColourOnMouse(program, (stage + 1) % 7), otherStage) << "stage " << stage << ": only that stage";
    const DPIStage& record = program.Mouse()->GetStages().at(static_cast<size_t>(stage));
    EXPECT_EQ((std::vector<uint8_t>{record.StageColorR, record.StageColorG, record.StageColorB}), wanted);
    EXPECT_EQ(program.Mouse()->GetStageColour(stage),
              0xFF000000u | (DWORD{wanted[0]} << 16) | (DWORD{wanted[1]} << 8) | wanted[2])
        << "the page shows it";
  }
}

TEST(ColourWindowProgram, CancelAndCloseChangeNeitherTheMouseNorTheProfile) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  const std::vector<uint8_t> settings = program.Sim().Mouse()->ReadBlock(SimBlock::Settings, 0, 87);
  const std::map<std::string, std::string> files = MouseFiles(program);
  const DWORD shown = program.Mouse()->GetStageColour(2);
  for (const char* button : {"laterbtn", "closebtn"}) {
    bool acted = false;
    InTheColourWindow([&](CPaintManagerUI& window) {
      TypeColour(window, 1, 2, 3);
      ClickIn(window, "color_option_0");
      acted = true;
      ClickIn(window, button);
    });
    ClickStageColour(program, 2);
    EXPECT_TRUE(acted) << button;
    EXPECT_FALSE(program.Window().IsColourWindowOpen());
    EXPECT_EQ(program.Sim().Mouse()->ReadBlock(SimBlock::Settings, 0, 87), settings) << button;
    EXPECT_EQ(MouseFiles(program), files) << button;
    EXPECT_EQ(program.Mouse()->GetStageColour(2), shown) << button;
  }
}

TEST(ColourWindowProgram, TheWindowOpensOnTheStagesColourAndOnlyOnceAtATime) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  const DWORD stageColour = program.Mouse()->GetStageColour(4);
  bool checked = false;
  InTheColourWindow([&](CPaintManagerUI& window) {
    EXPECT_EQ(window.FindControl("color_show_btn")->GetBkColor(), stageColour);
    EXPECT_EQ(window.FindControl("color_edit_g")->GetText().str(), std::to_string((stageColour >> 8) & 0xFF));
    // A second click on a stage colour meanwhile opens nothing more.
    ClickStageColour(program, 1);
    int open = 0;
    for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
      if (manager->FindControl("Pallet")) ++open;
    }
    EXPECT_EQ(open, 1);
    checked = true;
    ClickIn(window, "laterbtn");
  });
  ClickStageColour(program, 4);
  EXPECT_TRUE(checked);
}
