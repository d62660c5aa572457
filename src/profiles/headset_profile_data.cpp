#include "profiles/headset_profile_data.h"

#include <algorithm>

#include "profiles/records/profile_limits.h"
#include "profiles/storage/json_access.h"

namespace {

constexpr const char* kSystemKeys[8] = {"MagicEnable", "MagicType",        "EqType",          "CustomEqSeletIndex",
                                        "MicInSelect", "MicInValue",       "MicMoniterSelect", "MicMoniterValue"};

// The stored slot of a preset number, or 0 for the custom equaliser, which has none.
Json::ArrayIndex PresetSlot(int preset) {
  if (preset == kCustomEqPreset) return 0;
  if (preset < kFirstEqPreset || preset > kCustomEqPreset) return kFirstEqPreset;
  return static_cast<Json::ArrayIndex>(preset);
}

bool IsCustomIndex(int index) { return index >= 0 && static_cast<size_t>(index) < kMaxCustomEqualisers; }

std::vector<int> ReadBands(Json::Value& bands) {
  if (!bands.isArray()) bands = Json::Value(Json::arrayValue);
  std::vector<int> values;
  for (Json::ArrayIndex b = 0; b < kEqBandCount; ++b) {
    Json::Value& band = bands[b];
    if (!band.isObject() || MemberOf(band, "value").isNull()) AsObject(band)["value"] = 0;
    values.push_back(static_cast<int>(IntegerAt(band, "value")));
  }
  return values;
}

void WriteBands(Json::Value& bands, const std::vector<int>& values) {
  if (!bands.isArray()) bands = Json::Value(Json::arrayValue);
  size_t count = std::min(values.size(), kEqBandCount);
  for (size_t b = 0; b < count; ++b) AsObject(bands[static_cast<Json::ArrayIndex>(b)])["value"] = values[b];
}

}  // namespace

HeadsetSystemBlock CRi6533Profiledata::ReadSystemSetStages() {
  systemBlock_ = {};
  const Json::Value& system = MemberOf(DeviceObject(), "SystemSetStages");
  if (system.isNull()) return systemBlock_;
  for (size_t i = 0; i < systemBlock_.size(); ++i) systemBlock_[i] = static_cast<int32_t>(IntegerAt(system, kSystemKeys[i]));
  return systemBlock_;
}

void CRi6533Profiledata::WriteSystemSetStages(const HeadsetSystemBlock& values) {
  systemBlock_ = values;
  Json::Value& system = AsObject(ObjectMember(EditableDeviceObject(), "SystemSetStages"));
  for (size_t i = 0; i < values.size(); ++i) system[kSystemKeys[i]] = values[i];
}

std::vector<int> CRi6533Profiledata::ReadEQValues(int preset) {
  eqValues_.clear();
  Json::ArrayIndex slot = PresetSlot(preset);
  if (slot == 0) return eqValues_;
  eqValues_ = ReadBands(ArrayElement(ObjectMember(EditableDeviceObject(), "EQHzValueInfo"), slot));
  return eqValues_;
}

void CRi6533Profiledata::WriteEQValues(int preset, const std::vector<int>& values) {
  Json::ArrayIndex slot = PresetSlot(preset);
  if (slot == 0) return;
  eqValues_ = values;
  WriteBands(ArrayElement(ObjectMember(EditableDeviceObject(), "EQHzValueInfo"), slot), values);
}

std::vector<std::string> CRi6533Profiledata::ReadCustomEQNames() {
  std::vector<std::string> names;
  const Json::Value& stored = MemberOf(DeviceObject(), "CustomEQNameInfo");
  if (!stored.isArray()) return names;
  Json::ArrayIndex count = std::min<Json::ArrayIndex>(stored.size(), kMaxCustomEqualisers);
  for (Json::ArrayIndex i = 0; i < count; ++i) names.push_back(TextOf(MemberOf(stored[i], "Name")));
  return names;
}

void CRi6533Profiledata::WriteCustomEQNames(const std::vector<std::string>& names) {
  Json::Value stored(Json::arrayValue);
  size_t count = std::min(names.size(), kMaxCustomEqualisers);
  for (size_t i = 0; i < count; ++i) stored[static_cast<Json::ArrayIndex>(i)]["Name"] = names[i];
  EditableDeviceObject()["CustomEQNameInfo"] = stored;
}

std::vector<int> CRi6533Profiledata::ReadCustomEQValues(int index) {
  eqValues_.clear();
  if (!IsCustomIndex(index)) return eqValues_;
  eqValues_ = ReadBands(
      ArrayElement(ObjectMember(EditableDeviceObject(), "CustomEQHzValueInfo"), static_cast<Json::ArrayIndex>(index)));
  return eqValues_;
}

void CRi6533Profiledata::WriteCustomEQValues(int index, const std::vector<int>& values) {
  if (!IsCustomIndex(index)) return;
  eqValues_ = values;
  WriteBands(ArrayElement(ObjectMember(EditableDeviceObject(), "CustomEQHzValueInfo"), static_cast<Json::ArrayIndex>(index)),
             values);
}

void CRi6533Profiledata::RemoveCustomEQ(int index) {
  if (!IsCustomIndex(index)) return;
  Json::Value& device = EditableDeviceObject();
  for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
    if (!MemberOf(device, key).isArray()) continue;
    Json::Value removed;
    device[key].removeIndex(static_cast<Json::ArrayIndex>(index), &removed);
  }
}
