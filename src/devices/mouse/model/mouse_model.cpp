#include "devices/mouse/model/mouse_model.h"

#include <algorithm>

#include "devices/mouse/mouse_system_words.h"
#include "devices/mouse/sensitivity_rule.h"

void CMouseModel::LoadFrom(CMouseProfiledata& profile) {
  keys_ = profile.ReadKeyList();
  light_ = profile.ReadLightInfo();
  audio_ = profile.ReadAudioLightInfo();
  stages_ = profile.ReadDPIStages();
  if (stages_.size() > kMaxStages) stages_.resize(kMaxStages);
  currentStage_ = profile.GetStageActive();
  system_ = profile.ReadSystemStages();
  changed_ = 0;
  KeepCurrentStageEnabled();
}

void CMouseModel::StoreChanges(CMouseProfiledata& profile) {
  if (changed_ & kStages) profile.WriteDPIStages(stages_);
  if (changed_ & kCurrentStage) profile.SetStageActive(currentStage_);
  if (changed_ & kSystem) profile.WriteSystemStages(system_);
  if (changed_ & kLight) profile.WriteLightInfo(light_);
  if (changed_ & kKeys) profile.WriteKeyList(keys_);
  if (changed_ & kAudio) {
    profile.WriteAudioLightInfo(
        audio_.AudioMode | uint32_t{audio_.BkColorR} << 8 | uint32_t{audio_.BkColorG} << 16 |
            uint32_t{audio_.BkColorB} << 24,
        audio_.FgColorR | uint32_t{audio_.FgColorG} << 8 | uint32_t{audio_.FgColorB} << 16 |
            uint32_t{audio_.SevenColorFlags} << 24,
        audio_.ColorTypeFlags);
  }
  changed_ = 0;
}

void CMouseModel::SetStages(const std::vector<DPIStage>& stages) {
  stages_ = stages;
  if (stages_.size() > kMaxStages) stages_.resize(kMaxStages);
  Changed(kStages);
  KeepCurrentStageEnabled();
}

bool CMouseModel::SetCurrentStage(int stage) {
  if (stage < 0 || stage >= static_cast<int>(kMaxStages)) return false;
  if (!IsStageEnabled(stage) && EnabledStageCount() > 0) return false;
  currentStage_ = stage;
  Changed(kCurrentStage);
  return true;
}

// A document or a mouse may name a stage that is switched off; the mouse must never be sent to
// it, so the first stage that is on takes its place. A list with no stage on is left as it is.
void CMouseModel::KeepCurrentStageEnabled() {
  if (IsStageEnabled(currentStage_)) return;
  for (int stage = 0; stage < static_cast<int>(stages_.size()); ++stage) {
    if (!IsStageEnabled(stage)) continue;
    currentStage_ = stage;
    Changed(kCurrentStage);
    return;
  }
}

DPIStage* CMouseModel::StageAt(int stage) {
  if (stage < 0 || stage >= static_cast<int>(kMaxStages)) return nullptr;
  if (stages_.size() <= static_cast<size_t>(stage)) stages_.resize(static_cast<size_t>(stage) + 1);
  Changed(kStages);
  return &stages_[static_cast<size_t>(stage)];
}

bool CMouseModel::SetStageEnabled(int stage, bool enabled) {
  if (stage < 0 || stage >= static_cast<int>(kMaxStages)) return false;
  if (!enabled && !CanDisableStage(stage)) return false;
  DPIStage* record = StageAt(stage);
  record->StageActive = enabled ? 1 : 0;
  return true;
}

bool CMouseModel::CanDisableStage(int stage) const {
  if (!IsStageEnabled(stage)) return true;
  return stage != currentStage_ && EnabledStageCount() > 1;
}

bool CMouseModel::SetStageValue(int stage, uint16_t sensorId, int value) {
  DPIStage* record = StageAt(stage);
  if (!record) return false;
  StoreStageValue(*record, sensorId, value);
  return true;
}

bool CMouseModel::SetStageColour(int stage, uint8_t red, uint8_t green, uint8_t blue) {
  DPIStage* record = StageAt(stage);
  if (!record) return false;
  record->StageColorR = red;
  record->StageColorG = green;
  record->StageColorB = blue;
  return true;
}

bool CMouseModel::IsStageEnabled(int stage) const {
  return stage >= 0 && static_cast<size_t>(stage) < stages_.size() && stages_[static_cast<size_t>(stage)].StageActive != 0;
}

int CMouseModel::EnabledStageCount() const {
  return static_cast<int>(std::count_if(stages_.begin(), stages_.end(), [](const DPIStage& s) { return s.StageActive != 0; }));
}

void CMouseModel::SetSystem(const MouseSystemBlock& block) {
  system_ = block;
  Changed(kSystem);
}

void CMouseModel::SetSystemHalf(size_t word, bool high, uint16_t value) {
  if (word >= system_.size()) return;
  uint32_t& target = system_[word];
  target = high ? PackHalves(LowHalf(target), value) : PackHalves(value, HighHalf(target));
  Changed(kSystem);
}

int CMouseModel::KeepAliveMinutes() const {
  const uint32_t sleep = system_[kSystemWordDeviceSleep];
  return std::min<int>(LowHalf(sleep), HighHalf(sleep));
}

void CMouseModel::SetLighting(const LightInfoRecord& light, uint16_t modeCode) {
  SetLight(light);
  SetSystemHalf(kSystemWordDebounceAndLogo, true, modeCode);
}

void CMouseModel::SetAudioLight(const AudioLightRecord& audio) {
  audio_ = audio;
  Changed(kAudio);
}

void CMouseModel::SetLight(const LightInfoRecord& light) {
  light_ = light;
  Changed(kLight);
}

void CMouseModel::SetKeys(const std::vector<KeyAssignmentPair>& keys) {
  keys_ = keys;
  Changed(kKeys);
}

SettingsPageBytes CMouseModel::EncodeSettingsPage(uint8_t profileByte) const {
  return ::EncodeSettingsPage(profileByte, stages_, currentStage_, system_, light_);
}

DecodedSettingsPage CMouseModel::TakeSettingsPage(const SettingsPageBytes& raw, uint8_t activePage,
                                                  std::span<const uint8_t> lightModeCodes) {
  const DecodedSettingsPage decoded = DecodeSettingsPage(raw, activePage, lightModeCodes, system_, light_);
  SetSystem(decoded.system);
  // A stage the profile has switched off stays out of use: the stage the profile names is kept.
  SetCurrentStage(decoded.currentStage);
  SetLight(decoded.light);
  return decoded;
}
