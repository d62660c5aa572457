#pragma once
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/event.h"
#include "platform/hid/hid_backend.h"
#include "transport/device_slots.h"
#include "transport/hid_device.h"

// Message numbers the scan thread hands to the main window.
inline constexpr unsigned WM_USB_MAINMESS_DEVICE_ARRIVAL = 3090;
inline constexpr unsigned WM_USB_MAINMESS_DEVICE_REMOVE = 3091;
// wParam 1: a supported interface is there that this user may not open; 0: there is none (any more).
inline constexpr unsigned WM_USB_MAINMESS_DEVICE_INACCESSIBLE = 3098;

// Where the scan thread reports. The two device messages are blocking hand-overs: the scan
// thread waits until the main window has handled them, so it sees every change in order. An
// implementation must give up waiting once `stop` is set, or shutdown could deadlock while the
// main window waits for this thread.
class IDeviceScanSink {
 public:
  virtual ~IDeviceScanSink() = default;
  virtual void OnDeviceArrival(size_t slot, const DeviceEntry& entry, CEvent& stop) = 0;
  virtual void OnDeviceRemove(size_t slot, const DeviceEntry& entry, CEvent& stop) = 0;
  // Not blocking: the first enumeration pass is complete. Once per run of the thread.
  virtual void PostFirstScanComplete() = 0;
  // Not blocking: whether a supported interface is there that could not be opened for want of
  // permission (the user has not installed the udev rule) changed. Reported only on a change.
  virtual void OnInaccessibleInterfaces(bool /*present*/) {}
};

// The background scan: a pass lists the HID interfaces while a slot is free, claims the slot of
// every interface that matches a supported row, and probes every claimed slot for removal.
// Over a backend that tells of changes the thread sleeps until one comes, then passes (100 ms
// later, when the rest of the device's interfaces are there) and every 100 ms
// for a few seconds (the kernel tells of a new node before udev has given it its permissions),
// and otherwise only every few seconds in case a notice was lost. Over one that cannot tell, and
// while an interface is refused to this user, it passes every 100 ms.
class CDeviceScanner {
 public:
  static constexpr uint32_t kPassIntervalMs = 100;
  static constexpr uint32_t kGatherMs = 100;
  static constexpr uint32_t kSettleMs = 3000;
  static constexpr uint32_t kQuietPassIntervalMs = 5000;

  // The waits between passes go by `clock`.
  CDeviceScanner(IHidBackend& backend, CDeviceSlotList& slots, IDeviceScanSink& sink, IClock& clock = SystemClock());
  ~CDeviceScanner();
  CDeviceScanner(const CDeviceScanner&) = delete;
  CDeviceScanner& operator=(const CDeviceScanner&) = delete;

  void Start();
  // Sets the stop event and joins the thread; every wait of the thread watches that event.
  void Stop();
  bool IsRunning() const { return thread_.joinable(); }

  // One pass of the loop (without the waits); the thread calls it, and tests drive it directly.
  // False when the enumeration failed, which ends the thread.
  bool RunPass();

 private:
  friend void ScanThreadProc(CDeviceScanner* scanner);

  void ClaimMatchingInterfaces();
  void ProbeClaimedSlots();
  // How long the thread may sleep after a pass.
  uint32_t NextWaitMs(bool toldOfChanges) const;

  IHidBackend& backend_;
  IClock& clock_;
  CDeviceSlotList& slots_;
  IDeviceScanSink& sink_;
  CHidDevice port_;  // used by the scan thread alone
  CEvent stop_{true};
  CEvent wake_{false};  // a stop, or the backend's notice of a change
  uint64_t settleUntilMs_ = 0;
  std::thread thread_;
  bool firstPass_ = true;
  bool inaccessibleReported_ = false;

  // The last enumeration, reused while the backend reports no change: listing and parsing every
  // interface is the only costly step, and it would otherwise run every pass because the
  // keyboard rows keep a slot free forever.
  std::vector<std::string> paths_;
  uint64_t pathsGeneration_ = 0;
  bool havePaths_ = false;
};

void ScanThreadProc(CDeviceScanner* scanner);
