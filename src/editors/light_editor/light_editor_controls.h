#pragma once

// The names by which the lighting editor finds its controls in its layout
// ("XML\CustomControlXML\LightControl.xml").
namespace light_editor {

inline constexpr const char* kLayoutFile = "XML\\CustomControlXML\\LightControl.xml";

inline constexpr const char* kModeCombo = "light_combo_modeSelect";
inline constexpr const char* kCustomGroupCombo = "light_combo_custommodeSelect";
inline constexpr const char* kSecondModeCombo = "light_combo_ZZCCmodeSelect";
inline constexpr const char* kSecondModeLayout = "light_combo_ZZCCmodeSelectLayout";
inline constexpr const char* kAudioModeCombo = "light_combo_audiomodeSelect";
inline constexpr const char* kAudioModeLayout = "light_combo_AudiomodeSelectLayout";

inline constexpr const char* kBrightnessSlider = "deng_light_slider";
inline constexpr const char* kSpeedSlider = "deng_speed_slider";
inline constexpr const char* kBrightnessLayout = "deng_light_layout";
inline constexpr const char* kSpeedLayout = "deng_speed_layout";

inline constexpr const char* kRedEdit = "deng_edit_R";
inline constexpr const char* kGreenEdit = "deng_edit_G";
inline constexpr const char* kBlueEdit = "deng_edit_B";
inline constexpr const char* kPalette = "deng_Color_Pallet";
inline constexpr const char* kPaletteLayout = "colorpallet_layout";
inline constexpr const char* kColourButton = "deng_colordp_btn";
inline constexpr const char* kColourOption = "color_option_";  // + n
inline constexpr int kColourOptionCount = 8;
inline constexpr const char* kSevenColourCheck = "deng_7color_check";
inline constexpr const char* kLeftOption = "deng_FXL_check";
inline constexpr const char* kRightOption = "deng_FXR_check";
inline constexpr const char* kDirectionLayout = "deng_fx_layout";
inline constexpr const char* kSameModeButton = "deng_same_mode";

inline constexpr const char* kEffectLayout = "lighteffect_layout";
inline constexpr const char* kColourLayout = "deng_color_layout";
inline constexpr const char* kRgbLayout = "deng_rgb_layout";
inline constexpr const char* kColourGroupLayout = "light_color_layout";
inline constexpr const char* kCustomGroupLayout = "lightcustom_layout";
inline constexpr const char* kColourPages = "light_color_tablayout";

inline constexpr const char* kAudioSevenColourCheck = "deng_7audiocolor_check";
inline constexpr const char* kAudioBackgroundOption = "audio_BkColor_check";
inline constexpr const char* kAudioForegroundOption = "audio_FgColor_check";
inline constexpr const char* kAudioRedEdit = "deng_audioedit_R";
inline constexpr const char* kAudioGreenEdit = "deng_audioedit_G";
inline constexpr const char* kAudioBlueEdit = "deng_audioedit_B";
inline constexpr const char* kAudioPalette = "deng_audioColor_Pallet";
inline constexpr const char* kAudioColourButton = "deng_audiocolordp_btn";
inline constexpr const char* kAudioColourOption = "audiocolor_option_";  // + n
inline constexpr const char* kAudioColourLayout = "light_audiocolor_layout";
inline constexpr const char* kAudioPaletteLayout = "audiocolorpallet_layout";

// The audio style whose colours come from the sound itself.
inline constexpr int kAudioModeWithoutColours = 3;

}  // namespace light_editor
