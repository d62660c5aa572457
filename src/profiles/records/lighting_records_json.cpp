#include "profiles/records/lighting_records_json.h"

#include "profiles/records/record_fields.h"

namespace {

uint8_t ByteOf(uint32_t word, int index) { return static_cast<uint8_t>(word >> (8 * index)); }

uint32_t WordOf(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
  return b0 | (uint32_t{b1} << 8) | (uint32_t{b2} << 16) | (uint32_t{b3} << 24);
}

}  // namespace

LightInfoWords PackLightInfo(const LightInfoRecord& r) {
  LightInfoWords words;
  words.Word0 = WordOf(r.SelectItem, r.Light, r.Speed, r.Fx);
  words.Word1 = WordOf(r.MultiColor, r.Red, r.Green, r.Blue);
  words.Word2 = WordOf(r.NotPersisted[0], r.NotPersisted[1], r.NotPersisted[2], r.ZZCCLedMode);
  words.Half3 = static_cast<uint16_t>(r.CustomGroup | (r.OldLedmode << 8));
  return words;
}

LightInfoRecord UnpackLightInfo(uint32_t word0, uint32_t word1, uint32_t word2, uint16_t half3) {
  LightInfoRecord r;
  r.SelectItem = ByteOf(word0, 0);
  r.Light = ByteOf(word0, 1);
  r.Speed = ByteOf(word0, 2);
  r.Fx = ByteOf(word0, 3);
  r.MultiColor = ByteOf(word1, 0);
  r.Red = ByteOf(word1, 1);
  r.Green = ByteOf(word1, 2);
  r.Blue = ByteOf(word1, 3);
  r.NotPersisted[0] = ByteOf(word2, 0);
  r.NotPersisted[1] = ByteOf(word2, 1);
  r.NotPersisted[2] = ByteOf(word2, 2);
  r.ZZCCLedMode = ByteOf(word2, 3);
  r.CustomGroup = static_cast<uint8_t>(half3);
  r.OldLedmode = static_cast<uint8_t>(half3 >> 8);
  return r;
}

AudioLightRecord UnpackAudioLight(uint32_t word0, uint32_t word1, uint8_t flag) {
  return {ByteOf(word0, 0), ByteOf(word0, 1), ByteOf(word0, 2), ByteOf(word0, 3), ByteOf(word1, 0),
          ByteOf(word1, 1), ByteOf(word1, 2), ByteOf(word1, 3), flag};
}

namespace {

constexpr RecordField<LightInfoRecord> kLightInfoFields[] = {
    {"SelectItem", &LightInfoRecord::SelectItem},
    {"Light", &LightInfoRecord::Light},
    {"Speed", &LightInfoRecord::Speed},
    {"Fx", &LightInfoRecord::Fx},
    {"MultiColor", &LightInfoRecord::MultiColor, FieldCoding::kFlagAsNumber},
    {"Red", &LightInfoRecord::Red},
    {"Green", &LightInfoRecord::Green},
    {"Blue", &LightInfoRecord::Blue},
    {"ZZCCLedMode", &LightInfoRecord::ZZCCLedMode},
    {"CustomGroup", &LightInfoRecord::CustomGroup},
    {"OldLedmode", &LightInfoRecord::OldLedmode},
};

constexpr RecordField<AudioLightRecord> kAudioLightFields[] = {
    {"AudioMode", &AudioLightRecord::AudioMode},
    {"BkColorR", &AudioLightRecord::BkColorR},
    {"BkColorG", &AudioLightRecord::BkColorG},
    {"BkColorB", &AudioLightRecord::BkColorB},
    {"FgColorR", &AudioLightRecord::FgColorR},
    {"FgColorG", &AudioLightRecord::FgColorG},
    {"FgColorB", &AudioLightRecord::FgColorB},
    {"7ColorFlags", &AudioLightRecord::SevenColorFlags, FieldCoding::kFlagAsBool},
    {"ColorTypeFlags", &AudioLightRecord::ColorTypeFlags, FieldCoding::kFlagAsBool},
};

// Per-zone entries and effect steps are only read; their tables say how.
constexpr RecordField<LightListEntry> kLightListFields[] = {
    {"LEDREGMode", &LightListEntry::LEDREGMode},
    {"LEDBrightness", &LightListEntry::LEDBrightness},
    {"LEDSpeed", &LightListEntry::LEDSpeed},
    {"LEDDirection", &LightListEntry::LEDDirection, FieldCoding::kFlagAsNumber},
    {"LEDMultiColor", &LightListEntry::LEDMultiColor, FieldCoding::kFlagAsNumber},
    {"red", &LightListEntry::Red},
    {"green", &LightListEntry::Green},
    {"blue", &LightListEntry::Blue},
};

constexpr RecordField<LightEffectStep> kLightEffectStepFields[] = {
    {"LEDREGMode", &LightEffectStep::LEDREGMode},
    {"LEDDirection", &LightEffectStep::LEDDirection},
    {"LEDBrightness", &LightEffectStep::LEDBrightness},
    {"LEDSpeed", &LightEffectStep::LEDSpeed},
    {"LEDMultiColor", &LightEffectStep::LEDMultiColor},
    {"red", &LightEffectStep::Red},
    {"green", &LightEffectStep::Green},
    {"blue", &LightEffectStep::Blue},
    {"Time", &LightEffectStep::Time},
    {"Cyle", &LightEffectStep::Cyle},
};

}  // namespace

LightInfoRecord LightInfoFromJson(const Json::Value& o) { return ReadRecord<LightInfoRecord>(kLightInfoFields, o); }

Json::Value LightInfoToJson(const LightInfoRecord& r) {
  Json::Value o(Json::objectValue);
  WriteRecord<LightInfoRecord>(kLightInfoFields, r, o);
  return o;
}

AudioLightRecord AudioLightFromJson(const Json::Value& o) { return ReadRecord<AudioLightRecord>(kAudioLightFields, o); }

Json::Value AudioLightToJson(const AudioLightRecord& r) {
  Json::Value o(Json::objectValue);
  WriteRecord<AudioLightRecord>(kAudioLightFields, r, o);
  return o;
}

LightListEntry LightListEntryFromJson(const Json::Value& e) {
  LightListEntry entry;
  if (e.isNull()) return entry;
  ReadRecordFields<LightListEntry>(kLightListFields, e, entry);
  entry.Present = 1;
  return entry;
}

LightEffectStep LightEffectStepFromJson(const Json::Value& e) {
  return ReadRecord<LightEffectStep>(kLightEffectStepFields, e);
}
