#pragma once

#include <span>

#include "devices/mousepad/pad_settings_page.h"
#include "profiles/basic_profile_data.h"
#include "profiles/records/lighting_records.h"

// The mouse pad's profile state while the program runs: its lighting record, its audio-light
// record and the host copy of its settings page. The one place these live: the page and the
// lighting editor show them, the page sent to the pad is encoded from them, and the profile
// document takes what changed before it is saved. No toolkit or device code.
class CPadModel {
 public:
  // The records from the profile; bytes 1-8 of the page copy follow the lighting record.
  void LoadFrom(CBasicProfiledata& profile);
  // Writes the records changed since the last load or store into the document.
  void StoreChanges(CBasicProfiledata& profile);

  const LightInfoRecord& Light() const { return light_; }
  // The lighting record, with bytes 1-8 of the page copy.
  void SetLight(const LightInfoRecord& light);
  const AudioLightRecord& AudioLight() const { return audio_; }
  void SetAudioLight(const AudioLightRecord& audio);

  const PadSettingsBlock& Page() const { return page_; }
  // A page read from the pad: it becomes the copy, and its lighting the lighting record.
  void TakePage(const PadSettingsBlock& page);
  PadPageBytes EncodePage(std::span<const int> modeCodes) const { return EncodePadPage(page_, modeCodes); }

 private:
  enum Changed : unsigned { kLight = 1, kAudio = 2 };

  LightInfoRecord light_{};
  AudioLightRecord audio_{};
  PadSettingsBlock page_{};
  unsigned changed_ = 0;
};
