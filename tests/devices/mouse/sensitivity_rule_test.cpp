#include "devices/mouse/sensitivity_rule.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t kOtherSensor = 0x1234;

const SensitivityRule k3395{kSensor3395};
const SensitivityRule k8925{kSensor8925};
// 105 × 48 lands just above 5000, where the two halves of this rule meet.
const SensitivityRule k3325{kSensor3325, 105, 40};
const SensitivityRule k3325NoStep{kSensor3325, 0, 50};
const SensitivityRule k3104{kSensor3104, 0, 0, 162};
const SensitivityRule k0070{kSensor0070};
const SensitivityRule kGeneric{kOtherSensor, 50, 50};
const SensitivityRule kGenericNoStep{kOtherSensor, 0, 100};
const SensitivityRule kGenericHighBase{kOtherSensor, 10, 1000};

struct ShownCase {
  const char* name;
  SensitivityRule rule;
  int stored;
  int shown;
};

TEST(SensitivityRule, StoredValueIsShownByTheSensorsRule) {
  const ShownCase cases[] = {
      {"3395 lowest", k3395, 0, 50},
      {"3395 slider end", k3395, 519, 26000},
      {"8925 last fine step", k8925, 99, 5000},
      {"8925 first coarse step", k8925, 100, 5100},
      {"8925 coarse", k8925, 120, 7100},
      {"3325 device step", k3325, 10, 1090},
      {"3325 last device step", k3325, 48, 5080},
      {"3325 first 200 step", k3325, 49, 5280},
      {"3104 zero", k3104, 0, 200},
      {"3104 one", k3104, 1, 400},
      {"3104 two", k3104, 2, 400},
      {"3104 last 50 step", k3104, 52, 2900},
      {"3104 first 100 step", k3104, 53, 2900},
      {"3104 fifty-four", k3104, 54, 3000},
      {"3104 at the cap", k3104, 104, 8000},
      {"3104 past the cap", k3104, 200, 8000},
      {"3104 negative is clamped", k3104, -5, 200},
      {"0070 low", k0070, 100, 110},
      {"0070 last any step", k0070, 30000, 30010},
      {"0070 odd above 30000 rounds up", k0070, 30001, 30012},
      {"0070 even above 30000", k0070, 30002, 30012},
      {"0070 top", k0070, 44990, 45000},
      {"0070 past the top", k0070, 44999, 45000},
      {"generic", kGeneric, 7, 400},
      {"generic without step", kGenericNoStep, 5, 100},
  };
  for (const ShownCase& c : cases) EXPECT_EQ(ShownSensitivity(c.rule, c.stored), c.shown) << c.name;
}

struct TypedCase {
  const char* name;
  SensitivityRule rule;
  int typed;
  int stored;
  int shownAgain;
};

TEST(SensitivityRule, TypedNumberIsStoredAndShownAgain) {
  const TypedCase cases[] = {
      {"3395", k3395, 400, 7, 400},
      {"3395 typed 5 counts as 10", k3395, 5, 0, 50},
      {"3395 above the entry range", k3395, 50000, 899, 45000},
      {"8925 fine", k8925, 5000, 99, 5000},
      {"8925 coarse", k8925, 5100, 100, 5100},
      {"8925 coarse 7100", k8925, 7100, 120, 7100},
      {"3325 device step", k3325, 1090, 10, 1090},
      {"3325 200 steps", k3325, 5280, 49, 5280},
      {"3325 between 200 steps", k3325, 6000, 52, 5880},
      {"3325 step 0 would divide by zero", k3325NoStep, 3000, 0, 50},
      {"3104 up to 350", k3104, 350, 0, 200},
      {"3104 just above 350", k3104, 351, 1, 400},
      {"3104 400", k3104, 400, 1, 400},
      {"3104 450", k3104, 450, 3, 450},
      {"3104 2600", k3104, 2600, 46, 2600},
      {"3104 just above 2600", k3104, 2601, 51, 2850},
      {"3104 3000", k3104, 3000, 54, 3000},
      {"3104 above the cap", k3104, 9000, 114, 8000},
      {"0070 low", k0070, 100, 90, 100},
      {"0070 typed 5 counts as 10", k0070, 5, 0, 10},
      {"0070 30000", k0070, 30000, 29990, 30000},
      {"0070 odd above 30000", k0070, 30001, 29992, 30002},
      {"0070 top", k0070, 45000, 44990, 45000},
      {"generic", kGeneric, 400, 7, 400},
      {"generic step 0 would divide by zero", kGenericNoStep, 400, 0, 100},
      {"generic below the base stays at 0", kGenericHighBase, 500, 0, 1000},
  };
  for (const TypedCase& c : cases) {
    const int stored = StoredSensitivity(c.rule, c.typed);
    EXPECT_EQ(stored, c.stored) << c.name;
    EXPECT_EQ(ShownSensitivity(c.rule, stored), c.shownAgain) << c.name;
  }
}

TEST(SensitivityRule, SliderMaximumBySensor) {
  struct Case {
    SensitivityRule rule;
    std::optional<int> maximum;
  };
  const Case cases[] = {
      {k3395, 519},
      {k8925, 149},
      {k3104, 152},
      {SensitivityRule{kSensor3104, 0, 0, 5}, 0},  // a limit below 10 does not go negative
      {k0070, 45000},
      {k3325, std::nullopt},
      {kGeneric, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(StageSliderMaximum(c.rule), c.maximum) << "sensor " << c.rule.sensorId;
}

TEST(SensitivityRule, RuleComesFromTheInformationBlock) {
  DeviceInfoBlock info;
  info.bytes[9] = 0x25;
  info.bytes[10] = 0x89;
  info.bytes[11] = 50;
  info.bytes[12] = 0xA2;
  info.bytes[14] = 0x32;
  const SensitivityRule rule = SensitivityRuleOf(info);
  EXPECT_EQ(rule.sensorId, kSensor8925);
  EXPECT_EQ(rule.step, 50);
  EXPECT_EQ(rule.sliderLimit, 162);
  EXPECT_EQ(rule.base, 50);
}

struct StageValueCase {
  const char* name;
  uint16_t sensorId;
  int value;
  uint16_t storedX;
  int shownValue;
};

TEST(StageValue, SliderPositionIsStoredInTheStageRecord) {
  const StageValueCase cases[] = {
      {"8925 repeats its byte", kSensor8925, 100, 0x6464, 100},
      {"8925 keeps one byte", kSensor8925, 300, 0xFFFF, 255},
      {"8925 negative", kSensor8925, -1, 0, 0},
      {"3395", kSensor3395, 519, 519, 519},
      {"3104", kSensor3104, 54, 54, 54},
      {"0070", kSensor0070, 44990, 44990, 44990},
      {"other sensors store the value too", kOtherSensor, 7, 7, 7},
      {"3325", kSensor3325, 60, 60, 60},
      {"past 16 bits", kSensor0070, 70000, 0xFFFF, 0xFFFF},
  };
  for (const StageValueCase& c : cases) {
    DPIStage stage{1, 0, 0x1111, 0x2222, 1, 2, 3};
    StoreStageValue(stage, c.sensorId, c.value);
    EXPECT_EQ(stage.StageDPIX, c.storedX) << c.name;
    EXPECT_EQ(stage.StageDPIY, 0x2222) << c.name;
    EXPECT_EQ(StageStoredValue(stage, c.sensorId), c.shownValue) << c.name;
  }
}

TEST(StageValue, Sensor8925ShowsOnlyTheLowByteOfX) {
  const DPIStage stage{1, 0, 0x0264, 0, 0, 0, 0};
  EXPECT_EQ(StageStoredValue(stage, kSensor8925), 0x64);
  EXPECT_EQ(StageStoredValue(stage, kSensor3395), 0x0264);
}

}  // namespace
