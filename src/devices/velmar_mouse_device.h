#pragma once
// The mouse's facade over its driver, model and page.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "devices/light_step_thread.h"
#include "devices/mouse/driver/mouse_driver.h"
#include "devices/mouse/model/mouse_model.h"
#include "devices/mouse/page/mouse_page_routes.h"
#include "devices/mouse/page/mouse_page_view.h"
#include "devices/mouse/sensitivity_rule.h"
#include "devices/velmar_usb_device.h"
#include "profiles/macros/macro_block_builder.h"
#include "profiles/mouse_profile_data.h"

// The mouse (on its cable, kind 2, or through its receiver, kind 6) as the rest of the program
// sees it: a facade that keeps the device interface's operations and hands each to the part that
// owns it. The driver (mouse/driver) talks to the mouse and keeps what it was read to store; the
// model (mouse/model) holds the profile's stages, system block, lighting and keys; the page view
// (mouse/page) shows the model, and the page's routes bring the user's edits back here. This file
// owns the order of things: what is read, saved, shown and written when.
class CVelmarMouseDevice : public CVelmarUSBDevice {
 public:
  explicit CVelmarMouseDevice(IHidBackend& backend, IClock& clock = SystemClock());
  ~CVelmarMouseDevice() override;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  // ---- the device interface ----
  void InitDevicePage() override;
  void ReadAll() override;
  void SyncFromDevice() override;
  void RefreshStatus() override;
  bool IsLinked() override;
  int KeepAliveMinutes() override;
  void LoadLighting() override;
  void ShowSettings() override;
  int LoadSelectedProfile() override;
  int ApplySettings() override;
  void SaveProfile() override;
  void MarkInitialised() override;
  std::vector<int> GetMacroList() override;
  int WriteKeyAssignments(int bank, const std::vector<KeyAssignmentPair>& keys) override;
  int WriteMacros(const std::vector<int>& imageOrder) override;
  void RepairMacroKeys() override;
  std::vector<KeyAssignmentPair> GetKeyAssignments() const override { return model_.Keys(); }
  void SetKeyAssignments(const std::vector<KeyAssignmentPair>& keys) override;
  void SelectKey(int index) override;
  std::string KeyNameKey(int index) const override;
  // The picture's zones and the hint say what each button does now.
  void ShowKeyFunctions();
  void SetFunctionType(int type) override;
  void SetLightEffect(int mode, int speed, int brightness, uint32_t colour) override;
  LightInfoRecord GetLightInfo() const override { return model_.Light(); }
  void SetLightInfo(const LightInfoRecord& light) override;
  AudioLightRecord GetAudioLightInfo() const override { return model_.AudioLight(); }
  void SetAudioLightInfo(const AudioLightRecord& audio) override;

  // ---- reading ----
  // The information block (a fresh mouse is claimed first), then the button image; the owner
  // window hears whether the block was valid and whether the firmware is too old.
  bool ReadDeviceData();
  // The active settings page into the model, saved to the profile. The active profile number, or
  // 0 when the page could not be read.
  int ReadSettingsPage();
  // The chosen profile into the model (opening the kind's profiles on first use), and its
  // lighting into the preview.
  void LoadPageFromProfile();
  // As LoadPageFromProfile, then saved and shown.
  void ApplyProfile();

  // ---- edits from the page (mouse/page/mouse_page_routes.cpp) ----
  // False when the stage is off (or outside 0 … 6): the current stage stays.
  bool SetCurrentStage(int stage);
  void SetStages(const std::vector<DPIStage>& stages);
  // Stage i's slider moved (dragging shows the number only) or a number was typed into its edit.
  void OnStageSliderMoved(int stage, bool save);
  void OnStageEditTyped(int stage);
  // Enables or disables stage i and writes the change.
  void SetStageEnabled(int stage, bool enabled);
  DWORD GetStageColour(int stage) const { return view_.StageColour(stage); }
  void SetStageColour(int stage, DWORD colour);
  void SetSystemBlock(const MouseSystemBlock& block) { model_.SetSystem(block); }
  const MouseSystemBlock& GetSystemBlock() const { return model_.System(); }
  // One half of one system word := value (a negative value is ignored), then saved and written.
  void ChangeSystemHalf(size_t word, bool high, int value);
  // Saves the profile and writes the settings page.
  void CommitSettings();
  void ShowSettingsPage(int page);
  // The keep-alive follows changed sleep times at once.
  void RestartKeepAlive();
  int WriteRecoilData(const std::vector<uint8_t>& tables);
  // The settings page's mode code `code` chosen on the page: the lighting mode it stands for is
  // kept, saved and written, and the lighting editor follows.
  void ChooseLightModeCode(int code);

  // ---- state, for the editors and tests ----
  const std::vector<DPIStage>& GetStages() const { return model_.Stages(); }
  int GetCurrentStage() const { return model_.CurrentStage(); }
  const std::vector<KeyAssignmentPair>& GetKeyList() const { return model_.Keys(); }
  const DeviceInfoBlock& GetDeviceInfo() const { return driver_.Info(); }
  const std::vector<uint8_t>& GetConfigImage() const { return driver_.ConfigImage(); }
  const ButtonRecordMap& GetButtonRecordMap() const { return driver_.ButtonMap(); }
  int GetActiveProfile() const { return driver_.ActiveProfile(); }
  CMouseProfiledata& ProfileData() { return profile_; }
  CMouseModel& Model() { return model_; }
  bool IsLightThreadRunning() const { return lightThread_.IsRunning(); }
  // Preview steps the light thread has run.
  uint64_t LightSteps() const { return lightThread_.Steps(); }
  // Whether the light thread sleeps until poked (nothing to show, or a still frame).
  bool IsLightThreadResting() const { return lightThread_.IsResting(); }

 protected:
  void OnEventReport(bool cablePort, const uint8_t* report, uint32_t length) override;
  std::string ListenerExitTrace() const override;

 private:
  CMouseProfiledata& CreateProfileSession();
  // The user's own folder of the kind unless one was set.
  void EnsureDeviceFolder();
  SensitivityRule Rule() const { return SensitivityRuleOf(driver_.Info()); }
  // Whether a preview step would be seen now.
  bool LightStepsSeen();
  LightStepRules LightRules();
  // The model's changes into the document, then the document to its file.
  void StoreProfile();
  int MacroCount() const;

  CMouseProfiledata& profile_;  // the session's document
  CMouseDriver driver_;
  CMouseModel model_;
  CMousePageView view_;
  CMousePageRoutes routes_{*this};

  std::atomic<bool> lightPaused_{false};
  CLightStepThread lightThread_{LightPreview(), Clock(), LightRules()};
};
