#include "profiles/keyboard_profile_data.h"

#include "profiles/records/profile_limits.h"
#include "profiles/storage/json_access.h"

namespace {

bool IsCustomGroup(int group) { return group >= 0 && static_cast<size_t>(group) < kMaxCustomColourGroups; }

Json::Value ColourToJson(const CustomKeyColour& colour) {
  Json::Value entry(Json::objectValue);
  entry["Red"] = colour.Red;
  entry["Green"] = colour.Green;
  entry["Blue"] = colour.Blue;
  entry["Alpha"] = colour.Alpha;
  return entry;
}

Json::Value& GroupArray(Json::Value& device, int group) {
  Json::Value& groups = ObjectMember(AsObject(ObjectMember(device, "CustomLightMode")), "LightColorInfo");
  return ArrayElement(groups, static_cast<Json::ArrayIndex>(group));
}

}  // namespace

KeyboardSystemBlock CKeyboardProfiledata::ReadKeyboardSystemStages() {
  systemBlock_ = {};
  const Json::Value& system = MemberOf(DeviceObject(), "SystemStages");
  if (system.isNull()) return systemBlock_;
  systemBlock_[0] = PackHalves(HalfAt(system, "Repeat"), HalfAt(system, "RepeatDelay"));
  systemBlock_[1] = PackHalves(HalfAt(system, "Key6Flag"), HalfAt(system, "PollingRate"));
  systemBlock_[2] = PackHalves(HalfAt(system, "WFlag"), HalfAt(system, "WinFlag"));
  return systemBlock_;
}

void CKeyboardProfiledata::WriteKeyboardSystemStages(const KeyboardSystemBlock& w) {
  systemBlock_ = w;
  Json::Value& system = AsObject(ObjectMember(EditableDeviceObject(), "SystemStages"));
  system["Repeat"] = LowHalf(w[0]);
  system["RepeatDelay"] = HighHalf(w[0]);
  system["Key6Flag"] = LowHalf(w[1]);
  system["PollingRate"] = HighHalf(w[1]);
  system["WFlag"] = LowHalf(w[2]);
  system["WinFlag"] = HighHalf(w[2]);
}

std::vector<CustomKeyColour> CKeyboardProfiledata::ReadCustomLightColors(int group, int count) {
  customColours_.clear();
  if (!IsCustomGroup(group) || count < 0 || static_cast<size_t>(count) > kMaxCustomColoursPerGroup) {
    return customColours_;
  }
  Json::Value& colours = GroupArray(EditableDeviceObject(), group);
  if (!colours.isArray()) colours = Json::Value(Json::arrayValue);
  for (Json::ArrayIndex k = 0; k < static_cast<Json::ArrayIndex>(count); ++k) {
    Json::Value& entry = colours[k];
    if (!entry.isObject()) entry = ColourToJson({});
    customColours_.push_back({ByteAt(entry, "Red"), ByteAt(entry, "Green"), ByteAt(entry, "Blue"), ByteAt(entry, "Alpha")});
  }
  return customColours_;
}

void CKeyboardProfiledata::WriteCustomLightColors(const std::vector<CustomKeyColour>& colours, int group) {
  if (!IsCustomGroup(group)) return;
  customColours_ = colours;
  if (customColours_.size() > kMaxCustomColoursPerGroup) customColours_.resize(kMaxCustomColoursPerGroup);
  Json::Value& stored = GroupArray(EditableDeviceObject(), group);
  if (!stored.isArray()) stored = Json::Value(Json::arrayValue);
  for (size_t k = 0; k < customColours_.size(); ++k) stored[static_cast<Json::ArrayIndex>(k)] = ColourToJson(customColours_[k]);
}

int CKeyboardProfiledata::ReadCustomLightGroupIndex() {
  customGroup_ = static_cast<int>(IntegerAt(MemberOf(DeviceObject(), "CustomLightMode"), "CustomLightModeGroupIndex"));
  return customGroup_;
}

void CKeyboardProfiledata::WriteCustomLightGroupIndex(int group) {
  customGroup_ = group;
  AsObject(ObjectMember(EditableDeviceObject(), "CustomLightMode"))["CustomLightModeGroupIndex"] = group;
}
