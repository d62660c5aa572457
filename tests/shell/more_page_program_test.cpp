// The mouse page's last function pages in the running program: every function tab opens a page
// that works, the "More" page restores the factory settings after a question, and opens the
// desktop's mouse settings only where a desktop has them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "devices/device_kind_table.h"
#include "editors/device_editors.h"
#include "editors/more_page/more_settings_ui.h"
#include "program_fixture.h"
#include "support/profile_test_files.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "windows/msg_wnd.h"

namespace {

constexpr int kYes = 1, kNo = 0;

// PATH for the life of a test: only `folder`.
class ScopedPath {
 public:
  explicit ScopedPath(const std::string& folder) : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    setenv("PATH", folder.c_str(), 1);
  }
  ~ScopedPath() { setenv("PATH", old_.c_str(), 1); }

 private:
  std::string old_;
};

std::vector<std::string> Click(Program& program, const char* name, int answer) {
  CScopedPromptAnswerer answerer([answer](const PromptRecord&) { return answer; });
  program.Window().GetPaintManager()->SendNotify(program.Control(name), "click");
  std::vector<std::string> keys;
  for (const PromptRecord& prompt : answerer.Prompts()) keys.push_back(prompt.text);
  return keys;
}

int StageZeroOnTheMouse(Program& program) {
  const std::vector<uint8_t> stage = program.Sim().Mouse()->ReadBlock(SimBlock::Settings, 16, 2);
  return stage[0] | stage[1] << 8;
}

// On its cable and through its receiver alike.
class FunctionTabs : public ::testing::TestWithParam<const char*> {};

TEST_P(FunctionTabs, EveryFunctionTabOpensAWorkingPage) {
  const TempDataFolder data;
  ScopedPath path(data.Path());
  Program program(GetParam(), &data);
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  auto* pages = static_cast<CTabLayoutUI*>(program.Control("device_function_switch")->GetInterface("TabLayout"));
  const struct {
    const char* tab;
    const char* page;  // a control the page shown holds
  } tabs[] = {
      {"deng_Op_tab", "LightControlItem"},  {"key_Op_tab", "KeySetControlItem"},
      {"macro_Op_tab", "MacroControlItem"}, {"system_Op_tab", "mouse_device_seting_layout"},
      {"cursor_Op_tab", "ShootControlItem"}, {"otherset_Op_tab", "MoreSettingsItem"},
  };
  for (const auto& t : tabs) {
    auto* tab = static_cast<COptionUI*>(program.Control(t.tab)->GetInterface("Option"));
    EXPECT_TRUE(tab->IsEnabled()) << t.tab;
    EXPECT_TRUE(tab->GetToolTip().IsEmpty()) << t.tab << " says nothing is missing";
    tab->Selected(true);
    CControlUI* shown = pages->GetItemAt(pages->GetCurSel());
    CControlUI* page = program.Control(t.page);
    ASSERT_NE(page, nullptr) << t.page;
    bool inside = false;
    for (CControlUI* c = page; c; c = c->GetParent()) inside = inside || c == shown;
    EXPECT_TRUE(inside) << t.tab << " shows " << t.page;
  }
  // No desktop settings program on this PATH: the button says why it cannot be used.
  CControlUI* settings = program.Control("windowdeviceset_1");
  EXPECT_FALSE(settings->IsEnabled());
  EXPECT_EQ(settings->GetToolTip().str(), CResourceManager::GetInstance()->GetText("more_tip_no_system_settings").str());
}

INSTANTIATE_TEST_SUITE_P(MorePageProgram, FunctionTabs, ::testing::Values("mouse", "mouse-receiver"));

TEST(MorePageProgram, FactorySettingsComeBackOnlyWhenConfirmed) {
  Program program("mouse");
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  const int factory = StageZeroOnTheMouse(program);
  program.Control("DPI_edit_0")->SetText(factory == 7 ? "1600" : "400");
  program.Window().GetPaintManager()->SendNotify(program.Control("DPI_edit_0"), "killfocus");
  const int changed = StageZeroOnTheMouse(program);
  ASSERT_NE(changed, factory);

  EXPECT_EQ(Click(program, "default_btn", kNo), (std::vector<std::string>{"message_text_22"}));
  EXPECT_EQ(StageZeroOnTheMouse(program), changed);
  EXPECT_EQ(Click(program, "default_btn", kYes), (std::vector<std::string>{"message_text_22"}));
  EXPECT_TRUE(PumpUntil([&] { return StageZeroOnTheMouse(program) == factory; }, kSettleMs));
  EXPECT_EQ(program.Mouse()->GetStages()[0].StageDPIX, factory);
}

TEST(MorePageProgram, TheDesktopsMouseSettingsOpen) {
  const TempDataFolder data;
  const std::string folder = data.MakeFolder("bin");
  const std::string marker = data.Path() + "/opened";
  const std::string program_path = folder + "/xfce4-mouse-settings";
  WriteFileBytes(program_path, "#!/bin/sh\necho opened > '" + marker + "'\n");
  ASSERT_EQ(chmod(program_path.c_str(), 0755), 0);
  ScopedPath path(folder);
  Program program("mouse", &data);
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  ASSERT_TRUE(program.Control("windowdeviceset_1")->IsEnabled());
  EXPECT_TRUE(Click(program, "windowdeviceset_1", kYes).empty());
  EXPECT_TRUE(PumpUntil([&] { return ReadFileBytes(marker) == "opened\n"; }, kSettleMs));
}

}  // namespace
