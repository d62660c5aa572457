#include "profiles/mouse_profile_data.h"

#include <algorithm>

#include "profiles/records/profile_limits.h"
#include "profiles/storage/json_access.h"

namespace {

DPIStage StageFromJson(const Json::Value& s) {
  return {ByteAt(s, "StageActive"), ByteAt(s, "StageXY"),     HalfAt(s, "StageDPIX"),   HalfAt(s, "StageDPIY"),
          ByteAt(s, "StageColorR"), ByteAt(s, "StageColorG"), ByteAt(s, "StageColorB")};
}

void StageToJson(const DPIStage& stage, Json::Value& element) {
  Json::Value& s = AsObject(element);
  s["StageActive"] = stage.StageActive;
  s["StageXY"] = stage.StageXY;
  s["StageDPIX"] = stage.StageDPIX;
  s["StageDPIY"] = stage.StageDPIY;
  s["StageColorR"] = stage.StageColorR;
  s["StageColorG"] = stage.StageColorG;
  s["StageColorB"] = stage.StageColorB;
}

}  // namespace

std::vector<DPIStage> CMouseProfiledata::ReadDPIStages() {
  const Json::Value& section = MemberOf(DeviceObject(), "DPIStages");
  if (section.isNull()) return stages_;
  stageActive_ = static_cast<int>(IntegerAt(section, "StageActive"));
  const Json::Value& list = MemberOf(section, "StageDPIs");
  if (!list.isArray()) return stages_;
  Json::ArrayIndex count = std::min<Json::ArrayIndex>(list.size(), kMaxDpiStages);
  for (Json::ArrayIndex j = 0; j < count; ++j) {
    DPIStage stage = StageFromJson(list[j]);
    if (j < stages_.size()) {
      stages_[j] = stage;
    } else {
      stages_.push_back(stage);
    }
  }
  return stages_;
}

void CMouseProfiledata::WriteDPIStages(const std::vector<DPIStage>& stages) {
  stages_ = stages;
  if (stages_.size() > kMaxDpiStages) stages_.resize(kMaxDpiStages);
  Json::Value& list = ObjectMember(ObjectMember(EditableDeviceObject(), "DPIStages"), "StageDPIs");
  for (size_t i = 0; i < stages_.size(); ++i) StageToJson(stages_[i], ArrayElement(list, static_cast<Json::ArrayIndex>(i)));
}

void CMouseProfiledata::SetStageActive(int stage) {
  stageActive_ = stage;
  ObjectMember(ObjectMember(EditableDeviceObject(), "DPIStages"), "StageActive") = stage;
}

MouseSystemBlock CMouseProfiledata::ReadSystemStages() {
  systemBlock_ = {};
  const Json::Value& system = MemberOf(DeviceObject(), "SystemStages");
  if (system.isNull()) return systemBlock_;
  const Json::Value& report = MemberOf(DeviceObject(), "ReportStages");
  MouseSystemBlock& w = systemBlock_;
  w[0] = PackHalves(HalfAt(system, "DoubleClickTime"), HalfAt(system, "MouseSpeed"));
  w[1] = PackHalves(HalfAt(system, "PointerPrecision"), HalfAt(system, "ScorllPage"));
  w[2] = PackHalves(HalfAt(system, "WheelScorlllinse"), HalfAt(report, "StageActive"));
  w[3] = PackHalves(HalfAt(report, "SilentAltitude"), HalfAt(report, "Linear_Calibration"));
  w[4] = HalfAt(report, "Ripple");
  w[5] = PackHalves(HalfAt(report, "ble_sleep1"), HalfAt(report, "ble_sleep2"));
  w[6] = PackHalves(HalfAt(report, "device_sleep1"), HalfAt(report, "device_sleep2"));
  w[7] = PackHalves(HalfAt(report, "key_debounce_time"), HalfAt(system, "Logoledmode"));
  return systemBlock_;
}

void CMouseProfiledata::WriteSystemStages(const MouseSystemBlock& w) {
  systemBlock_ = w;
  Json::Value& device = EditableDeviceObject();
  Json::Value& system = AsObject(ObjectMember(device, "SystemStages"));
  system["DoubleClickTime"] = LowHalf(w[0]);
  system["MouseSpeed"] = HighHalf(w[0]);
  system["PointerPrecision"] = LowHalf(w[1]);
  system["ScorllPage"] = HighHalf(w[1]);
  system["WheelScorlllinse"] = LowHalf(w[2]);
  system["Logoledmode"] = HighHalf(w[7]);
  Json::Value& report = AsObject(ObjectMember(device, "ReportStages"));
  report["StageActive"] = HighHalf(w[2]);
  report["SilentAltitude"] = LowHalf(w[3]);
  report["Linear_Calibration"] = HighHalf(w[3]);
  report["Ripple"] = static_cast<Json::UInt>(w[4]);
  report["ble_sleep1"] = LowHalf(w[5]);
  report["ble_sleep2"] = HighHalf(w[5]);
  report["device_sleep1"] = LowHalf(w[6]);
  report["device_sleep2"] = HighHalf(w[6]);
  report["key_debounce_time"] = LowHalf(w[7]);
}
