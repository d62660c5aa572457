#include "devices/mousepad/model/pad_model.h"

void CPadModel::LoadFrom(CBasicProfiledata& profile) {
  light_ = profile.ReadLightInfo();
  audio_ = profile.ReadAudioLightInfo();
  page_.TakeLighting(light_);
  changed_ = 0;
}

void CPadModel::StoreChanges(CBasicProfiledata& profile) {
  if (changed_ & kLight) profile.WriteLightInfo(light_);
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

void CPadModel::SetLight(const LightInfoRecord& light) {
  light_ = light;
  page_.TakeLighting(light_);
  changed_ |= kLight;
}

void CPadModel::SetAudioLight(const AudioLightRecord& audio) {
  audio_ = audio;
  changed_ |= kAudio;
}

void CPadModel::TakePage(const PadSettingsBlock& page) {
  page_ = page;
  light_ = page_.LightingOver(light_);
  changed_ |= kLight;
}
