#pragma once
#include <cstdint>

// The lighting records the profile hands to the device classes. Each is the byte record the
// device code consumes, field by field in this order; bytes marked "not persisted" are 0 after a
// read from the profile and are the device classes' business.

struct LightInfoRecord {
  uint8_t SelectItem = 0;  // lighting mode index
  uint8_t Light = 0;       // brightness level
  uint8_t Speed = 0;
  uint8_t Fx = 0;  // effect direction
  uint8_t MultiColor = 0;
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  uint8_t NotPersisted[3] = {0, 0, 0};
  uint8_t ZZCCLedMode = 0;  // entry of the second mode list
  uint8_t CustomGroup = 0;
  uint8_t OldLedmode = 0;  // the mode before the current one

  bool operator==(const LightInfoRecord&) const = default;
};
static_assert(sizeof(LightInfoRecord) == 14);

// The record as the write operation receives it: three 32-bit words and a 16-bit word whose
// bytes, least significant first, are the fields in order.
struct LightInfoWords {
  uint32_t Word0 = 0;
  uint32_t Word1 = 0;
  uint32_t Word2 = 0;
  uint16_t Half3 = 0;
};
LightInfoWords PackLightInfo(const LightInfoRecord& record);
LightInfoRecord UnpackLightInfo(uint32_t word0, uint32_t word1, uint32_t word2, uint16_t half3);

struct AudioLightRecord {
  uint8_t AudioMode = 0;
  uint8_t BkColorR = 0;
  uint8_t BkColorG = 0;
  uint8_t BkColorB = 0;
  uint8_t FgColorR = 0;
  uint8_t FgColorG = 0;
  uint8_t FgColorB = 0;
  uint8_t SevenColorFlags = 0;  // "7ColorFlags"
  uint8_t ColorTypeFlags = 0;

  bool operator==(const AudioLightRecord&) const = default;
};
static_assert(sizeof(AudioLightRecord) == 9);

// word0 = AudioMode | BkColorR << 8 | BkColorG << 16 | BkColorB << 24,
// word1 = FgColorR | FgColorG << 8 | FgColorB << 16 | 7ColorFlags << 24, flag = ColorTypeFlags.
AudioLightRecord UnpackAudioLight(uint32_t word0, uint32_t word1, uint8_t flag);

// One zone of the per-zone LED list (read only). An entry whose JSON element is null is all zero,
// its present flag included.
struct LightListEntry {
  uint8_t LEDREGMode = 0;
  uint8_t LEDBrightness = 0;
  uint8_t LEDSpeed = 0;
  uint8_t LEDDirection = 0;
  uint8_t LEDMultiColor = 0;
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  uint8_t NotPersisted[2] = {0, 0};
  uint8_t Present = 0;
  uint8_t NotPersistedTail[3] = {0, 0, 0};

  bool operator==(const LightListEntry&) const = default;
};
static_assert(sizeof(LightListEntry) == 14);

// One step of a custom light effect.
struct LightEffectStep {
  uint8_t LEDREGMode = 0;
  uint8_t LEDBrightness = 0;
  uint8_t LEDSpeed = 0;
  uint8_t LEDDirection = 0;
  uint8_t LEDMultiColor = 0;
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  uint8_t NotPersisted[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  int32_t Time = 0;
  int32_t Cyle = 0;  // the cycle count, spelled as the files spell it

  bool operator==(const LightEffectStep&) const = default;
};
static_assert(sizeof(LightEffectStep) == 24);
