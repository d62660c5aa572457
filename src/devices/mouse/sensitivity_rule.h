#pragma once
#include <cstdint>
#include <optional>

#include "devices/mouse/device_info_block.h"
#include "profiles/records/device_blocks.h"

// A stage's stored value v is the sensor's own unit (the slider position); the page shows the
// user a number D computed from it by a rule that depends on the sensor.
inline constexpr uint16_t kSensor3395 = 13205;  // D = 50v + 50
inline constexpr uint16_t kSensor8925 = 35109;  // 50 per step up to 5000, then 100 per step; one byte
inline constexpr uint16_t kSensor3325 = 13093;  // device step up to 48, then 200 per step
inline constexpr uint16_t kSensor3104 = 12548;  // irregular low end, capped at 8000
inline constexpr uint16_t kSensor0070 = 112;    // D = v + 10, even numbers only above 30000

// The accepted range of a typed number; the page's number entries allow 0 ... 45000 and the
// conversion raises anything below 10.
inline constexpr int kMinTypedSensitivity = 10;
inline constexpr int kMaxTypedSensitivity = 45000;

struct SensitivityRule {
  uint16_t sensorId = 0;
  uint8_t step = 0;          // generic and 13093 rules
  uint16_t base = 0;         // generic and 13093 rules
  uint16_t sliderLimit = 0;  // 12548 only
};

SensitivityRule SensitivityRuleOf(const DeviceInfoBlock& info);

// D from v; v outside 0 ... 65535 is clamped first.
int ShownSensitivity(const SensitivityRule& rule, int stored);
// v from a typed D (clamped to 10 ... 45000 first); the result is clamped to 0 ... 65535. A rule
// with step 0 that would divide by it gives 0.
int StoredSensitivity(const SensitivityRule& rule, int shown);
// The last slider position of every stage; nullopt keeps the range the page layout gives.
std::optional<int> StageSliderMaximum(const SensitivityRule& rule);

// The stage value as the page shows it: sensor 35109 keeps one byte, the others the 16-bit X.
int StageStoredValue(const DPIStage& stage, uint16_t sensorId);
// Stores a slider position into the X value of a stage record. Sensor 35109 repeats its byte in
// both halves of X (v clamped to 0 ... 255); every other sensor takes X := v (clamped to
// 0 ... 65535). Y is left alone.
void StoreStageValue(DPIStage& stage, uint16_t sensorId, int value);
