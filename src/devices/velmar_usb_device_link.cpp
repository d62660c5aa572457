// The device's connection life: attach, the cable/receiver switch, detach, the event ports and
// the tile timers that keep the link alive.
#include <string>

#include "devices/device_messages.h"
#include "devices/device_tile.h"
#include "devices/velmar_usb_device.h"
#include "platform/clock.h"
#include "platform/debug_output.h"
#include "transport/config_transaction.h"

namespace {

// The receiver needs a moment after a switch before the mouse answers through it.
constexpr int kLinkTestAttempts = 26;
constexpr uint32_t kLinkTestPauseMs = 50;

}  // namespace

void CVelmarUSBDevice::StartTileTimer(uint32_t timerId, uint32_t elapseMs) {
  if (tile_) tile_->StartTileTimer(timerId, elapseMs);
}

bool CVelmarUSBDevice::AttachCommandInterface(const DeviceEntry& slot, const DeviceEntry& identity) {
  const bool receiver = IsReceiverKind(slot.DeviceKind);
  if (!channel_.IsOpen()) {
    CLockGuard guard(channel_.TransferLock());
    CHidDevice& port = receiver ? channel_.ReceiverPort() : channel_.DirectPort();
    port.Close();
    if (port.Open(slot.DevicePath, true, true, true, false)) {
      channel_.SetIsOpen(1);
      channel_.SetConnectionType(receiver ? kConnectionTypeReceiver : kConnectionTypeCable);
      SetDeviceEntry(identity);
    }
  }
  preview_.Poke();
  if (tile_ && !receiver) tile_->ShowTile(true);
  StartTileTimer(kTimerReadAll, kReadAllDelayMs);
  return channel_.IsOpen() != 0;
}

bool CVelmarUSBDevice::SwitchConnection(const std::string& path) {
  const bool leavingReceiver = channel_.ReceiverMode() != 0;
  bool opened = false;
  {
    CLockGuard guard(channel_.TransferLock());
    channel_.SetIsOpen(0);
    CHidDevice& port = leavingReceiver ? channel_.DirectPort() : channel_.ReceiverPort();
    port.Close();
    opened = port.Open(path, true, true, true, false) != 0;
    if (opened) {
      // The port just left stays open until the interface goes; only the mode decides which one
      // carries frames.
      channel_.SetIsOpen(1);
      channel_.SetConnectionType(leavingReceiver ? kConnectionTypeCable : kConnectionTypeReceiver);
    }
  }
  if (!opened) return false;
  if (leavingReceiver) {
    ConnectThroughCable();
  } else {
    ConnectThroughReceiver();
  }
  return true;
}

void CVelmarUSBDevice::ConnectThroughReceiver() {
  if (kind_.hasPowerDisplay) {
    bool linked = false;
    for (int attempt = 0; attempt < kLinkTestAttempts && !linked; ++attempt) {
      if (attempt > 0) Clock().SleepMs(kLinkTestPauseMs);
      linked = channel_.Hid2_4GDeviceIsLink();
      if (!linked) OutputDebugString("获取2.4G模式失败");
    }
    channel_.SendHostReady();
    RefreshStatus();
  }
  StartTileTimer(kTimerKeepAlive, kKeepAliveFirstMs);
  channel_.BeginConfig();
  StartTileTimer(kTimerLinkWatch, kLinkWatchFirstMs);
}

void CVelmarUSBDevice::ConnectThroughCable() {
  StartTileTimer(kTimerReadAll, kReadAllDelayMs);
  channel_.SendHostReady();
  SendToOwner(WM_DEVICE_LINK_STATE, static_cast<WPARAM>(kind_.kindRowIndex), 1);
  if (kind_.hasPowerDisplay) RefreshStatus();
}

void CVelmarUSBDevice::DetachCommandInterface() {
  {
    CLockGuard guard(channel_.TransferLock());
    channel_.SetIsOpen(0);
    // A device the updater had comes back as a new arrival; whatever the updater did is over.
    channel_.SetUpdateInProgress(0);
    channel_.DirectPort().Close();
    channel_.ReceiverPort().Close();
  }
  if (tile_) tile_->ShowDisconnected();
}

CDeviceEventPort* CVelmarUSBDevice::EventPortForKind(uint16_t kind) {
  return IsReceiverKind(kind) ? &receiverEventPort_ : &cableEventPort_;
}

bool CVelmarUSBDevice::AttachEventPort(uint16_t kind, const std::string& path) {
  const bool cable = !IsReceiverKind(kind);
  return EventPortForKind(kind)->Attach(
      path, [this, cable](const uint8_t* report, uint32_t length) { OnEventReport(cable, report, length); },
      ListenerExitTrace());
}

void CVelmarUSBDevice::DetachEventPort(uint16_t kind) { EventPortForKind(kind)->Detach(); }

void CVelmarUSBDevice::OnTileTimer(uint32_t timerId) {
  switch (timerId) {
    case kTimerPushLightPreview:
      OnPushPreviewTimer();
      break;
    case kTimerReadAll:
      OnReadAllTimer();
      break;
    case kTimerSyncFromDevice:
      if (tile_) tile_->StopTileTimer(timerId);
      SyncFromDevice();
      break;
    case kTimerRefreshStatus:
      RefreshStatus();
      if (kind_.hasPowerDisplay) StartTileTimer(kTimerRefreshStatus, kRefreshStatusMs);
      break;
    case kTimerLinkWatch:
      OnLinkWatchTimer();
      break;
    case kTimerKeepAlive:
      OnKeepAliveTimer();
      break;
    default:
      break;
  }
}

bool CVelmarUSBDevice::PushPreview() {
  previewChanged_ = preview_.PushToZones();
  if (previewChanged_ && tile_ && tile_->IsTileSelected() && hostControlsLighting_.load()) {
    tile_->RepaintLightPreview();
  }
  return previewChanged_;
}

uint32_t CVelmarUSBDevice::PreviewPushPeriod() const {
  if (!channel_.IsOpen()) return 0;
  // Nobody sees the preview while the window is hidden: push what still comes rarely then.
  const bool slow = channel_.ReceiverMode() || windowHidden_.load();
  return slow ? kPreviewReceiverMs : kPreviewCableMs;
}

// The timer runs while frames come and stops at the first push that finds nothing new: a preview
// that stands still (a static effect, a hidden window) costs no wake-ups.
void CVelmarUSBDevice::OnPushPreviewTimer() {
  if (!PushPreview()) {
    // A frame written while the flag was still set asked for no push; it is seen here, or its
    // writer sees the flag clear and asks for one.
    previewQueued_.store(false);
    if (!PushPreview()) {
      ArmPreviewTimer(0);
      return;
    }
  }
  ArmPreviewTimer(PreviewPushPeriod());
}

void CVelmarUSBDevice::QueuePreviewPush() {
  if (previewQueued_.exchange(true)) return;
  RunOnUiThread([this] {
    const uint32_t period = PreviewPushPeriod();
    if (period == 0) previewQueued_.store(false);
    ArmPreviewTimer(period);
  });
}

void CVelmarUSBDevice::SetSyncLightEntry(size_t index, uint32_t word) {
  preview_.SetEntry(static_cast<int>(index), word);
  QueuePreviewPush();
}

void CVelmarUSBDevice::LeaveSharedLighting() {
  channel_.SetSameMode(0);
  preview_.Poke();
}

// The preview timer keeps running while its period stays the same; restarting it on every tick
// would cost more than the push itself.
void CVelmarUSBDevice::ArmPreviewTimer(uint32_t periodMs) {
  if (periodMs == previewPeriodMs_) return;
  previewPeriodMs_ = periodMs;
  if (periodMs == 0) {
    if (tile_) tile_->StopTileTimer(kTimerPushLightPreview);
  } else {
    StartTileTimer(kTimerPushLightPreview, periodMs);
  }
}

void CVelmarUSBDevice::OnReadAllTimer() {
  if (tile_) tile_->StopTileTimer(kTimerReadAll);
  const bool receiver = channel_.ReceiverMode() != 0;
  if (receiver && channel_.IsOpen()) {
    if (!IsLinked()) {
      if (tile_ && tile_->IsTileShown()) tile_->ShowTile(false);
      SendToOwner(WM_DEVICE_LINK_STATE, static_cast<WPARAM>(kind_.kindRowIndex), 0);
      StartTileTimer(kTimerReadAll, kLinkRetryMs);
      return;
    }
    StartTileTimer(kTimerKeepAlive, kKeepAliveFirstMs);
    SendToOwner(WM_DEVICE_LINK_STATE, static_cast<WPARAM>(kind_.kindRowIndex), 1);
  }
  ReadAll();
  ++completedReads_;
  previewPeriodMs_ = 0;
  ArmPreviewTimer(kPreviewCableMs);
  channel_.SendHostReady();
  if (receiver) StartTileTimer(kTimerLinkWatch, kLinkWatchFirstMs);
  if (kind_.hasPowerDisplay) StartTileTimer(kTimerRefreshStatus, kRefreshStatusMs);
}

void CVelmarUSBDevice::OnLinkWatchTimer() {
  if (tile_) tile_->StopTileTimer(kTimerLinkWatch);
  if (!channel_.ReceiverMode()) return;
  const bool shown = tile_ && tile_->IsTileShown();
  if (IsLinked()) {
    if (!shown) {
      OutputDebugString("2.4gcesvdfherhue  12312423 123342341");
      SendToOwner(WM_DEVICE_LINK_STATE, static_cast<WPARAM>(kind_.kindRowIndex), 1);
      if (kind_.hasPowerDisplay) {
        channel_.SendHostReady();
        RefreshStatus();
      }
    }
  } else if (shown) {
    OutputDebugString("2.4gcesvdfherhue");
    SendToOwner(WM_DEVICE_LINK_STATE, static_cast<WPARAM>(kind_.kindRowIndex), 0);
  }
  StartTileTimer(kTimerLinkWatch, kLinkWatchMs);
}

void CVelmarUSBDevice::OnKeepAliveTimer() {
  if (tile_) tile_->StopTileTimer(kTimerKeepAlive);
  if (!channel_.IsOpen() || !channel_.ReceiverMode()) return;
  CConfigTransaction(channel_).Run();
  const int minutes = KeepAliveMinutes();
  // A sleep time under a minute would make the period negative: keep the link alive often then.
  const int64_t period = int64_t{minutes} * 60000 - 10000;
  StartTileTimer(kTimerKeepAlive, static_cast<uint32_t>(period > 1000 ? period : 1000));
}
