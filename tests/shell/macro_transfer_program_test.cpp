// The window's transfer of macros and key assignments to the virtual mouse: what reaches the
// mouse, what is kept from it when the macros fail, and what the user is told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/macros/macro_store.h"
#include "program_fixture.h"
#include "transport/command_numbers.h"
#include "windows/main_wnd/main_wnd_controls.h"
#include "windows/msg_wnd.h"

namespace {

constexpr size_t kBackButton = 4;
constexpr uint32_t kFirstMacroPlaysOnce = 0x700000;

class MacroTransferProgram : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(PumpUntil([&] { return program_.MouseShownAndRead(); }, kSettleMs)); }

  CVelmarMouseDevice& Mouse() { return *program_.Mouse(); }
  CVirtualMouse& Sim() { return *program_.Sim().Mouse(); }

  // One saved macro, bound to the back button.
  void BindOneMacro(const std::vector<MacroEvent>& events) {
    CMacroStore store(Mouse().GetDeviceFolder());
    ASSERT_TRUE(store.AddMacro().done);
    ASSERT_TRUE(store.SaveMacroEvents(0, events).done);
    std::vector<KeyAssignmentPair> keys = Mouse().GetKeyAssignments();
    ASSERT_GT(keys.size(), kBackButton);
    keys[kBackButton].Current = KeyAssignment::FromValue(kBackButton, kFirstMacroPlaysOnce);
    Mouse().SetKeyAssignments(keys);
    Mouse().SelectKey(kBackButton);
  }

  std::vector<uint8_t> BackButtonRecord() { return Sim().ReadBlock(SimBlock::ConfigImage, 3 * kBackButton, 3); }

  // Starts the transfer and waits for its end; the prompts it showed, by text.
  std::vector<std::string> Transfer() {
    CScopedPromptAnswerer answerer([](const PromptRecord&) { return 1; });
    program_.Window().StartMacroTransfer();
    EXPECT_TRUE(program_.Window().IsTransferBusy());
    EXPECT_TRUE(program_.Control(main_window::kTransferLayout)->IsVisible());
    EXPECT_TRUE(PumpUntil([&] { return !program_.Window().IsTransferBusy(); }, kSettleMs));
    EXPECT_FALSE(program_.Control(main_window::kTransferLayout)->IsVisible());
    std::vector<std::string> texts;
    for (const PromptRecord& prompt : answerer.Prompts()) texts.push_back(prompt.text);
    return texts;
  }

  Program program_{"mouse"};
};

TEST_F(MacroTransferProgram, MacrosThenKeysReachTheMouse) {
  BindOneMacro({{10, 0x04, true, 100}, {10, 0x04, false, 20}});
  EXPECT_EQ(Transfer(), std::vector<std::string>{});
  // Header, one offset, one record of two events.
  const std::vector<uint8_t> expected = {0xAA, 0x55, 30, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 18, 0,
                                         2,    0,    0,  0, 100, 0, 0x8A, 0x04, 20, 0, 0x0A, 0x04};
  EXPECT_EQ(Sim().ReadBlock(SimBlock::MacroData, 0, expected.size()), expected);
  EXPECT_EQ(BackButtonRecord(), (std::vector<uint8_t>{0x70, 0x00, 0x00}));
}

TEST_F(MacroTransferProgram, KeysAreKeptFromTheMouseWhenTheMacrosFail) {
  const std::vector<uint8_t> before = BackButtonRecord();
  BindOneMacro({{1, 0x01, true, 50}, {1, 0x01, false, 50}});
  Sim().Faults().FailStatusForCommand(kCmdWriteMacroData, 0xFF);
  EXPECT_EQ(Transfer(), std::vector<std::string>{"message_text_7"});
  EXPECT_EQ(BackButtonRecord(), before);
}

TEST_F(MacroTransferProgram, MacrosThatDoNotFitAreToldAndTheEditedKeyTakesItsDefault) {
  // A mouse with 128 bytes of macro memory: a macro of 40 events (16 + 6 + 160 bytes) is 54 over.
  const std::vector<uint8_t> oneUnit = {1};
  Sim().WriteBlock(SimBlock::DeviceInfo, 6, oneUnit);
  ASSERT_TRUE(Mouse().ReadDeviceData());
  const std::vector<uint8_t> before = BackButtonRecord();
  BindOneMacro(std::vector<MacroEvent>(40, MacroEvent{10, 0x04, true, 10}));

  const std::vector<std::string> prompts = Transfer();
  ASSERT_EQ(prompts.size(), 1u);
  EXPECT_NE(prompts[0].find("14"), std::string::npos) << prompts[0];  // (54 / 4) + 1 actions must go
  EXPECT_EQ(BackButtonRecord(), before);
  const KeyAssignmentPair key = Mouse().GetKeyAssignments()[kBackButton];
  EXPECT_TRUE(key.Current.SameFunction(key.Default));
}

}  // namespace
