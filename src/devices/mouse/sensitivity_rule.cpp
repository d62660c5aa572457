#include "devices/mouse/sensitivity_rule.h"

#include <algorithm>

namespace {

constexpr int kMaxStoredValue = 65535;
constexpr int kMaxSingleByteValue = 255;

int Shown3395(int v) { return 50 * v + 50; }

int Stored3395(int d) { return (d - 50) / 50; }

int Shown8925(int v) { return v <= 99 ? 50 * v + 50 : 100 * v - 4900; }

int Stored8925(int d) { return d <= 5000 ? (d - 50) / 50 : (d / 2 - 50) / 50 + 50; }

// The first 48 steps use the device's own step, every step above them 200.
constexpr int kSensor3325FineSteps = 48;
constexpr int kSensor3325CoarseStep = 200;
constexpr int kSensor3325FineLimit = 5000;

int Shown3325(const SensitivityRule& rule, int v) {
  if (v <= kSensor3325FineSteps) return rule.step * v + rule.base;
  return rule.step * kSensor3325FineSteps + kSensor3325CoarseStep * (v - kSensor3325FineSteps) + rule.base;
}

int Stored3325(const SensitivityRule& rule, int d) {
  if (d > kSensor3325FineLimit)
    return (d - rule.base - kSensor3325FineLimit) / kSensor3325CoarseStep + kSensor3325FineSteps;
  if (rule.step == 0) return 0;
  return (d - rule.base) / rule.step;
}

constexpr int kSensor3104Cap = 8000;

int Shown3104(int v) {
  int d = 0;
  if (v == 0) {
    d = 200;
  } else if (v == 1) {
    d = 400;
  } else if (v <= 52) {
    d = 50 * v + 300;
  } else {
    d = 100 * v - 2400;
  }
  return std::min(d, kSensor3104Cap);
}

int Stored3104(int d) {
  if (d <= 350) return 0;
  if (d < 450) return 1;
  if (d <= 2600) return (d - 400) / 50 + 2;
  return (d - 3000) / 100 + 54;
}

// Above 30000 the sensor only takes even numbers: odd values are shown one higher.
constexpr int kSensor0070Offset = 10;
constexpr int kSensor0070EvenFrom = 30000;

int Shown0070(int v) {
  int d = v + kSensor0070Offset;
  if (v > kSensor0070EvenFrom && v % 2 == 1) ++d;
  return std::min(d, kMaxTypedSensitivity);
}

int Stored0070(int d) {
  if (d > kSensor0070EvenFrom && d % 2 == 1) return d - (kSensor0070Offset - 1);
  return d - kSensor0070Offset;
}

int ShownGeneric(const SensitivityRule& rule, int v) { return rule.step * v + rule.base; }

int StoredGeneric(const SensitivityRule& rule, int d) { return rule.step == 0 ? 0 : (d - rule.base) / rule.step; }

}  // namespace

SensitivityRule SensitivityRuleOf(const DeviceInfoBlock& info) {
  return {info.SensorId(), info.SensitivityStep(), info.SensitivityBase(), info.SliderLimit()};
}

int ShownSensitivity(const SensitivityRule& rule, int stored) {
  const int v = std::clamp(stored, 0, kMaxStoredValue);
  switch (rule.sensorId) {
    case kSensor3395: return Shown3395(v);
    case kSensor8925: return Shown8925(v);
    case kSensor3325: return Shown3325(rule, v);
    case kSensor3104: return Shown3104(v);
    case kSensor0070: return Shown0070(v);
    default: return ShownGeneric(rule, v);
  }
}

int StoredSensitivity(const SensitivityRule& rule, int shown) {
  const int d = std::clamp(shown, kMinTypedSensitivity, kMaxTypedSensitivity);
  int v = 0;
  switch (rule.sensorId) {
    case kSensor3395: v = Stored3395(d); break;
    case kSensor8925: v = Stored8925(d); break;
    case kSensor3325: v = Stored3325(rule, d); break;
    case kSensor3104: v = Stored3104(d); break;
    case kSensor0070: v = Stored0070(d); break;
    default: v = StoredGeneric(rule, d); break;
  }
  return std::clamp(v, 0, kMaxStoredValue);
}

std::optional<int> StageSliderMaximum(const SensitivityRule& rule) {
  switch (rule.sensorId) {
    case kSensor3395: return 519;
    case kSensor8925: return 149;
    case kSensor3104: return std::max(rule.sliderLimit - 10, 0);
    case kSensor0070: return kMaxTypedSensitivity;
    default: return std::nullopt;
  }
}

int StageStoredValue(const DPIStage& stage, uint16_t sensorId) {
  if (sensorId == kSensor8925) return stage.StageDPIX & 0xFF;
  return stage.StageDPIX;
}

void StoreStageValue(DPIStage& stage, uint16_t sensorId, int value) {
  if (sensorId == kSensor8925) {
    const auto v = static_cast<uint16_t>(std::clamp(value, 0, kMaxSingleByteValue));
    stage.StageDPIX = static_cast<uint16_t>(v | v << 8);
    return;
  }
  stage.StageDPIX = static_cast<uint16_t>(std::clamp(value, 0, kMaxStoredValue));
}
