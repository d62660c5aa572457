#pragma once
#include <string>
#include <vector>

#include "profiles/basic_profile_data.h"
#include "profiles/records/device_blocks.h"

// The headset's profile data: its audio settings block, the twelve equaliser presets and the
// user's named custom equalisers. Band lists have kEqBandCount values, band 0 first.
class CRi6533Profiledata : public CBasicProfiledata {
 public:
  HeadsetSystemBlock ReadSystemSetStages();
  void WriteSystemSetStages(const HeadsetSystemBlock& values);

  // Preset 0 and numbers past 13 mean preset 1; 13 is the custom equaliser, which lives elsewhere,
  // so it reads as an empty list and is never written here. Bands the profile lacks are created
  // in the held object with value 0.
  std::vector<int> ReadEQValues(int preset);
  void WriteEQValues(int preset, const std::vector<int>& values);

  std::vector<std::string> ReadCustomEQNames();
  void WriteCustomEQNames(const std::vector<std::string>& names);
  // Custom equaliser `index` (0 to 19); other indexes read as empty and write nothing.
  std::vector<int> ReadCustomEQValues(int index);
  void WriteCustomEQValues(int index, const std::vector<int>& values);
  // Drops custom equaliser `index`: its name and its bands, so every later one keeps its own
  // bands under its new position.
  void RemoveCustomEQ(int index);

 private:
  HeadsetSystemBlock systemBlock_{};
  std::vector<int> eqValues_;
};
