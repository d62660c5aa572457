#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "devices/device_worker.h"
#include "devices/mouse/button_record_map.h"
#include "devices/mouse/device_info_block.h"
#include "devices/mouse/sensitivity_rule.h"
#include "devices/mouse/settings_page.h"
#include "devices/velmar_usb_device.h"
#include "profiles/macros/macro_block_builder.h"
#include "profiles/mouse_profile_data.h"

class CControlUI;

// The mouse (on its cable, kind 2, or through its receiver, kind 6): reads its information block,
// button table and settings page, shows them on the mouse page, writes every change back at once,
// keeps the profile in step, answers its event reports, shows battery and link state and animates
// the lighting preview.
class CVelmarMouseDevice : public CVelmarUSBDevice {
 public:
  explicit CVelmarMouseDevice(IHidBackend& backend);
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
  void SetProfileFiles() override;
  void LoadLighting() override;
  void LoadPageFromProfile() override;
  void ShowSettings() override;
  void RepairMacroKeys() override;
  void ApplyProfile() override;
  int LoadSelectedProfile() override;
  std::vector<int> GetMacroList() override;
  int WriteKeyAssignments(int bank, const std::vector<KeyAssignmentPair>& keys) override;
  int WriteMacros(const std::vector<int>& imageOrder) override;
  int ApplySettings(int page, int profileByte, int a, int b, int c) override;
  void LoadLightAndMacroNames() override;
  void SetFunctionType(int type) override;
  std::string GetProfileName() override;
  void SaveProfile() override;
  void SetLightEffect(int mode, int speed, int brightness, uint32_t colour) override;
  void SelectKey(int index) override;

  // ---- the mouse's own operations ----
  void InitMousePage();
  // Gives the page's profile panel the mouse's profile folder and takes its selected profile.
  void BindProfilePanel();
  LightEffectParams GetLightEffect() const { return PreviewParams(); }
  void PreviewWave();
  void PreviewLevelWave();
  void PreviewReactive();

  // Called by the router for the page's controls.
  void SetCurrentStage(int stage);
  void SetStages(const std::vector<DPIStage>& stages);
  const std::vector<DPIStage>& GetStages() const { return stages_; }
  int GetCurrentStage() const { return currentStage_; }
  DWORD GetStageColour(int stage) const;
  void SetStageColour(int stage, DWORD colour);
  void SetSystemBlock(const MouseSystemBlock& block);
  const MouseSystemBlock& GetSystemBlock() const { return systemBlock_; }
  // The user moved stage i's slider (dragging: shows the number only) or typed into its edit.
  void OnStageSliderMoved(int stage, bool save);
  void OnStageEditTyped(int stage);
  // Enables or disables stage i and writes the change.
  void SetStageEnabled(int stage, bool enabled);
  void ShowStageEnabled(int stage, bool enabled);
  void ShowStageValue(int stage, int value);
  // Shows settings sub-page n.
  void ShowSettingsPage(int page);
  void MarkInitialised();
  int WriteRecoilData(const std::vector<uint8_t>& tables);

  // Which profile file the page works on: the profile panel hands the selected profile's id over.
  // The name is stamped into a profile file rebuilt without it.
  void SetSelectedProfileId(const std::string& id, const std::string& name = {}) {
    profileId_ = id;
    profileName_ = name;
  }
  const std::string& GetSelectedProfileId() const { return profileId_; }
  // The per-user data folder ("…/T640/mouse/"); by default the user's own.
  void SetDeviceFolder(const std::string& folder) { deviceFolder_ = folder; }
  const std::string& GetDeviceFolder() const { return deviceFolder_; }
  // The lighting mode codes of the mouse, in list order (a code's position is its mode index).
  void SetLightModeCodes(std::vector<uint8_t> codes) { lightModeCodes_ = std::move(codes); }

  // Read state, for the router, the editors and tests.
  const DeviceInfoBlock& GetDeviceInfo() const { return deviceInfo_; }
  const std::vector<uint8_t>& GetConfigImage() const { return configImage_; }
  const ButtonRecordMap& GetButtonRecordMap() const { return buttonMap_; }
  int GetActiveProfile() const { return activeProfile_.load(); }
  const std::vector<KeyAssignmentPair>& GetKeyList() const { return keyList_; }
  CMouseProfiledata& ProfileData() { return profile_; }
  bool IsLightThreadRunning() const { return lightThread_.IsRunning(); }

  // Reads the settings page into the lighting, the system block and the profile. The active
  // profile number, or 0 when it could not be read.
  int ReadSettingsPage();
  bool ReadDeviceData();

 protected:
  void OnEventReport(bool cablePort, const uint8_t* report, uint32_t length) override;
  std::string ListenerExitTrace() const override;

 private:
  void StartLightThread();
  void RunLightThread(CEvent& stop);
  void RunModeStep();
  bool LinkedForTransfer();
  void ApplyStageSliderRanges();
  void ShowStageColour(int stage, const DPIStage& record);
  void ShowSystemBlock();
  void SelectOptionByIndex(const std::string& prefix, int index, int count);
  void SelectComboByNumber(const std::string& name, int value);
  void ShowSliderValue(const std::string& name, int value);
  void ShowCheck(const std::string& name, bool checked);
  void ShowStageNumber(int stage, int value);
  void StoreAndWriteStages();
  // Builds the image of the macros the key list uses and sends it; the block's status tells why
  // nothing was sent.
  MacroBlockBuild BuildMacroImage(const std::vector<int>& imageOrder);
  int SendMacroImage(const MacroBlockBuild& block);

  CMouseProfiledata profile_;
  std::string profileId_;
  std::string profileName_;
  std::string deviceFolder_;
  std::vector<uint8_t> lightModeCodes_;

  DeviceInfoBlock deviceInfo_{};
  std::vector<uint8_t> configImage_;
  ButtonRecordMap buttonMap_{};
  std::atomic<int> activeProfile_{0};
  SettingsPageBytes lastPage_{};
  uint8_t logoModeCode_ = 0;

  std::vector<DPIStage> stages_;
  int currentStage_ = 0;
  MouseSystemBlock systemBlock_{};
  std::vector<KeyAssignmentPair> keyList_;
  int macroCount_ = 0;

  std::atomic<bool> lightPaused_{false};
  CDeviceWorker lightThread_;
  std::vector<CControlUI*> editorItems_;
};
