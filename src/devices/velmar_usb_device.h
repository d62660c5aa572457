#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "devices/device_event_port.h"
#include "devices/lighting/light_preview.h"
#include "profiles/records/key_assignment.h"
#include "transport/supported_devices.h"
#include "transport/usb_command_channel.h"
#include "ui/toolkit/horizontal_layout_ui.h"
#include "ui/toolkit/notify_pump.h"

class CDeviceKeyButtonUI;
class CDeviceProfileUI;
class CMpDevicePowerUI;
class IDeviceTile;

// One supported device: its driver (command channel, event ports, every transaction) and at the
// same time its page in the main window (a container whose children are the device's editors).
// A device object lives from its creation until the main window closes; a device that comes and
// goes is modelled by opening and closing its ports.
//
// Threads: the object lives on the user-interface thread (timers, attach, switch, detach, every
// control). Its event listeners and light thread only decode and compute; whatever touches a
// control they hand to the user-interface thread. The lighting preview is shared with the light
// thread under its own lock; the command channel orders all device traffic.
class CVelmarUSBDevice : public CHorizontalLayoutUI, public CNotifyPump, public INotifyUI {
 public:
  explicit CVelmarUSBDevice(IHidBackend& backend);
  ~CVelmarUSBDevice() override;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void Notify(TNotifyUI& msg) override;

  // ---- the device interface, in its fixed order ----
  virtual void InitDevicePage();
  virtual void LoadLighting() {}
  // The seven base lighting-preview steps.
  virtual void PreviewBreathingWheel();
  virtual void PreviewBreathingSevenColours();
  virtual void PreviewStatic();
  virtual void PreviewSpectrum();
  virtual void PreviewBlinkWheel();
  virtual void PreviewBlinkFourColours();
  virtual void PreviewOff();
  // Unchanged entries are not pushed again.
  virtual void PushLightPreview();
  virtual void SetLightEntry(int index, uint32_t value);
  virtual uint32_t GetLightEntry(int index) const;
  virtual void ReadAll() {}
  virtual void SyncFromDevice() {}
  virtual void OnTimerHook3() {}
  virtual void OnTimerHook4() {}
  virtual void RefreshStatus() {}
  virtual bool IsLinked() { return true; }
  virtual int KeepAliveMinutes() { return 1; }
  virtual void LoadPageFromProfile() {}
  virtual void ShowSettings() {}
  virtual void RepairMacroKeys() {}
  virtual void ApplyProfile() {}
  // The profile panel selected another profile, or reset the selected one: the device takes the
  // panel's selected profile, shows it and writes it to the device — settings and lighting, then
  // the macros its keys use and the key assignments. Returns the macro transfer's result: 0 sent
  // (or nothing to send, or no device to send to), -1 not sent, or how many macro actions must go
  // before the macros fit (then neither macros nor keys were sent).
  virtual int LoadSelectedProfile() { return 0; }
  // The page's profile panel ("DeviceProfileItem"), or null when the page has none.
  CDeviceProfileUI* GetProfilePanel() const;
  virtual std::vector<int> GetMacroList() { return {}; }
  virtual int WriteKeyAssignments(int /*bank*/, const std::vector<KeyAssignmentPair>& /*keys*/) { return 0; }
  virtual int WriteKeyExtra() { return 0; }
  virtual int WriteMacros(const std::vector<int>& /*imageOrder*/) { return 0; }
  virtual int ApplySettings(int /*page*/, int /*profileByte*/, int /*a*/, int /*b*/, int /*c*/) { return 0; }
  virtual void LoadLightAndMacroNames() {}
  virtual void SetKeyMap(const std::map<int, int>& keyMap) { keyMap_ = keyMap; }
  // The four level-array steps of the audio-driven effects.
  virtual void DecayLevels();
  virtual void RaisePeakLevels();
  virtual void RotatePeakRing(bool forward);
  virtual void ClearLevels();
  virtual void SetFunctionType(int type);
  virtual int GetFunctionType() const { return functionType_; }
  virtual void SetProfileFiles() {}
  virtual std::string GetProfileName() { return {}; }
  virtual void SaveProfile() {}
  virtual void SetIconIndex(int index) { iconIndex_ = index; }
  virtual int GetIconIndex() const { return iconIndex_; }
  virtual void SetLightEffect(int mode, int speed, int brightness, uint32_t colour);
  virtual void SetLightColour(uint8_t red, uint8_t green, uint8_t blue);
  virtual uint32_t GetLightColour();
  virtual void SelectKey(int index) { selectedKey_ = index; }
  virtual void ReceiveAudioLevels(const uint32_t* /*levels*/, size_t /*count*/) {}
  virtual void ReceiveAudioBlock(const uint8_t* /*block*/, size_t /*count*/) {}

  // ---- the tile's timers (user-interface thread) ----
  void OnTileTimer(uint32_t timerId);

  // ---- attach, switch, detach (user-interface thread) ----
  // Opens the command interface of `slot` unless the channel is already open; `identity` is the
  // entry the device is known by (the cable row for a receiver slot with a partner). Starts the
  // link watch either way. True when the channel is open afterwards.
  bool AttachCommandInterface(const DeviceEntry& slot, const DeviceEntry& identity);
  // The device is reached both ways and one of them changes: reopens the port not in use on
  // `path` (the cable's when the device is in receiver mode, else the receiver's) and flips the
  // mode. False when the port did not open.
  bool SwitchConnection(const std::string& path);
  void DetachCommandInterface();
  // Event interfaces by device kind: a receiver kind (6, 9) is the receiver port, any other kind
  // the cable port. Re-attaching detaches first.
  bool AttachEventPort(uint16_t kind, const std::string& path);
  void DetachEventPort(uint16_t kind);

  // ---- accessors ----
  CUsbCommandChannel& Channel() { return channel_; }
  CDeviceEventPort& CableEventPort() { return cableEventPort_; }
  CDeviceEventPort& ReceiverEventPort() { return receiverEventPort_; }
  uint16_t GetDeviceKind() const { return deviceKind_; }
  uint16_t GetInterfaceRole() const { return interfaceRole_; }
  void SetDeviceEntry(const DeviceEntry& entry);
  const DeviceEntry& GetDeviceEntry() const { return identity_; }
  void SetOwnerWindow(HWND owner) { owner_ = owner; }
  HWND GetOwnerWindow() const { return owner_; }
  void SetTile(IDeviceTile* tile) { tile_ = tile; }
  IDeviceTile* GetTile() const { return tile_; }
  void SetPowerDisplay(CMpDevicePowerUI* power) { power_ = power; }
  CMpDevicePowerUI* GetPowerDisplay() const { return power_; }

  // Kind data, set once at creation.
  void SetPageLayoutFile(const std::string& file) { pageLayoutFile_ = file; }
  const std::string& GetPageLayoutFile() const { return pageLayoutFile_; }
  void SetKindName(const std::string& name) { kindName_ = name; }
  const std::string& GetKindName() const { return kindName_; }
  void SetLightControlName(const std::string& name) { lightControlName_ = name; }
  const std::string& GetLightControlName() const { return lightControlName_; }
  void SetKindRowIndex(int row) { kindRowIndex_ = row; }
  int GetKindRowIndex() const { return kindRowIndex_; }
  void SetKeyCount(int count) { keyCount_ = count; }
  int GetKeyCount() const { return keyCount_; }
  void SetLightEntryCount(int count);
  int GetLightEntryCount() const { return lightEntryCount_; }
  void SetHasPowerDisplay(bool has) { hasPowerDisplay_ = has; }
  bool HasPowerDisplay() const { return hasPowerDisplay_; }
  void SetMouseExtra(int value) { mouseExtra_ = value; }
  int GetMouseExtra() const { return mouseExtra_; }

  int GetSelectedKey() const { return selectedKey_; }
  // Set by the main window while it is hidden in the tray.
  void SetWindowHidden(bool hidden) { windowHidden_.store(hidden); }
  bool IsWindowHidden() const { return windowHidden_.load(); }
  void SetHostControlsLighting(int value) { hostControlsLighting_.store(value); }
  int GetHostControlsLighting() const { return hostControlsLighting_.load(); }
  void SetAttended(int value) { attended_.store(value); }
  int GetAttended() const { return attended_.load(); }

  // How many times the tile's read (timer 1001) has run ReadAll: screenshots and tests wait for it.
  int CompletedReads() const { return completedReads_; }

  const std::vector<CDeviceKeyButtonUI*>& KeyControls() const { return keyControls_; }
  const std::vector<CDeviceKeyButtonUI*>& LightControls() const { return lightControls_; }
  // A copy of the preview's light entries.
  std::vector<LightEntry> LightEntries() const;

 protected:
  // Called on a listener thread for every report of an event port.
  virtual void OnEventReport(bool cablePort, const uint8_t* /*report*/, uint32_t /*length*/) { (void)cablePort; }
  // The debug line a listener writes when it ends.
  virtual std::string ListenerExitTrace() const { return {}; }

  // Runs `task` on the user-interface thread later, unless this device is gone by then. Any thread.
  void RunOnUiThread(std::function<void()> task);
  LRESULT SendToOwner(UINT message, WPARAM wParam, LPARAM lParam);
  void StartTileTimer(uint32_t timerId, uint32_t elapseMs);
  CControlUI* FindPageControl(const std::string& name) const;
  template <typename T>
  T* FindPageControlAs(const std::string& name, LPCTSTR interfaceName) const {
    CControlUI* control = FindPageControl(name);
    return control ? static_cast<T*>(control->GetInterface(interfaceName)) : nullptr;
  }
  // Collects the key buttons of every selection panel under `root` into the key and light lists
  // by their name prefixes.
  void CollectKeyButtons(CControlUI* root, const std::vector<std::string>& lightPrefixes);

  // Runs one preview step under the preview lock.
  template <typename Step>
  void WithPreview(Step&& step) {
    std::lock_guard<std::mutex> guard(previewMutex_);
    step(*preview_);
  }
  LightEffectParams PreviewParams() const;

  std::map<int, int> keyMap_;
  int functionType_ = 0;
  int selectedKey_ = -1;

 private:
  void OnPushPreviewTimer();
  void ArmPreviewTimer(uint32_t periodMs);
  void OnReadAllTimer();
  void OnLinkWatchTimer();
  void OnKeepAliveTimer();
  void ConnectThroughReceiver();
  void ConnectThroughCable();
  CDeviceEventPort* EventPortForKind(uint16_t kind);

  IHidBackend& backend_;
  CUsbCommandChannel channel_;
  CDeviceEventPort cableEventPort_;
  CDeviceEventPort receiverEventPort_;
  DeviceEntry identity_{};
  uint16_t deviceKind_ = 0;
  uint16_t interfaceRole_ = 0;
  HWND owner_ = nullptr;
  IDeviceTile* tile_ = nullptr;
  CMpDevicePowerUI* power_ = nullptr;

  std::string pageLayoutFile_;
  std::string kindName_;
  std::string lightControlName_;
  int kindRowIndex_ = -1;
  int iconIndex_ = 0;
  int keyCount_ = 0;
  int lightEntryCount_ = 0;
  bool hasPowerDisplay_ = false;
  int mouseExtra_ = -1;

  std::atomic<bool> windowHidden_{false};
  std::atomic<int> hostControlsLighting_{1};
  std::atomic<int> attended_{1};

  std::vector<CDeviceKeyButtonUI*> keyControls_;
  std::vector<CDeviceKeyButtonUI*> lightControls_;
  std::vector<LightEntry> pushedEntries_;  // what the light controls show
  bool previewChanged_ = false;            // the last push changed a light control
  uint32_t previewPeriodMs_ = 0;           // of the running preview timer; 0 when stopped
  int completedReads_ = 0;

  mutable std::mutex previewMutex_;
  std::unique_ptr<CLightPreview> preview_;

  // Tasks handed to the user-interface thread hold a weak reference; it expires with the device.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
