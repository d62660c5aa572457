#pragma once

#include <array>
#include <cstdint>

#include "devices/mousepad/pad_settings_page.h"
#include "transport/usb_command_channel.h"

// What a write is refused with when the host holds no page it may write back (see
// WriteSettingsPage); nothing is sent then.
inline constexpr int kPadPageNotWritable = -201;

// The mouse pad's transactions over its command channel, and what the pad was last read to store:
// its information block (kept, not interpreted) and which page of its settings area the host
// holds. No toolkit code, so it is tested against the virtual pad alone.
//
// The settings area is read with a stride of 25 and written with a stride of 64; the two meet only
// at page 0. The host therefore writes a page back only when it came from page 0: writing a page
// read elsewhere to offset 0 would put that page's own bytes (9-20, which the host does not
// interpret) over page 0's, and no other write offset is known to hit the page that was read.
class CPadDriver {
 public:
  explicit CPadDriver(CUsbCommandChannel& channel) : channel_(channel) {}

  CUsbCommandChannel& Channel() { return channel_; }

  // BeginConfig, the information block, EndConfig; on success the block is kept.
  int ReadInfoBlock();
  // The active page number (1 byte at offset 0), then 45 bytes at 25 × that number. Outside a
  // configuration session, as the pad expects.
  int ReadSettingsPage(uint8_t& activePage, PadPageReadBytes& raw);
  // BeginConfig, the 21 bytes at offset 0, EndConfig. Refused with kPadPageNotWritable (nothing
  // sent) unless the last page read succeeded and was page 0.
  int WriteSettingsPage(const PadPageBytes& page);
  // Whether a write would be sent now (the last read came from page 0).
  bool CanWriteSettingsPage() const { return heldPage_ == 0; }
  // After the pad went away: the page held is no longer known to be the pad's.
  void ForgetPage() { heldPage_ = kNoPage; }
  int ActivePage() const { return heldPage_; }

  const std::array<uint8_t, kDeviceInfoSize>& Info() const { return info_; }
  const char* LastFailedStep() const { return failedStep_; }

 private:
  static constexpr int kNoPage = -1;

  CUsbCommandChannel& channel_;
  std::array<uint8_t, kDeviceInfoSize> info_{};
  int heldPage_ = kNoPage;
  const char* failedStep_ = nullptr;
};
