#include "sim/firmware_flash_listener.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include "sim/sim_hid_backend.h"
#include "sim/virtual_mouse.h"

CSimFirmwareFlashListener::CSimFirmwareFlashListener(std::weak_ptr<CVirtualMouse> mouse, CSimHidBackend& backend)
    : mouse_(std::move(mouse)), backend_(backend) {}

CSimFirmwareFlashListener::~CSimFirmwareFlashListener() { Stop(); }

bool CSimFirmwareFlashListener::Start(const std::string& busFolder, std::string& error) {
  if (endpoint_) return true;
  stop_ = CUniqueFd(eventfd(0, EFD_CLOEXEC));
  if (!stop_.Valid()) {
    error = "no event descriptor for the listener";
    return false;
  }
  endpoint_ = std::make_unique<CDesktopBusEndpoint>(busFolder, [this](const DesktopMessage& message) -> int64_t {
    return message.name == kSimFlashMessage ? Flash(message.wParam) : kSimFlashRefused;
  });
  if (!endpoint_->Open(kSimFlashWindowClass, kSimFlashWindowTitle, error)) {
    endpoint_.reset();
    return false;
  }
  thread_ = std::thread([this] { endpoint_->DispatchUntil(stop_.Get()); });
  return true;
}

void CSimFirmwareFlashListener::Stop() {
  if (!endpoint_) return;
  const uint64_t one = 1;
  const ssize_t written = write(stop_.Get(), &one, sizeof one);
  // An eventfd counter this far from its limit always takes the write; the thread ends on it.
  if (written == sizeof one && thread_.joinable()) thread_.join();
  if (thread_.joinable()) thread_.detach();
  endpoint_->Close();
  endpoint_.reset();
}

int64_t CSimFirmwareFlashListener::Flash(int64_t version) {
  std::shared_ptr<CVirtualMouse> mouse = mouse_.lock();
  if (!mouse || version <= 0 || version > 0xFFFF) return kSimFlashRefused;
  mouse->SetReleaseNumber(static_cast<uint16_t>(version));
  // Through its receiver the mouse keeps its link; only the cable shows the release number.
  if (mouse->IsPlugged() && !backend_.Replug(mouse)) return kSimFlashRefused;
  return kSimFlashDone;
}
