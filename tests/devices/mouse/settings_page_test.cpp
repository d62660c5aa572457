#include "devices/mouse/settings_page.h"

#include <gtest/gtest.h>

#include "devices/mouse/mouse_system_words.h"

namespace {

// The profile side: logo mode 2 (breathing), speed 1, two stages, stage 1 current.
const std::vector<DPIStage> kTwoStages = {
    {1, 0, 0x0007, 0x0007, 0xFF, 0x00, 0x00},
    {1, 1, 0x0190, 0x0320, 0x00, 0xFF, 0x00},
};
const MouseSystemBlock kSystem = {
    PackHalves(500, 10),  // double-click time, pointer speed: not on the device
    PackHalves(1, 3),     // pointer precision, scroll page: not on the device
    PackHalves(3, 2),     // wheel lines, polling stage 2
    PackHalves(1, 2),     // silent altitude 1, linear calibration 2
    1,                    // ripple
    PackHalves(10, 5),    // Bluetooth sleep times
    PackHalves(5, 3),     // device sleep times
    PackHalves(4, 2),     // debounce 4, logo mode 2
};
const LightInfoRecord kLight = {2, 4, 1, 1, 1, 0x11, 0x22, 0x33, {0, 0, 0}, 5, 6, 7};

// Worked out by hand from the page layout.
const SettingsPageBytes kExpectedPage = {
    0x00, 0x04, 0x04, 0x03, 0x01, 0x01, 0x11, 0x22, 0x33, 0x00, 0x00, 0x02, 0x01, 0x00,  // 0-13
    0x01, 0x00, 0x07, 0x00, 0x07, 0x00, 0xFF, 0x00, 0x00,                                // stage 0
    0x01, 0x01, 0x90, 0x01, 0x20, 0x03, 0x00, 0xFF, 0x00,                                // stage 1
    0,    0,    0,    0,    0,    0,    0,    0,    0,                                   // stages 2-6
    0,    0,    0,    0,    0,    0,    0,    0,    0,                                   //
    0,    0,    0,    0,    0,    0,    0,    0,    0,                                   //
    0,    0,    0,    0,    0,    0,    0,    0,    0,                                   //
    0,    0,    0,    0,    0,    0,    0,    0,    0,                                   //
    0x0A, 0x05, 0x05, 0x03, 0x04, 0x01, 0x02, 0x01, 0x00, 0x04,                          // 77-86
};

const std::vector<uint8_t> kIdentityModeCodes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

TEST(SettingsPageEncode, MatchesTheHandComputedPage) {
  EXPECT_EQ(EncodeSettingsPage(0, kTwoStages, 1, kSystem, kLight), kExpectedPage);
}

TEST(SettingsPageEncode, SendsTheFirstSevenStagesAndNothingPastThem) {
  std::vector<DPIStage> nine;
  for (uint8_t i = 0; i < 9; ++i) nine.push_back({1, 0, static_cast<uint16_t>(0xA0 + i), 0, 0, 0, 0});
  const SettingsPageBytes page = EncodeSettingsPage(0, nine, 0, kSystem, kLight);
  for (size_t i = 0; i < kMaxStages; ++i) EXPECT_EQ(page[16 + 9 * i], 0xA0 + i) << "stage " << i;
  EXPECT_EQ(page[77], 0x0A) << "stage 7 must not spill into the sleep times";
}

TEST(SettingsPageEncode, OutOfRangeProfileValuesGiveSafeBytes) {
  struct Case {
    const char* name;
    size_t offset;
    uint8_t expected;
    void (*edit)(MouseSystemBlock&, LightInfoRecord&, int&);
  };
  const Case cases[] = {
      {"speed above 4 is the fastest", 3, 0, [](MouseSystemBlock&, LightInfoRecord& l, int&) { l.Speed = 9; }},
      {"speed 4", 3, 0, [](MouseSystemBlock&, LightInfoRecord& l, int&) { l.Speed = 4; }},
      {"speed 0", 3, 4, [](MouseSystemBlock&, LightInfoRecord& l, int&) { l.Speed = 0; }},
      {"negative stage", 12, 0, [](MouseSystemBlock&, LightInfoRecord&, int& s) { s = -1; }},
      {"last stage", 12, 6, [](MouseSystemBlock&, LightInfoRecord&, int& s) { s = 6; }},
      {"stage past the last", 12, 6, [](MouseSystemBlock&, LightInfoRecord&, int& s) { s = 7; }},
      {"sleep time past a byte", 79, 0xFF,
       [](MouseSystemBlock& w, LightInfoRecord&, int&) { w[kSystemWordDeviceSleep] = 300; }},
      {"logo code past a byte", 86, 0xFF,
       [](MouseSystemBlock& w, LightInfoRecord&, int&) { w[kSystemWordDebounceAndLogo] = PackHalves(4, 300); }},
      {"other logo codes unchanged", 1, 7,
       [](MouseSystemBlock& w, LightInfoRecord&, int&) { w[kSystemWordDebounceAndLogo] = PackHalves(4, 7); }},
  };
  for (const Case& c : cases) {
    MouseSystemBlock system = kSystem;
    LightInfoRecord light = kLight;
    int stage = 0;
    c.edit(system, light, stage);
    EXPECT_EQ(EncodeSettingsPage(0, kTwoStages, stage, system, light)[c.offset], c.expected) << c.name;
  }
}

// A page as the device sends it: logo code 4, garbage in byte 9, lighting, polling stage 3,
// stage 2 current, sleep, debounce and sensor options.
SettingsPageBytes DevicePage() {
  SettingsPageBytes raw{};
  const uint8_t head[] = {0x03, 0x04, 0x04, 0x01, 0x02, 0x01, 0x00, 0x40, 0xFF, 0x5A, 0x00, 0x03, 0x02};
  std::copy(std::begin(head), std::end(head), raw.begin());
  raw[16] = 0x07;  // a stage value, never read back
  const uint8_t tail[] = {0x0A, 0x05, 0x05, 0x03, 0x04, 0x01, 0x01, 0x02, 0x00, 0x04};
  std::copy(std::begin(tail), std::end(tail), raw.begin() + 77);
  return raw;
}

TEST(SettingsPageDecode, UpdatesOnlyTheFieldsThePageHolds) {
  const MouseSystemBlock previousSystem = {
      PackHalves(500, 10), PackHalves(1, 3), PackHalves(3, 0), PackHalves(2, 0), 0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
  };
  const LightInfoRecord previousLight = {9, 1, 0, 7, 0, 1, 2, 3, {0, 0, 0}, 5, 6, 7};
  const std::vector<uint8_t> modeCodes = {0, 1, 2, 5};

  const DecodedSettingsPage decoded = DecodeSettingsPage(DevicePage(), 1, modeCodes, previousSystem, previousLight);

  SettingsPageBytes expectedPage = DevicePage();
  expectedPage[0] = 1;
  expectedPage[1] = 2;
  expectedPage[86] = 2;
  expectedPage[9] = 0;
  EXPECT_EQ(decoded.page, expectedPage);
  EXPECT_EQ(decoded.activeProfile, 1);
  EXPECT_EQ(decoded.logoModeCode, 2);
  EXPECT_EQ(decoded.lightModeIndex, 2);
  EXPECT_EQ(decoded.currentStage, 2);
  // Fx and the mode fields are not on the page; colour is red, green, blue in bytes 6-8.
  EXPECT_EQ(decoded.light, (LightInfoRecord{2, 4, 3, 7, 1, 0x00, 0x40, 0xFF, {0, 0, 0}, 5, 6, 7}));
  const MouseSystemBlock expectedSystem = {
      PackHalves(500, 10), PackHalves(1, 3), PackHalves(3, 3), PackHalves(2, 1), 2,
      PackHalves(10, 5),   PackHalves(5, 3), PackHalves(4, 2),
  };
  EXPECT_EQ(decoded.system, expectedSystem);
}

TEST(SettingsPageDecode, LogoCodeSpeedAndStageFromDeviceBytes) {
  struct Case {
    const char* name;
    size_t offset;
    uint8_t byte;
    int logoCode;
    int modeIndex;
    int speed;
    int stage;
  };
  // Defaults of DevicePage(): logo 4 -> 2 at index 2, speed 4 - 1 = 3, stage 2.
  const Case cases[] = {
      {"breathing code 4 reads as 2", 1, 4, 2, 2, 3, 2},     {"listed code gives its position", 1, 5, 5, 3, 3, 2},
      {"unlisted code is its own index", 1, 7, 7, 7, 3, 2},  {"inverse speed 0 is speed 4", 3, 0, 2, 2, 4, 2},
      {"inverse speed 4 is speed 0", 3, 4, 2, 2, 0, 2},      {"inverse speed past 4 is speed 0", 3, 5, 2, 2, 0, 2},
      {"inverse speed 255 is speed 0", 3, 255, 2, 2, 0, 2},  {"last stage", 12, 6, 2, 2, 3, 6},
      {"stage past the last reads as 0", 12, 7, 2, 2, 3, 0},
  };
  const std::vector<uint8_t> modeCodes = {0, 1, 2, 5};
  for (const Case& c : cases) {
    SettingsPageBytes raw = DevicePage();
    raw[c.offset] = c.byte;
    const DecodedSettingsPage decoded = DecodeSettingsPage(raw, 0, modeCodes, {}, {});
    EXPECT_EQ(decoded.logoModeCode, c.logoCode) << c.name;
    EXPECT_EQ(HighHalf(decoded.system[kSystemWordDebounceAndLogo]), c.logoCode) << c.name;
    EXPECT_EQ(decoded.lightModeIndex, c.modeIndex) << c.name;
    EXPECT_EQ(decoded.light.SelectItem, c.modeIndex) << c.name;
    EXPECT_EQ(decoded.light.Speed, c.speed) << c.name;
    EXPECT_EQ(decoded.currentStage, c.stage) << c.name;
  }
}

TEST(SettingsPage, WrittenPageReadsBackAsTheSameProfileValues) {
  const SettingsPageBytes page = EncodeSettingsPage(0, kTwoStages, 1, kSystem, kLight);
  const DecodedSettingsPage decoded = DecodeSettingsPage(page, 0, kIdentityModeCodes, kSystem, kLight);
  SettingsPageBytes expectedPage = page;
  expectedPage[1] = expectedPage[86] = 2;  // breathing is written as 4 and read back as 2
  EXPECT_EQ(decoded.page, expectedPage);
  EXPECT_EQ(decoded.system, kSystem);
  EXPECT_EQ(decoded.light, kLight);
  EXPECT_EQ(decoded.currentStage, 1);
}

}  // namespace
