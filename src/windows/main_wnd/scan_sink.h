#pragma once

#include "transport/device_scanner.h"
#include "ui/toolkit/ui_types.h"

// Hands the scan thread's reports to the main window: arrivals and removals as the window's
// WM_USB_MAINMESS_DEVICE_ARRIVAL / _REMOVE (slot index in wParam), handled on the user-interface
// thread while the scan thread waits — but never past its stop event, so a window that is
// joining the scan thread cannot deadlock with it. The first-scan notice is posted.
class CScanToWindowSink : public IDeviceScanSink {
 public:
  // `firstScanMessage` is posted with wParam 0 and lParam 0 after the first pass.
  CScanToWindowSink(HWND window, UINT firstScanMessage) : window_(window), firstScanMessage_(firstScanMessage) {}

  void OnDeviceArrival(size_t slot, const DeviceEntry& entry, CEvent& stop) override;
  void OnDeviceRemove(size_t slot, const DeviceEntry& entry, CEvent& stop) override;
  void PostFirstScanComplete() override;
  // Posted as WM_USB_MAINMESS_DEVICE_INACCESSIBLE with wParam 1 or 0.
  void OnInaccessibleInterfaces(bool present) override;

 private:
  void HandOver(UINT message, size_t slot, CEvent& stop);

  HWND window_;
  UINT firstScanMessage_;
};
