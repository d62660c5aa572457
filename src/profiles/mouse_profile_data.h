#pragma once
#include <vector>

#include "profiles/basic_profile_data.h"
#include "profiles/records/device_blocks.h"

// The mouse's profile data: sensitivity stages and the system block besides the shared records.
class CMouseProfiledata : public CBasicProfiledata {
 public:
  // Merges "DPIStages"."StageDPIs" into the held list: entry j of the file overwrites held entry j,
  // further entries are appended, and the held list never shrinks. Also takes the current stage.
  std::vector<DPIStage> ReadDPIStages();
  // Replaces the held list and writes the seven keys of every stage.
  void WriteDPIStages(const std::vector<DPIStage>& stages);
  int GetStageActive() const { return stageActive_; }
  void SetStageActive(int stage);

  MouseSystemBlock ReadSystemStages();
  void WriteSystemStages(const MouseSystemBlock& words);

 private:
  std::vector<DPIStage> stages_;
  int stageActive_ = 0;
  MouseSystemBlock systemBlock_{};
};
