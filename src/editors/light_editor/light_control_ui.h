#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "profiles/records/lighting_records.h"
#include "ui/toolkit/control_routes.h"
#include "ui/toolkit/vertical_layout_ui.h"

class CColorPaletteUI;
class CComboUI;
class CEditUI;
class COptionUI;
class CSliderUI;
class CTabLayoutUI;
class CVelmarUSBDevice;
class IEditorHost;

// The lighting editor of a device page: the mode, its brightness, speed, direction and colour, and
// for the audio-driven mode the audio light's colours. It shows the device's lighting record and
// enables exactly what the chosen mode uses (light_mode_layout.h, by the device's light type).
// Every change is applied at once: the device keeps the patched record in its profile and writes
// its settings to the hardware; audio colours are kept but not sent. The same-mode button copies
// the lighting to every connected device (light_same_mode.cpp). Its content comes from
// "XML\CustomControlXML\LightControl.xml". Window thread only.
class CLightControlUI : public CVerticalLayoutUI, public IControlRoutes {
 public:
  CLightControlUI();
  ~CLightControlUI() override;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void DoInit() override;

  // The editor works on the device's lighting from now on: looks its controls up, takes the
  // device's light type and mode names and shows its records.
  void Bind(CVelmarUSBDevice& device, IEditorHost& host);
  // The device's names and records again (after a read, a profile switch or a same-mode copy),
  // as the device last read them.
  void ShowDevice();

  // ---- the operations ----
  void FindControls();
  void InitModes(const std::vector<std::string>& names, const std::vector<bool>& visible, int maxBrightness,
                 int maxSpeed);
  // A lighting record given as its first three words.
  void ShowLightInfo(uint32_t word0, uint32_t word1, uint32_t word2);
  void ShowLightRecord(const LightInfoRecord& light);
  void SelectMode(int index);
  int GetSelectedMode() const;
  void SelectCustomMode(int index);
  int GetSelectedCustomMode() const;
  void SelectSecondMode(int index);
  int GetSecondMode() const;
  void SetBrightness(int value);
  int GetBrightness() const;
  void SetSpeed(int value);
  int GetSpeed() const;
  // component 0 red, 1 green, 2 blue.
  void SetColourText(int component, const std::string& text);
  std::string GetColourText(int component) const;
  void SetPaletteColour(DWORD argb);
  DWORD GetPaletteColour() const;
  DWORD GetColourOption(int n) const;
  void SetSevenColour(bool on);
  bool IsSevenColour() const;
  void SetFxDirection(int flag);
  void SetLightType(int type);
  int GetLightType() const { return lightType_; }
  void SetSameModeAllowed(bool allowed);
  bool IsSameModeAllowed() const { return sameModeAllowed_; }
  void ApplyModeLayout(int lightType, int mode);

  // ---- the audio light (light_control_audio.cpp) ----
  void SetAudioLightInfo(uint32_t word0, uint32_t word1, uint8_t flag);
  void ShowAudioLight(const AudioLightRecord& audio);
  AudioLightRecord GetAudioLightInfo(bool takeColour);
  DWORD GetLightAudioColor(int n) const;
  std::string GetAudioColourText(int component) const;

  // ---- the copy to every device (light_same_mode.cpp) ----
  // The device's lighting becomes every connected device's, in each kind's own mode for the
  // effect, and the devices' lights run in step. False (nothing changes) for a mode that has no
  // shared effect.
  bool CopyToAllDevices();

  // ---- routes (light_editor_routes.cpp) ----
  bool RouteNotify(NotifyKind kind, TNotifyUI& msg) override;
  static std::span<const RouteRow<CLightControlUI>> Rows();

 private:
  static const RouteRow<CLightControlUI> kRouteRows[];

  bool EnsureContent();
  CControlUI* Find(const char* name) const;
  CControlUI* FindOption(const char* prefix, int n) const;
  // The colour of the colour edits, with their values clamped into 0 … 255 and shown so.
  DWORD TakeColourEdits(const std::array<CEditUI*, 3>& edits);
  void ShowColour(DWORD argb);
  void ShowAudioColour(DWORD argb);
  bool AudioControlsPresent(const char* operation) const;

  // The device's record with one change, kept, saved and written to the device; the device stops
  // taking part in the shared lighting first.
  template <typename Patch>
  void PatchAndSend(Patch&& patch);
  void StoreAudioLight(const AudioLightRecord& audio);
  void ChangeAudioColour(DWORD argb);
  void PickColour(DWORD argb);

  // Route handlers.
  void OnMode(TNotifyUI& msg, int index);
  void OnSecondMode(TNotifyUI& msg, int index);
  void OnCustomGroup(TNotifyUI& msg, int index);
  void OnBrightness(TNotifyUI& msg, int index);
  void OnSpeed(TNotifyUI& msg, int index);
  void OnDirection(TNotifyUI& msg, int index);
  void OnSevenColour(TNotifyUI& msg, int index);
  void OnPalette(TNotifyUI& msg, int index);
  void OnColourOption(TNotifyUI& msg, int index);
  void OnColourEdit(TNotifyUI& msg, int index);
  void OnSameMode(TNotifyUI& msg, int index);
  void OnAudioChoice(TNotifyUI& msg, int index);
  void OnAudioPalette(TNotifyUI& msg, int index);
  void OnAudioColourOption(TNotifyUI& msg, int index);
  void OnAudioColourEdit(TNotifyUI& msg, int index);
  void OnLightZone(TNotifyUI& msg, int index);

  CVelmarUSBDevice* device_ = nullptr;
  IEditorHost* host_ = nullptr;
  bool contentBuilt_ = false;
  int lightType_ = 0;
  bool sameModeAllowed_ = false;
  AudioLightRecord audio_{};
  std::vector<std::string> shownModeNames_;

  CComboUI* modeCombo_ = nullptr;
  CComboUI* customGroupCombo_ = nullptr;
  CComboUI* secondModeCombo_ = nullptr;
  CComboUI* audioModeCombo_ = nullptr;
  CControlUI* secondModeLayout_ = nullptr;
  CControlUI* audioModeLayout_ = nullptr;
  CSliderUI* brightness_ = nullptr;
  CSliderUI* speed_ = nullptr;
  CControlUI* brightnessLayout_ = nullptr;
  CControlUI* speedLayout_ = nullptr;
  std::array<CEditUI*, 3> colourEdits_{};
  CColorPaletteUI* palette_ = nullptr;
  CControlUI* paletteLayout_ = nullptr;
  CControlUI* colourButton_ = nullptr;
  COptionUI* sevenColour_ = nullptr;
  COptionUI* leftOption_ = nullptr;
  COptionUI* rightOption_ = nullptr;
  CControlUI* directionLayout_ = nullptr;
  CControlUI* sameModeButton_ = nullptr;
  CControlUI* effectLayout_ = nullptr;
  CControlUI* colourLayout_ = nullptr;
  CControlUI* rgbLayout_ = nullptr;
  CControlUI* colourGroupLayout_ = nullptr;
  CControlUI* customGroupLayout_ = nullptr;
  CTabLayoutUI* colourPages_ = nullptr;
  COptionUI* audioSevenColour_ = nullptr;
  COptionUI* audioBackground_ = nullptr;
  COptionUI* audioForeground_ = nullptr;
  std::array<CEditUI*, 3> audioEdits_{};
  CColorPaletteUI* audioPalette_ = nullptr;
  CControlUI* audioColourButton_ = nullptr;
  CControlUI* audioColourLayout_ = nullptr;
  CControlUI* audioPaletteLayout_ = nullptr;
};
