#pragma once

#include <cstdint>

#include "devices/device_tile.h"
#include "ui/toolkit/horizontal_layout_ui.h"
#include "windows/device_selector/device_image_set.h"

class CControlUI;
class CMpDevicePowerUI;
class COptionUI;
class CVelmarUSBDevice;

// One device's tile in the main window's selector strip. Its layout holds the option
// "device_select" (the device's picture; selecting it shows the device's page), the option
// "synchro_device_select" (the device takes part in synchronised lighting) and the label
// "device_select_name". The tile also carries the device's timers: the device starts and stops
// them through IDeviceTile and each one fires back into CVelmarUSBDevice::OnTileTimer on the
// user-interface thread.
//
// The sub-controls are looked up on first use; an operation whose sub-control is missing from
// the layout does nothing. The tile's visibility is the device being reachable, or its receiver
// being there while the device does not answer (ShowNotConnected).
//
// Layout attributes of its own: "selectedbkcolor" and "selectedbordercolor" replace the tile's
// background and border colours while its device is the selected one. A click anywhere on the
// tile that no child takes (children with mouse="false") selects the device like a click on
// "device_select".
class CDeviceOptionUI : public CHorizontalLayoutUI, public IDeviceTile {
 public:
  // The timer periods of the tile's own helpers.
  static constexpr uint32_t kLinkWatchDelayMs = 500;
  static constexpr uint32_t kSleepTimerDelayMs = 50;
  static constexpr uint32_t kRefreshPowerDelayMs = 50;

  CDeviceOptionUI();

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  // After the toolkit's own activation, reports "selectchanged" for the tile itself.
  bool Activate() override;
  // Stores the reachable flag and shows or hides the tile. Any thread.
  void SetVisible(bool bVisible = true) override;
  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void PaintBkColor(HDC hDC) override;
  void PaintBorder(HDC hDC) override;

  // ---- what the tile shows ----
  // Chooses the picture set and tooltip by device kind (see DeviceImageSetFor).
  void SetKind(int kind, int subKind);
  int GetKind() const { return kind_; }
  int GetSubKind() const { return subKind_; }
  const DeviceImageSet& GetImageSet() const { return images_; }
  // Shows or hides "synchro_device_select"; the picture pair follows its selection.
  void SetSynchroVisible(bool show);
  // Selects or clears "synchro_device_select" (with its notification) and the picture pair.
  void SetSynchroSelected(bool on);
  bool IsSynchroSelected() const;
  // Selects or clears "device_select", with its notification.
  void Select(bool on);
  bool IsSelected() const;
  // "device_select_name"; the text is a language key. (SetName stays the control's own name.)
  void SetDeviceName(LPCTSTR text);
  // The option group of "device_select".
  void SetGroup(LPCTSTR groupName);
  bool IsReachable() const { return reachable_; }
  // The device's receiver is there but the device does not answer through it (switched off, out of
  // range): the tile stays in the strip, selectable, faded and saying "not connected", while the
  // device is not reachable. SetVisible ends the state.
  void ShowNotConnected();
  bool IsNotConnected() const { return notConnected_; }
  // Reachable, or shown as not connected.
  bool IsInStrip() const { return reachable_ || notConnected_; }

  // ---- where the device's page and power display sit ----
  // Selecting "device_select" then shows that page of that tab container.
  void BindPage(LPCTSTR containerName, int index);
  int GetPageIndex() const;  // -1 when unbound
  CDuiString GetPageContainer() const;
  // The container name is always taken; an index below 0 leaves the stored index as it is.
  void SetPowerPage(LPCTSTR containerName, int index);
  int GetPowerIndex() const { return powerIndex_; }
  const CDuiString& GetPowerContainer() const { return powerContainer_; }
  void BindPowerDisplay(CMpDevicePowerUI* display) { power_ = display; }
  CMpDevicePowerUI* GetPowerDisplay() const { return power_; }
  // The tile does not own the device; both live until the main window's tree goes.
  void SetDevice(CVelmarUSBDevice* device);
  CVelmarUSBDevice* GetDevice() const { return device_; }

  // ---- the device's timers, started by the main window ----
  void StartLinkWatch();
  void RestartSleepTimer();
  // Only while the device's channel is open.
  void ScheduleLinkCheck(uint32_t delayMs);
  // With a battery display and an open channel: restarts the status timer.
  void RefreshPower();

  // ---- IDeviceTile ----
  void StartTileTimer(uint32_t timerId, uint32_t elapseMs) override;
  void StopTileTimer(uint32_t timerId) override;
  bool IsTileShown() const override { return reachable_; }
  void ShowTile(bool show) override { SetVisible(show); }
  bool IsTileSelected() const override { return IsSelected(); }
  // Tells the owner window the link is lost; it hides the tile and selects another.
  void ShowDisconnected() override;
  // Repaints the key panel of the device's page (its selection panel), if it has one.
  void RepaintLightPreview() override;

 private:
  // The layout's parts, looked up on first use; a missing one is looked for again next time.
  struct Parts {
    COptionUI* select = nullptr;   // "device_select"
    COptionUI* synchro = nullptr;  // "synchro_device_select"
    CControlUI* name = nullptr;    // "device_select_name"
    CControlUI* state = nullptr;   // "device_select_state"
  };
  const Parts& FindParts() const;
  void ApplyImagePair();
  void ShowConnectionState();

  int kind_ = 0;
  int subKind_ = 0;
  DeviceImageSet images_ = UnknownDeviceImageSet();
  bool reachable_ = true;
  bool notConnected_ = false;
  bool pressed_ = false;
  DWORD selectedBkColor_ = 0;
  DWORD selectedBorderColor_ = 0;
  CVelmarUSBDevice* device_ = nullptr;
  CMpDevicePowerUI* power_ = nullptr;
  CDuiString powerContainer_;
  int powerIndex_ = -1;

  mutable Parts parts_;
};
