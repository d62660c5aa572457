// Buttons stay writable across runs of the program: a mouse that remembers what it was told
// (memory=FILE) is given a left/right swap and a macro button, the program is started again, the
// mouse read again, the buttons reassigned, and so on; every button lands on its own record.
#include <gtest/gtest.h>

#include "profiles/macros/macro_store.h"
#include "program_fixture.h"
#include "transport/result_codes.h"

namespace {

constexpr uint32_t kLeft = 0x100100, kRight = 0x100200, kMacro0 = 0x700000;
const ButtonRecordMap kFactoryPlaces = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// The first records of the virtual mouse's image, three bytes each.
std::vector<uint32_t> Records(Program& program, size_t count) {
  const std::vector<uint8_t> image = program.Sim().Mouse()->Block(SimBlock::ConfigImage);
  std::vector<uint32_t> records;
  for (size_t i = 0; i < count; ++i) {
    records.push_back((uint32_t{image[3 * i]} << 16) | (uint32_t{image[3 * i + 1]} << 8) | image[3 * i + 2]);
  }
  return records;
}

// The chosen profile's keys with these functions changed, sent the way a profile switch sends them.
void Assign(Program& program, const std::vector<std::pair<size_t, uint32_t>>& functions) {
  std::vector<KeyAssignmentPair> keys = program.Mouse()->GetKeyList();
  for (KeyAssignmentPair& key : keys) key.Current = key.Default;
  for (const auto& [button, value] : functions) {
    keys[button].Current = KeyAssignment::FromValue(static_cast<uint16_t>(button), value);
  }
  program.Mouse()->Model().SetKeys(keys);
  program.Mouse()->SaveProfile();
  ASSERT_EQ(program.Mouse()->LoadSelectedProfile(), 0);
}

}  // namespace

TEST(ButtonPlacesAcrossRuns, EveryButtonStaysWritableAndCorrect) {
  TempDataFolder data;
  const std::string list = "mouse:memory=" + data.Path() + "/mouse.mem";
  std::vector<uint32_t> factory;
  {
    Program program(list, &data);
    ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
    factory = Records(program, 11);
    CMacroStore macros(program.Mouse()->GetDeviceFolder());
    ASSERT_TRUE(macros.AddMacro().done);
    ASSERT_TRUE(macros.SaveMacroEvents(0, {{1, 4, true, 30}, {1, 4, false, 30}}).done);
    Assign(program, {{0, kRight}, {1, kLeft}, {4, kMacro0}});
    const std::vector<uint32_t> records = Records(program, 5);
    EXPECT_EQ(records[0], kRight);
    EXPECT_EQ(records[1], kLeft);
    EXPECT_EQ(records[4], kMacro0);
  }
  {
    Program program(list, &data);
    ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
    EXPECT_EQ(program.Mouse()->GetButtonRecordMap(), kFactoryPlaces) << "read again after the restart";
    // Left and right back in place, the macro moves to the forward button.
    Assign(program, {{3, kMacro0}});
    std::vector<uint32_t> expected = factory;
    expected[3] = kMacro0;
    EXPECT_EQ(Records(program, 11), expected);
  }
  {
    Program program(list, &data);
    ASSERT_TRUE(PumpUntil([&] { return program.MouseShownAndRead(); }, kSettleMs));
    EXPECT_EQ(program.Mouse()->GetButtonRecordMap(), kFactoryPlaces);
    Assign(program, {});
    EXPECT_EQ(Records(program, 11), factory) << "every button can be given back its own function";
  }
}
