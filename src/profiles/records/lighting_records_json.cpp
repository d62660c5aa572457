#include "profiles/records/lighting_records_json.h"

#include "profiles/storage/json_access.h"

namespace {

uint8_t ByteOf(uint32_t word, int index) { return static_cast<uint8_t>(word >> (8 * index)); }

uint32_t WordOf(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
  return b0 | (uint32_t{b1} << 8) | (uint32_t{b2} << 16) | (uint32_t{b3} << 24);
}

uint8_t FlagByteAt(const Json::Value& object, const char* key) { return FlagAt(object, key) ? 1 : 0; }

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

LightInfoRecord LightInfoFromJson(const Json::Value& o) {
  LightInfoRecord r;
  r.SelectItem = ByteAt(o, "SelectItem");
  r.Light = ByteAt(o, "Light");
  r.Speed = ByteAt(o, "Speed");
  r.Fx = ByteAt(o, "Fx");
  r.MultiColor = FlagByteAt(o, "MultiColor");
  r.Red = ByteAt(o, "Red");
  r.Green = ByteAt(o, "Green");
  r.Blue = ByteAt(o, "Blue");
  r.ZZCCLedMode = ByteAt(o, "ZZCCLedMode");
  r.CustomGroup = ByteAt(o, "CustomGroup");
  r.OldLedmode = ByteAt(o, "OldLedmode");
  return r;
}

Json::Value LightInfoToJson(const LightInfoRecord& r) {
  Json::Value o(Json::objectValue);
  o["SelectItem"] = r.SelectItem;
  o["Light"] = r.Light;
  o["Speed"] = r.Speed;
  o["Fx"] = r.Fx;
  o["MultiColor"] = r.MultiColor != 0 ? 1 : 0;
  o["Red"] = r.Red;
  o["Green"] = r.Green;
  o["Blue"] = r.Blue;
  o["ZZCCLedMode"] = r.ZZCCLedMode;
  o["CustomGroup"] = r.CustomGroup;
  o["OldLedmode"] = r.OldLedmode;
  return o;
}

AudioLightRecord AudioLightFromJson(const Json::Value& o) {
  AudioLightRecord r;
  r.AudioMode = ByteAt(o, "AudioMode");
  r.BkColorR = ByteAt(o, "BkColorR");
  r.BkColorG = ByteAt(o, "BkColorG");
  r.BkColorB = ByteAt(o, "BkColorB");
  r.FgColorR = ByteAt(o, "FgColorR");
  r.FgColorG = ByteAt(o, "FgColorG");
  r.FgColorB = ByteAt(o, "FgColorB");
  r.SevenColorFlags = FlagByteAt(o, "7ColorFlags");
  r.ColorTypeFlags = FlagByteAt(o, "ColorTypeFlags");
  return r;
}

Json::Value AudioLightToJson(const AudioLightRecord& r) {
  Json::Value o(Json::objectValue);
  o["AudioMode"] = r.AudioMode;
  o["BkColorR"] = r.BkColorR;
  o["BkColorG"] = r.BkColorG;
  o["BkColorB"] = r.BkColorB;
  o["FgColorR"] = r.FgColorR;
  o["FgColorG"] = r.FgColorG;
  o["FgColorB"] = r.FgColorB;
  o["7ColorFlags"] = r.SevenColorFlags != 0;
  o["ColorTypeFlags"] = r.ColorTypeFlags != 0;
  return o;
}

LightListEntry LightListEntryFromJson(const Json::Value& e) {
  LightListEntry entry;
  if (e.isNull()) return entry;
  entry.LEDREGMode = ByteAt(e, "LEDREGMode");
  entry.LEDBrightness = ByteAt(e, "LEDBrightness");
  entry.LEDSpeed = ByteAt(e, "LEDSpeed");
  entry.LEDDirection = FlagByteAt(e, "LEDDirection");
  entry.LEDMultiColor = FlagByteAt(e, "LEDMultiColor");
  entry.Red = ByteAt(e, "red");
  entry.Green = ByteAt(e, "green");
  entry.Blue = ByteAt(e, "blue");
  entry.Present = 1;
  return entry;
}

LightEffectStep LightEffectStepFromJson(const Json::Value& e) {
  LightEffectStep step;
  step.LEDREGMode = ByteAt(e, "LEDREGMode");
  step.LEDDirection = ByteAt(e, "LEDDirection");
  step.LEDBrightness = ByteAt(e, "LEDBrightness");
  step.LEDSpeed = ByteAt(e, "LEDSpeed");
  step.LEDMultiColor = ByteAt(e, "LEDMultiColor");
  step.Red = ByteAt(e, "red");
  step.Green = ByteAt(e, "green");
  step.Blue = ByteAt(e, "blue");
  step.Time = static_cast<int32_t>(IntegerAt(e, "Time"));
  step.Cyle = static_cast<int32_t>(IntegerAt(e, "Cyle"));
  return step;
}
