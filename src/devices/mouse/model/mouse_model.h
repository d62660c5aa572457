#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "devices/mouse/settings_page.h"
#include "profiles/mouse_profile_data.h"
#include "profiles/records/device_blocks.h"
#include "profiles/records/key_assignment.h"
#include "profiles/records/lighting_records.h"

// The mouse's profile state while the program runs: its sensitivity stages and the current stage,
// the system block, the lighting record and the key list. This is the one place these values
// live: the page shows them, the settings page sent to the mouse is encoded from them, and the
// profile document takes what changed (StoreChanges) before it is saved. No toolkit or device
// code; used on the user-interface thread.
class CMouseModel {
 public:
  // Everything from the profile document; nothing is left to store afterwards but a current stage
  // that was switched off and had to move.
  void LoadFrom(CMouseProfiledata& profile);
  // Writes the records changed since the last load or store into the document (records nobody
  // changed are left as the file has them).
  void StoreChanges(CMouseProfiledata& profile);

  // ---- stages ----
  const std::vector<DPIStage>& Stages() const { return stages_; }
  int CurrentStage() const { return currentStage_; }
  // The current stage is always one that is on (while any is): the mouse is never sent to a
  // stage that is switched off.
  // At most seven stages are kept; a current stage the new list switches off moves to the first
  // stage that is on.
  void SetStages(const std::vector<DPIStage>& stages);
  // False (and nothing changes) for an index outside 0 ... 6 and for a stage that is off.
  bool SetCurrentStage(int stage);
  // The list grows to reach `stage` when needed. False for an index outside 0 ... 6, and for
  // switching off the current stage or the last one that is on.
  bool SetStageEnabled(int stage, bool enabled);
  bool CanDisableStage(int stage) const;
  bool SetStageValue(int stage, uint16_t sensorId, int value);
  bool SetStageColour(int stage, uint8_t red, uint8_t green, uint8_t blue);
  bool IsStageEnabled(int stage) const;
  int EnabledStageCount() const;

  // ---- the system block ----
  const MouseSystemBlock& System() const { return system_; }
  void SetSystem(const MouseSystemBlock& block);
  // One half of one word, the rest of the block as it is.
  void SetSystemHalf(size_t word, bool high, uint16_t value);
  // The smaller of the two device sleep times, in minutes.
  int KeepAliveMinutes() const;

  // ---- lighting and keys ----
  const LightInfoRecord& Light() const { return light_; }
  void SetLight(const LightInfoRecord& light);
  // The lighting record and the device's code for its mode, which the settings page carries in
  // its mode byte (kept in the system block).
  void SetLighting(const LightInfoRecord& light, uint16_t modeCode);
  const AudioLightRecord& AudioLight() const { return audio_; }
  void SetAudioLight(const AudioLightRecord& audio);
  const std::vector<KeyAssignmentPair>& Keys() const { return keys_; }
  void SetKeys(const std::vector<KeyAssignmentPair>& keys);

  // ---- the settings page ----
  SettingsPageBytes EncodeSettingsPage(uint8_t profileByte) const;
  // Takes what a page read from the mouse holds: the system block, the current stage and the
  // lighting (the stages stay the profile's). `lightModeCodes` maps the page's mode code to a mode index.
  DecodedSettingsPage TakeSettingsPage(const SettingsPageBytes& raw, uint8_t activePage,
                                       std::span<const uint8_t> lightModeCodes);

 private:
  enum Record : unsigned { kStages = 1, kCurrentStage = 2, kSystem = 4, kLight = 8, kKeys = 16, kAudio = 32 };
  void Changed(Record record) { changed_ |= record; }
  DPIStage* StageAt(int stage);
  void KeepCurrentStageEnabled();

  std::vector<DPIStage> stages_;
  int currentStage_ = 0;
  MouseSystemBlock system_{};
  LightInfoRecord light_{};
  AudioLightRecord audio_{};
  std::vector<KeyAssignmentPair> keys_;
  unsigned changed_ = 0;
};
