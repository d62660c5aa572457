// The lighting records of CBasicProfiledata.
#include <algorithm>

#include "profiles/basic_profile_data.h"
#include "profiles/records/lighting_records_json.h"
#include "profiles/records/profile_limits.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"
#include "profiles/storage/text_conversions.h"

namespace {

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

LightInfoRecord CBasicProfiledata::ReadLightInfo() {
  const Json::Value& lightInfo = MemberOf(current_, "LightInfo");
  lightInfo_ = lightInfo.isObject() ? LightInfoFromJson(lightInfo) : fallbackLightInfo_;
  return lightInfo_;
}

void CBasicProfiledata::WriteLightInfo(uint32_t word0, uint32_t word1, uint32_t word2, uint16_t half3) {
  WriteLightInfo(UnpackLightInfo(word0, word1, word2, half3));
}

void CBasicProfiledata::WriteLightInfo(const LightInfoRecord& record) {
  lightInfo_ = record;
  EditableDeviceObject()["LightInfo"] = LightInfoToJson(record);
}

AudioLightRecord CBasicProfiledata::ReadAudioLightInfo() {
  const Json::Value& audioLight = MemberOf(current_, "AudioLightInfo");
  audioLight_ = AudioLightRecord{};
  if (audioLight.isObject()) {
    audioLight_ = AudioLightFromJson(audioLight);
    // Whatever the file holds, a stored record comes back with the foreground colour chosen: the
    // audio-light editor always opens on it.
    audioLight_.ColorTypeFlags = 1;
  }
  return audioLight_;
}

void CBasicProfiledata::WriteAudioLightInfo(uint32_t word0, uint32_t word1, uint8_t flag) {
  audioLight_ = UnpackAudioLight(word0, word1, flag);
  EditableDeviceObject()["AudioLightInfo"] = AudioLightToJson(audioLight_);
}

std::vector<LightListEntry> CBasicProfiledata::ReadLightList() {
  lightList_.clear();
  const Json::Value& list = MemberOf(current_, "LightList");
  if (list.isArray()) {
    Json::ArrayIndex count = std::min<Json::ArrayIndex>(list.size(), kMaxLightListEntries);
    for (Json::ArrayIndex i = 0; i < count; ++i) lightList_.push_back(LightListEntryFromJson(list[i]));
  }
  return lightList_;
}

std::vector<LightEffectStep> CBasicProfiledata::ReadLightEffects() {
  lightEffects_.clear();
  if (lightConfig_.isNull() || lightInfo_.SelectItem < builtInLightModes_) return lightEffects_;
  const Json::Value& effects = ElementOf(MemberOf(lightConfig_, "LightInfo"), static_cast<Json::ArrayIndex>(lightIndex_));
  const Json::Value& effect = ElementOf(effects, static_cast<Json::ArrayIndex>(lightInfo_.SelectItem - builtInLightModes_));
  std::string fileName = TextOf(MemberOf(effect, "Guid")) + ".light";
  // The effect file sits beside the light configuration that names it, whatever the working
  // folder is; a name with a folder in it could point anywhere and is not followed.
  if (!IsPlainFileName(fileName) || fileName == ".light") return lightEffects_;
  Json::Value document = LoadJsonFile(FolderOf(lightConfigPath_) + fileName);
  const Json::Value& steps = MemberOf(document, "LEDEffectList");
  if (steps.isArray()) {
    Json::ArrayIndex count = std::min<Json::ArrayIndex>(steps.size(), kMaxLightEffectSteps);
    for (Json::ArrayIndex i = 0; i < count; ++i) lightEffects_.push_back(LightEffectStepFromJson(steps[i]));
  }
  return lightEffects_;
}
