// The recoil editor in the running program against the virtual mouse: a bullet edited on the page
// changes only its own events, "save" puts the four tables into the mouse's recoil memory byte for
// byte (over the cable and through the receiver's smaller frames), and reset, import and export
// replace or copy a gun's table only when they should.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/device_kind_table.h"
#include "editors/device_editors.h"
#include "editors/recoil_editor/shoot_control_ui.h"
#include "profiles/recoil/recoil_table.h"
#include "profiles/storage/json_file.h"
#include "program_fixture.h"
#include "sim/sim_frame.h"
#include "support/profile_test_files.h"
#include "ui/controls/recoil_pattern_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/file_dialog.h"
#include "windows/msg_wnd.h"

namespace {

constexpr int kYes = 1;

// One bullet of a small fixture table: (x right, y down, delay) and the device bytes of its six
// events worked out by hand: delay low, delay high, type | 0x80 for "down", distance.
struct FixtureBullet {
  int x, y, delay;
};

std::string FixtureTable(const FixtureBullet& b) {
  const auto event = [](int type, int button, const char* action, int delay) {
    return R"({"Type":)" + std::to_string(type) + R"(,"Button":)" + std::to_string(button) + R"(,"Action":")" +
           action + R"(","Delay":)" + std::to_string(delay) + "}";
  };
  return R"({"Events":[)" + event(1, 1, "down", 10) + "," + event(1, 1, "up", 0) + "," + event(4, b.x, "up", 5) + "," +
         event(5, b.y, "up", b.delay) + "," + event(4, 0, "up", 0) + "," + event(5, 0, "up", 0) + "]}";
}

class RecoilEditorProgram : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Open()); }
  void Open() {
    ASSERT_TRUE(PumpUntil([&] { return program_.MouseShownAndRead(); }, kSettleMs));
    auto* tab = static_cast<COptionUI*>(program_.Control("cursor_Op_tab")->GetInterface("Option"));
    ASSERT_TRUE(tab->IsEnabled());
    tab->Selected(true);
    ASSERT_EQ(program_.Mouse()->GetFunctionType(), kCursorTab);
    editor_ = RecoilEditorOf(*program_.Mouse());
    ASSERT_NE(editor_, nullptr);
    ASSERT_TRUE(editor_->ControlsFound());
  }

  CPaintManagerUI& Manager() { return *program_.Window().GetPaintManager(); }
  std::string UserPath(int gun) { return editor_->Files()->UserPath(gun); }
  std::string FactoryBytes(int gun) { return ReadFileBytes(editor_->Files()->FactoryPath(gun)); }
  COptionUI* Option(const std::string& name) {
    return static_cast<COptionUI*>(program_.Control(name.c_str())->GetInterface("Option"));
  }
  std::string Text(const char* name) { return program_.Control(name)->GetText().str(); }
  void Type(const char* edit, const char* text) {
    program_.Control(edit)->SetText(text);
    Manager().SendNotify(program_.Control(edit), "killfocus");
  }
  // Clicks a control, answering every question with `answer` and every file chooser with
  // `path`; the language keys of the prompts shown.
  std::vector<std::string> Click(const char* name, const std::string& path = "", int answer = kYes) {
    CScopedFileDialogAnswerer files([path](const FileDialogRequest& request) -> std::optional<std::string> {
      EXPECT_EQ(request.filterLabel, "Shoot Files(*.shoot)");
      EXPECT_EQ(request.extension, "shoot");
      return path;
    });
    CScopedPromptAnswerer answerer([answer](const PromptRecord&) { return answer; });
    Manager().SendNotify(program_.Control(name), "click");
    std::vector<std::string> keys;
    for (const PromptRecord& prompt : answerer.Prompts()) keys.push_back(prompt.text);
    return keys;
  }
  std::vector<uint8_t> RecoilMemory(size_t length) {
    return program_.Sim().Mouse()->ReadBlock(SimBlock::RecoilData, 0, length);
  }
  std::vector<uint8_t> RecoilFrameLengths() {
    std::vector<uint8_t> lengths;
    for (const SimLoggedFrame& frame : program_.Sim().Mouse()->Frames().Snapshot()) {
      if (frame.Command() == kSimCmdWriteShootData) lengths.push_back(frame.bytes[4]);
    }
    return lengths;
  }
  // Four one-bullet tables; the image the mouse must get, worked out by hand.
  std::vector<uint8_t> WriteFixtureTables() {
    const FixtureBullet bullets[kRecoilGunCount] = {{1, 2, 90}, {3, 4, 300}, {0, 9, 66}, {255, 0, 65535}};
    for (int gun = 0; gun < kRecoilGunCount; ++gun) WriteFileBytes(UserPath(gun), FixtureTable(bullets[gun]));
    // 16 + 8 + 4 × (4 + 24) = 136 bytes; records at 24, 52, 80 and 108.
    std::vector<uint8_t> image = {0xAA, 0x55, 136, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 0, 52, 0, 80, 0, 108, 0};
    for (const FixtureBullet& b : bullets) {
      const std::vector<uint8_t> record = {
          6, 0, 0, 0,                                                         // six events
          10, 0, 0x81, 1,                                                     // left down, 10 ms
          0, 0, 0x01, 1,                                                      // left up
          5, 0, 0x04, static_cast<uint8_t>(b.x),                              // right by x, 5 ms
          static_cast<uint8_t>(b.delay), static_cast<uint8_t>(b.delay >> 8), 0x05, static_cast<uint8_t>(b.y),
          0, 0, 0x04, 0,                                                      // back to rest
          0, 0, 0x05, 0};
      image.insert(image.end(), record.begin(), record.end());
    }
    return image;
  }

  Program program_{"mouse"};
  CShootControlUI* editor_ = nullptr;
};

TEST_F(RecoilEditorProgram, StartsOnGunOneBulletOneWithTheFactoryTables) {
  EXPECT_EQ(editor_->CurrentGun(), 0);
  EXPECT_EQ(editor_->CurrentBullet(), 0);
  EXPECT_TRUE(Option("shoot_gun_op_0")->IsSelected());
  EXPECT_TRUE(Option("bullet_op_0")->IsSelected());
  EXPECT_EQ(Text("bullet_select_index"), "1");
  for (int gun = 0; gun < kRecoilGunCount; ++gun) EXPECT_EQ(ReadFileBytes(UserPath(gun)), FactoryBytes(gun)) << gun;
  const RecoilBullet first = ReadRecoilBullet(LoadJsonFile(UserPath(0)), 0);
  EXPECT_EQ(Text("bullet_y_eidt"), std::to_string(first.y));
  EXPECT_EQ(Text("bullet_delay_eidt"), std::to_string(first.delay));
}

TEST_F(RecoilEditorProgram, PreviousAndNextStopAtTheEnds) {
  Click("bullet_selected_prev");
  EXPECT_EQ(editor_->CurrentBullet(), 0);
  Option("bullet_op_28")->Selected(true, true);
  EXPECT_EQ(Text("bullet_select_index"), "29");
  Click("bullet_selected_next");
  Click("bullet_selected_next");
  EXPECT_EQ(editor_->CurrentBullet(), 29);
  EXPECT_EQ(Text("bullet_select_index"), "30");
  EXPECT_TRUE(Option("bullet_op_29")->IsSelected());
  EXPECT_FALSE(Option("bullet_op_28")->IsSelected());
}

TEST_F(RecoilEditorProgram, AnEditedBulletChangesExactlyItsSixEvents) {
  Option("shoot_gun_op_2")->Selected(true, true);
  Option("bullet_op_2")->Selected(true, true);
  auto* picture = static_cast<CRecoilPatternUI*>(program_.Control("shoot_pattern_2")->GetInterface("RecoilPattern"));
  const Json::Value before = LoadJsonFile(UserPath(2));

  Option("bullet_x_check")->Selected(true, true);  // left
  EXPECT_EQ(program_.Control("bullet_x_check")->GetTextKey().str(), "mouse_move_to_left_text");
  Type("bullet_x_eidt", "3");
  Type("bullet_y_eidt", "7");
  Type("bullet_delay_eidt", "95");

  const Json::Value after = LoadJsonFile(UserPath(2));
  ASSERT_EQ(after["Events"].size(), 180u);
  for (Json::ArrayIndex i = 0; i < 180; ++i) {
    if (i < 12 || i > 17) {
      EXPECT_EQ(after["Events"][i], before["Events"][i]) << "event " << i;
    }
  }
  EXPECT_EQ(ReadRecoilBullet(after, 2), (RecoilBullet{.x = 3, .left = true, .y = 7, .up = false, .delay = 95}));
  EXPECT_EQ(after["Events"][14]["Action"], "down");
  EXPECT_EQ(after["Events"][15]["Action"], "up");
  for (int gun : {0, 1, 3}) EXPECT_EQ(ReadFileBytes(UserPath(gun)), FactoryBytes(gun)) << "gun " << gun;

  // The picture follows, with the edited bullet marked.
  EXPECT_EQ(picture->GetMarked(), 2);
  const std::vector<RecoilPoint> path = RecoilPath(after);
  EXPECT_EQ(picture->GetPoints()[2].x, path[2].x);
  EXPECT_EQ(picture->GetPoints()[2].y, path[2].y);

  // A distance the record cannot hold is kept as its largest, and shown so.
  Type("bullet_x_eidt", "300");
  EXPECT_EQ(Text("bullet_x_eidt"), "255");
  EXPECT_EQ(ReadRecoilBullet(LoadJsonFile(UserPath(2)), 2).x, 255u);

  // Another bullet and back: the fields show what is stored.
  Click("bullet_selected_next");
  Click("bullet_selected_prev");
  EXPECT_EQ(Text("bullet_x_eidt"), "255");
  EXPECT_EQ(Text("bullet_delay_eidt"), "95");
  EXPECT_TRUE(Option("bullet_x_check")->IsSelected());
}

TEST_F(RecoilEditorProgram, SavePutsTheFourTablesIntoTheMouseByteForByte) {
  const std::vector<uint8_t> expected = WriteFixtureTables();
  EXPECT_TRUE(Click("shootdate_save_btn").empty()) << "no notice on success";
  EXPECT_EQ(RecoilMemory(expected.size()), expected);
  EXPECT_EQ(program_.Control("shoot_state_label")->GetTextKey().str(), "recoil_state_sent");
  EXPECT_EQ(RecoilFrameLengths(), (std::vector<uint8_t>{56, 56, 24}));
}

TEST_F(RecoilEditorProgram, ResetImportAndExportReplaceAGunOnlyWithATable) {
  Option("shoot_gun_op_1")->Selected(true, true);
  Type("bullet_y_eidt", "12");
  const std::string edited = ReadFileBytes(UserPath(1));
  ASSERT_NE(edited, FactoryBytes(1));

  const std::string exported = program_.DataFolder() + "/gun.shoot";
  EXPECT_TRUE(Click("shootdate_export_btn", exported).empty());
  EXPECT_EQ(ReadFileBytes(exported), edited);

  // Declined, the reset changes nothing; confirmed, the factory table is back and shown.
  EXPECT_EQ(Click("shootdate_reset_btn", "", 0), (std::vector<std::string>{"recoil_ask_reset"}));
  EXPECT_EQ(ReadFileBytes(UserPath(1)), edited);
  Click("shootdate_reset_btn");
  EXPECT_EQ(ReadFileBytes(UserPath(1)), FactoryBytes(1));
  EXPECT_EQ(Text("bullet_y_eidt"), std::to_string(ReadRecoilBullet(LoadJsonFile(UserPath(1)), 0).y));

  const std::string chosen = program_.DataFolder() + "/chosen.shoot";
  const struct {
    const char* what;
    std::string bytes;
  } refused[] = {
      {"damaged", edited.substr(0, edited.size() / 2)},
      {"a profile", R"({"Device":[{"KeyList":[]}]})"},
      {"oversized", edited + std::string(kMaxRecoilTableFileBytes, '\n')},
  };
  for (const auto& r : refused) {
    WriteFileBytes(chosen, r.bytes);
    EXPECT_EQ(Click("shootdate_import_btn", chosen), (std::vector<std::string>{"recoil_import_refused"})) << r.what;
    EXPECT_EQ(ReadFileBytes(UserPath(1)), FactoryBytes(1)) << r.what;
  }

  // The exported table comes back whole, on the page too.
  EXPECT_TRUE(Click("shootdate_import_btn", exported).empty());
  EXPECT_EQ(ReadFileBytes(UserPath(1)), edited);
  EXPECT_EQ(Text("bullet_y_eidt"), "12");
  // A cancelled chooser does nothing.
  EXPECT_TRUE(Click("shootdate_import_btn", "").empty());
  EXPECT_EQ(ReadFileBytes(UserPath(1)), edited);
}

TEST(RecoilEditorReceiver, TheTablesCrossTheReceiverInItsOwnChunks) {
  Program program{"mouse-receiver"};
  ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
  CShootControlUI* editor = RecoilEditorOf(*program.Mouse());
  ASSERT_NE(editor, nullptr);
  {
    CScopedPromptAnswerer answerer([](const PromptRecord&) { return kYes; });
    program.Window().GetPaintManager()->SendNotify(program.Control("shootdate_save_btn"), "click");
    EXPECT_TRUE(answerer.Prompts().empty());
  }

  // The factory tables: 2920 bytes in frames of at most 24, offsets running on without a gap.
  std::vector<uint8_t> sent;
  size_t next = 0;
  for (const SimLoggedFrame& frame : program.Sim().Mouse()->Frames().Snapshot()) {
    if (frame.Command() != kSimCmdWriteShootData) continue;
    EXPECT_TRUE(frame.throughReceiver);
    EXPECT_LE(frame.bytes[4], 24);
    EXPECT_EQ(size_t(frame.bytes[5] | frame.bytes[6] << 8), next);
    next += frame.bytes[4];
  }
  EXPECT_EQ(next, 2920u);
  const CRecoilFiles::Image image = editor->Files()->BuildImage();
  EXPECT_EQ(program.Sim().Mouse()->ReadBlock(SimBlock::RecoilData, 0, 2920), image.bytes);

  // A mouse out of the receiver's reach gets nothing, and the user hears why.
  program.Sim().Receiver()->SetLinked(false);
  program.Sim().Mouse()->Frames().Clear();
  CScopedPromptAnswerer unlinked([](const PromptRecord&) { return kYes; });
  program.Window().GetPaintManager()->SendNotify(program.Control("shootdate_save_btn"), "click");
  ASSERT_EQ(unlinked.Prompts().size(), 1u);
  EXPECT_EQ(unlinked.Prompts()[0].text, "recoil_send_not_linked");
  for (const SimLoggedFrame& frame : program.Sim().Mouse()->Frames().Snapshot()) {
    EXPECT_NE(frame.Command(), kSimCmdWriteShootData);
  }
}

}  // namespace
