#include "windows/main_wnd/scan_sink.h"

#include <memory>

#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/window_api.h"

namespace {

constexpr uint32_t kStopCheckMs = 20;

}  // namespace

void CScanToWindowSink::OnDeviceArrival(size_t slot, const DeviceEntry& /*entry*/, CEvent& stop) {
  HandOver(WM_USB_MAINMESS_DEVICE_ARRIVAL, slot, stop);
}

void CScanToWindowSink::OnDeviceRemove(size_t slot, const DeviceEntry& /*entry*/, CEvent& stop) {
  HandOver(WM_USB_MAINMESS_DEVICE_REMOVE, slot, stop);
}

void CScanToWindowSink::PostFirstScanComplete() { PostMessage(window_, firstScanMessage_, 0, 0); }

void CScanToWindowSink::OnInaccessibleInterfaces(bool present) {
  PostMessage(window_, WM_USB_MAINMESS_DEVICE_INACCESSIBLE, present ? 1 : 0, 0);
}

void CScanToWindowSink::HandOver(UINT message, size_t slot, CEvent& stop) {
  // The done event outlives this call if the window handles the message after we gave up.
  auto done = std::make_shared<CEvent>(true);
  HWND window = window_;
  const bool queued = CPaintManagerUI::RunOnUiThread([window, message, slot, done] {
    SendMessage(window, message, static_cast<WPARAM>(slot), 0);
    done->Set();
  });
  if (!queued) return;
  while (!done->Wait(kStopCheckMs)) {
    if (stop.IsSet()) return;
  }
}
