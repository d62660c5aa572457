// The audio light: the style of the audio-driven mode and its background and foreground colours.
// These are kept in the profile; the lights themselves follow the sound.
#include "editors/light_editor/light_control_ui.h"

#include "editors/light_editor/light_editor_controls.h"
#include "platform/debug_output.h"
#include "ui/toolkit/controls/color_palette_ui.h"
#include "ui/controls/group_enabled.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/option_ui.h"

using namespace light_editor;

namespace {

constexpr DWORD kOpaque = 0xFF000000u;

DWORD ColourOf(uint8_t red, uint8_t green, uint8_t blue) {
  return (DWORD{red} << 16) | (DWORD{green} << 8) | blue;
}

}  // namespace

// A skin without one of the audio controls is broken; the audio light is then left alone (and the
// trace says which operation found it so) rather than half shown.
bool CLightControlUI::AudioControlsPresent(const char* operation) const {
  const bool present = audioModeCombo_ && audioSevenColour_ && audioBackground_ && audioForeground_ && audioPalette_ &&
                       audioColourButton_ && audioEdits_[0] && audioEdits_[1] && audioEdits_[2];
  if (!present) OutputDebugString(std::string(operation) + " control is NULL");
  return present;
}

void CLightControlUI::SetAudioLightInfo(uint32_t word0, uint32_t word1, uint8_t flag) {
  ShowAudioLight(UnpackAudioLight(word0, word1, flag));
}

void CLightControlUI::ShowAudioLight(const AudioLightRecord& audio) {
  audio_ = audio;
  if (!AudioControlsPresent(" SetAudioLightInfo")) return;
  audioModeCombo_->SelectItem(audio.AudioMode < audioModeCombo_->GetCount() ? audio.AudioMode : -1, false);
  DWORD colour = 0;
  if (audio.ColorTypeFlags) {
    colour = ColourOf(audio.FgColorR, audio.FgColorG, audio.FgColorB);
    audioForeground_->Selected(true, false);
    audioBackground_->Selected(false, false);
    audioSevenColour_->Selected(audio.SevenColorFlags != 0, false);
  } else {
    colour = ColourOf(audio.BkColorR, audio.BkColorG, audio.BkColorB);
    audioBackground_->Selected(true, false);
    audioForeground_->Selected(false, false);
  }
  ShowAudioColour(kOpaque | colour);
  const bool coloursUsed = audio.AudioMode != kAudioModeWithoutColours;
  SetGroupEnabled(audioColourLayout_, coloursUsed, "light_tip_audio_colours_from_sound");
  SetGroupEnabled(audioPaletteLayout_, coloursUsed, "light_tip_audio_colours_from_sound");
}

void CLightControlUI::ShowAudioColour(DWORD argb) {
  if (!AudioControlsPresent(" SetAudioLightInfo")) return;
  audioEdits_[0]->SetText(std::to_string(static_cast<uint8_t>(argb >> 16)).c_str());
  audioEdits_[1]->SetText(std::to_string(static_cast<uint8_t>(argb >> 8)).c_str());
  audioEdits_[2]->SetText(std::to_string(static_cast<uint8_t>(argb)).c_str());
  audioPalette_->SetSelectColor(argb);
  audioColourButton_->SetBkColor(argb);
}

AudioLightRecord CLightControlUI::GetAudioLightInfo(bool takeColour) {
  if (!AudioControlsPresent("GetAudioLightInfo")) return audio_;
  const int style = audioModeCombo_->GetCurSel();
  audio_.AudioMode = static_cast<uint8_t>(style < 0 ? 0 : style);
  audio_.SevenColorFlags = audioSevenColour_->IsSelected() ? 1 : 0;
  const bool background = audioBackground_->IsSelected();
  const bool foreground = audioForeground_->IsSelected();
  const bool wasForeground = audio_.ColorTypeFlags != 0;
  audio_.ColorTypeFlags = !((wasForeground && background) || (!wasForeground && background && !foreground)) ? 1 : 0;
  if (takeColour) {
    const DWORD colour = audioColourButton_->GetBkColor();
    const auto red = static_cast<uint8_t>(colour >> 16);
    const auto green = static_cast<uint8_t>(colour >> 8);
    const auto blue = static_cast<uint8_t>(colour);
    if (audio_.ColorTypeFlags) {
      audio_.FgColorR = red, audio_.FgColorG = green, audio_.FgColorB = blue;
    } else {
      audio_.BkColorR = red, audio_.BkColorG = green, audio_.BkColorB = blue;
    }
  }
  return audio_;
}

DWORD CLightControlUI::GetLightAudioColor(int n) const {
  const CControlUI* option = FindOption(kAudioColourOption, n);
  return option ? option->GetBkColor() : 0;
}

std::string CLightControlUI::GetAudioColourText(int component) const {
  if (component < 0 || component > 2) return {};
  if (!audioEdits_[static_cast<size_t>(component)]) {
    OutputDebugString("GetLightAudioColor control is NULL");
    return {};
  }
  return audioEdits_[static_cast<size_t>(component)]->GetText().str();
}
