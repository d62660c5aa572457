#pragma once
#include <json/json.h>

#include "profiles/records/lighting_records.h"

// Conversions between the lighting records and their JSON objects in a profile. Readers accept
// any value (a missing or mistyped key reads as 0); writers build fresh objects.

LightInfoRecord LightInfoFromJson(const Json::Value& lightInfo);
// "MultiColor" is written as the integer 0 or 1; the bytes that are not persisted are dropped.
Json::Value LightInfoToJson(const LightInfoRecord& record);

// Read as stored; the profile's reader then forces ColorTypeFlags to 1.
AudioLightRecord AudioLightFromJson(const Json::Value& audioLight);
Json::Value AudioLightToJson(const AudioLightRecord& record);

// A null element gives the all-zero entry; anything else an entry with its present flag set.
LightListEntry LightListEntryFromJson(const Json::Value& element);

LightEffectStep LightEffectStepFromJson(const Json::Value& element);
