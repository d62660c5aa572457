#include "profiles/mouse_profile_data.h"

#include <algorithm>

#include "profiles/records/profile_limits.h"
#include "profiles/records/record_fields.h"
#include "profiles/storage/json_access.h"

namespace {

constexpr RecordField<DPIStage> kStageFields[] = {
    {"StageActive", &DPIStage::StageActive}, {"StageXY", &DPIStage::StageXY},
    {"StageDPIX", &DPIStage::StageDPIX},     {"StageDPIY", &DPIStage::StageDPIY},
    {"StageColorR", &DPIStage::StageColorR}, {"StageColorG", &DPIStage::StageColorG},
    {"StageColorB", &DPIStage::StageColorB},
};

// Where each half of the system block's words is kept: the pointer settings and the logo mode
// under "SystemStages", what the mouse itself stores under "ReportStages".
enum class WordPart { kLow, kHigh, kWhole };
struct SystemField {
  const char* section;
  const char* key;
  size_t word;
  WordPart part;
};

constexpr const char* kSystemSection = "SystemStages";
constexpr const char* kReportSection = "ReportStages";

constexpr SystemField kSystemFields[] = {
    {kSystemSection, "DoubleClickTime", 0, WordPart::kLow},
    {kSystemSection, "MouseSpeed", 0, WordPart::kHigh},
    {kSystemSection, "PointerPrecision", 1, WordPart::kLow},
    {kSystemSection, "ScorllPage", 1, WordPart::kHigh},
    {kSystemSection, "WheelScorlllinse", 2, WordPart::kLow},
    {kReportSection, "StageActive", 2, WordPart::kHigh},
    {kReportSection, "SilentAltitude", 3, WordPart::kLow},
    {kReportSection, "Linear_Calibration", 3, WordPart::kHigh},
    // Read as a 16-bit value, written as the whole word.
    {kReportSection, "Ripple", 4, WordPart::kWhole},
    {kReportSection, "ble_sleep1", 5, WordPart::kLow},
    {kReportSection, "ble_sleep2", 5, WordPart::kHigh},
    {kReportSection, "device_sleep1", 6, WordPart::kLow},
    {kReportSection, "device_sleep2", 6, WordPart::kHigh},
    {kReportSection, "key_debounce_time", 7, WordPart::kLow},
    {kSystemSection, "Logoledmode", 7, WordPart::kHigh},
};

}  // namespace

std::vector<DPIStage> CMouseProfiledata::ReadDPIStages() {
  const Json::Value& section = MemberOf(DeviceObject(), "DPIStages");
  if (section.isNull()) return stages_;
  stageActive_ = static_cast<int>(IntegerAt(section, "StageActive"));
  const Json::Value& list = MemberOf(section, "StageDPIs");
  if (!list.isArray()) return stages_;
  Json::ArrayIndex count = std::min<Json::ArrayIndex>(list.size(), kMaxDpiStages);
  for (Json::ArrayIndex j = 0; j < count; ++j) {
    DPIStage stage = ReadRecord<DPIStage>(kStageFields, list[j]);
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
  for (size_t i = 0; i < stages_.size(); ++i) {
    WriteRecord<DPIStage>(kStageFields, stages_[i], ArrayElement(list, static_cast<Json::ArrayIndex>(i)));
  }
}

void CMouseProfiledata::SetStageActive(int stage) {
  stageActive_ = stage;
  ObjectMember(ObjectMember(EditableDeviceObject(), "DPIStages"), "StageActive") = stage;
}

MouseSystemBlock CMouseProfiledata::ReadSystemStages() {
  systemBlock_ = {};
  if (MemberOf(DeviceObject(), kSystemSection).isNull()) return systemBlock_;
  for (const SystemField& field : kSystemFields) {
    const uint16_t value = HalfAt(MemberOf(DeviceObject(), field.section), field.key);
    uint32_t& word = systemBlock_[field.word];
    word = field.part == WordPart::kHigh ? PackHalves(LowHalf(word), value) : PackHalves(value, HighHalf(word));
  }
  return systemBlock_;
}

void CMouseProfiledata::WriteSystemStages(const MouseSystemBlock& words) {
  systemBlock_ = words;
  Json::Value& device = EditableDeviceObject();
  for (const SystemField& field : kSystemFields) {
    const uint32_t word = words[field.word];
    Json::Value& section = AsObject(ObjectMember(device, field.section));
    switch (field.part) {
      case WordPart::kLow:
        section[field.key] = LowHalf(word);
        break;
      case WordPart::kHigh:
        section[field.key] = HighHalf(word);
        break;
      case WordPart::kWhole:
        section[field.key] = static_cast<Json::UInt>(word);
        break;
    }
  }
}
