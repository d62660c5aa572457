#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

#include "devices/mouse/button_record_map.h"
#include "devices/mouse/device_info_block.h"
#include "devices/mouse/settings_page.h"
#include "transport/config_transaction.h"
#include "transport/usb_command_channel.h"

// Older mouse firmware loses settings written this way: below it the updater is offered.
inline constexpr uint16_t kMouseMinimumFirmwareVersion = 0x0103;

// The mouse's transactions over its command channel, and what the mouse was last read to store:
// its information block, its button image with the map of the logical buttons into it, and its
// active profile. Bytes in, bytes out: what the bytes mean is the business of the mouse's block
// codecs (devices/mouse), when to send them the device object's. No toolkit code, so the driver is
// tested against the virtual mouse alone.
//
// Every transaction runs through CConfigTransaction and returns the codes of
// transport/result_codes.h. Reads and writes run on the user-interface thread; the active profile
// is also set by the event listeners.
class CMouseDriver {
 public:
  explicit CMouseDriver(CUsbCommandChannel& channel) : channel_(channel) {}

  CUsbCommandChannel& Channel() { return channel_; }

  // Open, and over the receiver linked: a transaction would reach the mouse.
  bool LinkedForTransfer();
  // Reached through the receiver and linked (over the cable: false).
  bool IsLinkedThroughReceiver();

  // ---- reading ----
  // The information block into `info`, untouched on failure.
  int ReadInfoBlock(DeviceInfoBlock& info);
  // Claims a fresh mouse: its block with the initialisation marker set, written back.
  int InitialiseFresh(DeviceInfoBlock& info);
  // The button image of `info`'s size; on success kept with its button map.
  int ReadConfigImage(const DeviceInfoBlock& info);
  // The active page number and that page.
  int ReadSettingsPage(uint8_t& activePage, SettingsPageBytes& page);
  // Battery level and charge state: two bytes at offset 0 of the status area.
  int ReadStatus(uint8_t* destination, uint32_t length);
  // The cable's firmware version when it is older than the version the settings need.
  std::optional<uint16_t> OutdatedCableFirmware();

  // ---- writing ----
  int WriteSettingsPage(const SettingsPageBytes& page, uint32_t pageNumber);
  // `image` replaces the button image; it must have the size of the image read.
  int WriteConfigImage(const std::vector<uint8_t>& image);
  int WriteMacroData(const std::vector<uint8_t>& block);
  int WriteRecoilData(const std::vector<uint8_t>& tables);
  int WriteInfoBlock(const DeviceInfoBlock& info);
  // BeginConfig and EndConfig alone: the receiver keeps a mouse linked while it hears from the host.
  int KeepAlive();

  // The step of the last transaction that failed ("Hid2_4GDeviceIsLink", "BeginConfig",
  // "ReadConfigImage" …); null after a success.
  const char* LastFailedStep() const { return failedStep_; }

  // ---- what was read ----
  const DeviceInfoBlock& Info() const { return info_; }
  void KeepInfo(const DeviceInfoBlock& info) { info_ = info; }
  const std::vector<uint8_t>& ConfigImage() const { return configImage_; }
  // After a read, the places the factory search found; the device replaces it with the places it
  // keeps (button_map_memory.h).
  const ButtonRecordMap& ButtonMap() const { return buttonMap_; }
  void SetButtonMap(const ButtonRecordMap& map) { buttonMap_ = map; }
  // The firmware version of a mouse on its cable; 0 through the receiver, which does not tell.
  uint16_t CableFirmwareVersion();
  int ActiveProfile() const { return activeProfile_.load(); }
  void SetActiveProfile(int profile) { activeProfile_.store(profile); }

 private:
  struct NamedStep {
    const char* name;
    std::function<int()> run;
  };
  // One transaction of these steps; the step it failed at is kept.
  int Transact(std::initializer_list<NamedStep> steps,
               CConfigTransaction::Bracket bracket = CConfigTransaction::Bracket::kBeginEnd);

  CUsbCommandChannel& channel_;
  DeviceInfoBlock info_{};
  std::vector<uint8_t> configImage_;
  ButtonRecordMap buttonMap_ = UnmappedButtons();
  std::atomic<int> activeProfile_{0};
  const char* failedStep_ = nullptr;
};
