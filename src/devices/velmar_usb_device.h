#pragma once
// The device base: what every device kind shares, and the device interface the program calls.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devices/device_event_port.h"
#include "devices/device_light_preview.h"
#include "devices/device_page_table.h"
#include "devices/lighting/sync_light_engine.h"
#include "profiles/records/key_assignment.h"
#include "profiles/records/lighting_records.h"
#include "profiles/settings/light_names.h"
#include "transport/supported_devices.h"
#include "transport/usb_command_channel.h"
#include "ui/toolkit/control_routes.h"
#include "ui/toolkit/horizontal_layout_ui.h"
#include "ui/toolkit/notify_pump.h"

class CDeviceKeyButtonUI;
class CMpDevicePowerUI;
class CProfileSession;
class CTabLayoutUI;
class IDeviceTile;

// One supported device as the rest of the program sees it, and its page in the main window (a
// container whose children are the device's controls and editors). This base owns what every kind
// shares: the command channel and the event ports with their attach, switch and detach
// (velmar_usb_device_link.cpp), the tile's timers, the lighting preview, the kind's profile
// session and the page's route targets. A kind's class adds its driver, its model and its page
// view and fills in the device interface below.
//
// A device object lives from its creation until the main window closes; a device that comes and
// goes is modelled by opening and closing its ports. It lives on the user-interface thread; its
// event listeners and light thread only decode and compute, and hand whatever touches a control
// to the user-interface thread.
// The result of a macro transfer that did not reach the device for want of an answer.
inline constexpr int kMacrosNotSent = -1;

class CVelmarUSBDevice : public CHorizontalLayoutUI, public CNotifyPump, public INotifyUI, public ISyncLightParticipant {
 public:
  // Every pause and wait of the device (its channel, its link tests, its workers) goes by `clock`.
  explicit CVelmarUSBDevice(IHidBackend& backend, IClock& clock = SystemClock());
  ~CVelmarUSBDevice() override;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void Notify(TNotifyUI& msg) override;

  // ---- the device interface: what the main window, the tile's timers and the editors call ----
  // After creation: looks the page's controls up.
  virtual void InitDevicePage();
  virtual void ReadAll() {}
  virtual void SyncFromDevice() {}
  virtual void RefreshStatus() {}
  virtual bool IsLinked() { return true; }
  virtual int KeepAliveMinutes() { return 1; }
  virtual void LoadLighting() {}
  virtual void ShowSettings() {}
  // The profile session's chosen profile becomes the device's: shown, and written to the device
  // (settings and lighting, then the macros its keys use and the key assignments). Returns the
  // macro transfer's result: 0 sent (or nothing to send, or no device to send to), a negative
  // code when the macros were not sent, or how many macro actions must go before the macros fit;
  // after either failure the key assignments are not written.
  virtual int LoadSelectedProfile() { return 0; }
  // Writes the settings the profile holds to the device; 1 when they were written.
  virtual int ApplySettings() { return 0; }
  virtual void SaveProfile() {}
  // The device-error layout's reconnect: the device is claimed again and read.
  virtual void MarkInitialised() {}
  virtual std::vector<int> GetMacroList() { return {}; }
  virtual int WriteKeyAssignments(int /*bank*/, const std::vector<KeyAssignmentPair>& /*keys*/) { return 0; }
  virtual int WriteMacros(const std::vector<int>& /*imageOrder*/) { return 0; }
  virtual void RepairMacroKeys() {}
  // ---- keys and macros (kinds with keys: the keyboard and the mouse) ----
  // The chosen profile's key list: the current and the default assignment of every key.
  virtual std::vector<KeyAssignmentPair> GetKeyAssignments() const { return {}; }
  // Replaces the key list: kept, written to the profile and shown on the picture. Nothing is sent.
  virtual void SetKeyAssignments(const std::vector<KeyAssignmentPair>& /*keys*/) {}
  // Rereads the names of the device's macros, which the key editor offers, and the names of its
  // lighting modes, second modes and custom effects, which the lighting editor offers. A list whose
  // file or entry is missing stays as it was.
  void LoadLightAndMacroNames();
  const std::vector<std::string>& MacroNames() const { return macroNames_; }
  // ---- lighting (kinds with lights) ----
  // The lighting record of the chosen profile.
  virtual LightInfoRecord GetLightInfo() const { return {}; }
  // Kept, written to the profile and saved; the preview and the page follow. Nothing is sent.
  virtual void SetLightInfo(const LightInfoRecord& /*light*/) {}
  virtual AudioLightRecord GetAudioLightInfo() const { return {}; }
  // Kept, written to the profile and saved. Nothing is sent.
  virtual void SetAudioLightInfo(const AudioLightRecord& /*audio*/) {}
  const std::vector<LightModeName>& LightModes() const { return lightModes_; }
  const std::vector<std::string>& AreaLightNames() const { return areaLightNames_; }
  const std::vector<CustomLightName>& CustomLightNames() const { return customLightNames_; }
  // The device's code for a mode index, or the index itself when the list names no code for it.
  int LightModeCode(int index) const;
  // The index of the first mode with that code, or the code itself when no mode has it.
  int LightModeIndexOfCode(int code) const;
  // The lighting page's rules follow it: 1 keyboard, 2 mouse, 3 mouse pad, 7 headset.
  int LightType() const;
  // The device's row in the lighting name files: keyboard 0, mouse 1, mouse pad 2, headset 3.
  int LightIndex() const;
  virtual void SelectKey(int index) { selectedKey_ = index; }
  // The editors that show a key follow when the device shows another key list (a profile taken).
  void SetKeyListShownHandler(std::function<void()> handler) { keyListShown_ = std::move(handler); }
  // The lighting editor follows when the device shows its lighting again (a read, a profile).
  void SetLightInfoShownHandler(std::function<void()> handler) { lightInfoShown_ = std::move(handler); }
  // The language key of key `index`'s name on the device picture; empty when it has none.
  virtual std::string KeyNameKey(int /*index*/) const { return {}; }
  int GetSelectedKey() const { return selectedKey_; }
  // Shows the editor page of a function type (1 lighting … 9 more).
  virtual void SetFunctionType(int type);
  int GetFunctionType() const { return functionType_; }
  // The lighting effect the preview runs; the colour is 0x00BBGGRR.
  virtual void SetLightEffect(int mode, int speed, int brightness, uint32_t colour);
  LightEffectParams GetLightEffect() const { return preview_.Params(); }
  void SetLightColour(uint8_t red, uint8_t green, uint8_t blue);
  uint32_t GetLightColour();

  // The kind's profiles; null for a kind that keeps none.
  CProfileSession* ProfileSession() const { return profileSession_.get(); }
  // The chosen profile's name.
  std::string GetProfileName() const;
  // The per-user data folder of the kind ("…/T640/mouse/"); the user's own until set.
  void SetDeviceFolder(const std::string& folder);
  const std::string& GetDeviceFolder() const { return deviceFolder_; }

  // ---- routing ----
  // The page's own controls first, then the editors bound to the page.
  void AddRouteTarget(IControlRoutes* target) { routeTargets_.push_back(target); }
  bool RouteNotify(NotifyKind kind, TNotifyUI& msg);
  bool RouteMenuCommand(std::string_view name);

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
  IClock& Clock() { return channel_.Clock(); }
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
  void SetKindData(const DeviceKindData& data);
  const DeviceKindData& Kind() const { return kind_; }
  int GetKindRowIndex() const { return kind_.kindRowIndex; }
  bool HasPowerDisplay() const { return kind_.hasPowerDisplay; }

  // Set by the main window while it is hidden in the tray or minimised: nobody sees the preview.
  void SetWindowHidden(bool hidden) {
    windowHidden_.store(hidden);
    preview_.Poke();
  }
  bool IsWindowHidden() const { return windowHidden_.load(); }
  void SetHostControlsLighting(int value) { hostControlsLighting_.store(value); }
  int GetHostControlsLighting() const { return hostControlsLighting_.load(); }
  void SetAttended(int value) { attended_.store(value); }
  int GetAttended() const { return attended_.load(); }

  // How many times the tile's read (timer 1001) has run ReadAll: screenshots and tests wait for it.
  int CompletedReads() const { return completedReads_; }

  // ---- the shared lighting: the engine's thread writes the devices' light entries ----
  bool IsSyncChannelOpen() override { return channel_.IsOpen() != 0; }
  bool IsSyncSameMode() override { return channel_.SameMode() != 0; }
  size_t SyncLightEntryCount() override { return preview_.EntryCount(); }
  void SetSyncLightEntry(size_t index, uint32_t word) override;
  // The same-mode flag cleared; the device's own preview runs again.
  void LeaveSharedLighting();

  CDeviceLightPreview& LightPreview() { return preview_; }
  // A profile's lighting record and custom steps into the preview, which wakes the light thread.
  void ShowLighting(const LightInfoRecord& light, std::vector<LightEffectStep> steps);
  std::vector<LightEntry> LightEntries() const { return preview_.Entries(); }
  const std::vector<CDeviceKeyButtonUI*>& KeyControls() const { return keyControls_; }
  const std::vector<CDeviceKeyButtonUI*>& LightControls() const { return preview_.Zones(); }

 protected:
  // Called on a listener thread for every report of an event port.
  virtual void OnEventReport(bool /*cablePort*/, const uint8_t* /*report*/, uint32_t /*length*/) {}
  // The debug line a listener writes when it ends.
  virtual std::string ListenerExitTrace() const { return {}; }

  void NotifyKeyListShown() {
    if (keyListShown_) keyListShown_();
  }
  void NotifyLightInfoShown() {
    if (lightInfoShown_) lightInfoShown_();
  }
  // The function whose page the layout opens on, without switching pages.
  void OpenOnFunction(int type) { functionType_ = type; }
  // A kind that keeps profiles gives the device its session (before the page is set up).
  void SetProfileSession(std::unique_ptr<CProfileSession> session);
  // The key and light zones of the page's picture, under `root`.
  void CollectKeyButtons(CControlUI* root, const std::vector<std::string>& lightPrefixes);

  // Runs `task` on the user-interface thread later, unless this device is gone by then. Any thread.
  void RunOnUiThread(std::function<void()> task);
  LRESULT SendToOwner(UINT message, WPARAM wParam, LPARAM lParam);
  void StartTileTimer(uint32_t timerId, uint32_t elapseMs);
  // A new frame is in the light entries: the push timer runs until a push finds nothing new. Any
  // thread.
  void QueuePreviewPush();

 private:
  // Pushes the entries to the light zones and repaints when they changed; true when they did.
  bool PushPreview();
  uint32_t PreviewPushPeriod() const;
  void OnPushPreviewTimer();
  void ArmPreviewTimer(uint32_t periodMs);
  void OnReadAllTimer();
  void OnLinkWatchTimer();
  void OnKeepAliveTimer();
  void ConnectThroughReceiver();
  void ConnectThroughCable();
  CDeviceEventPort* EventPortForKind(uint16_t kind);

  CUsbCommandChannel channel_;
  CDeviceEventPort cableEventPort_;
  CDeviceEventPort receiverEventPort_;
  DeviceEntry identity_{};
  uint16_t deviceKind_ = 0;
  uint16_t interfaceRole_ = 0;
  HWND owner_ = nullptr;
  IDeviceTile* tile_ = nullptr;
  CMpDevicePowerUI* power_ = nullptr;
  DeviceKindData kind_;
  std::string deviceFolder_;
  std::unique_ptr<CProfileSession> profileSession_;
  std::vector<IControlRoutes*> routeTargets_;
  std::vector<std::string> macroNames_;
  std::vector<LightModeName> lightModes_;
  std::vector<std::string> areaLightNames_;
  std::vector<CustomLightName> customLightNames_;
  std::function<void()> keyListShown_;
  std::function<void()> lightInfoShown_;

  int functionType_ = 0;
  int selectedKey_ = -1;
  std::atomic<bool> windowHidden_{false};
  std::atomic<int> hostControlsLighting_{1};
  std::atomic<int> attended_{1};

  CDeviceLightPreview preview_;
  CControlUI* lightSwatch_ = nullptr;  // the light control, by the kind's light control name
  CTabLayoutUI* functionSwitch_ = nullptr;
  CTabLayoutUI* keyFunctionSwitch_ = nullptr;
  std::vector<CDeviceKeyButtonUI*> keyControls_;
  bool previewChanged_ = false;   // the last push changed a light zone
  // A push is on its way (the timer runs or its start is posted); a new frame need not ask again.
  std::atomic<bool> previewQueued_{false};
  uint32_t previewPeriodMs_ = 0;  // of the running preview timer; 0 when stopped
  int completedReads_ = 0;

  // Tasks handed to the user-interface thread hold a weak reference; it expires with the device.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
