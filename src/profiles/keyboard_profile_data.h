#pragma once
#include <vector>

#include "profiles/basic_profile_data.h"
#include "profiles/records/device_blocks.h"

// The keyboard's profile data: its system block and the custom per-key colour groups.
class CKeyboardProfiledata : public CBasicProfiledata {
 public:
  KeyboardSystemBlock ReadKeyboardSystemStages();
  void WriteKeyboardSystemStages(const KeyboardSystemBlock& words);

  // The first `count` colours of custom group `group`. Entries the profile lacks are created in
  // the held object as zero colours and read as zero. A group or count past the limits in
  // profile_limits.h gives an empty list and changes nothing.
  std::vector<CustomKeyColour> ReadCustomLightColors(int group, int count);
  void WriteCustomLightColors(const std::vector<CustomKeyColour>& colours, int group);
  int ReadCustomLightGroupIndex();
  void WriteCustomLightGroupIndex(int group);

 private:
  KeyboardSystemBlock systemBlock_{};
  std::vector<CustomKeyColour> customColours_;
  int customGroup_ = 0;
};
