#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/hid_backend.h"
#include "platform/hidraw/hidraw_change_monitor.h"

// The Linux HID backend: lists hidraw nodes through sysfs, names each top-level collection with a
// Windows-shaped interface path and opens /dev/hidrawN for the transfers.
class CHidrawBackend final : public IHidBackend {
 public:
  CHidrawBackend() = default;

  bool EnumerateInterfaces(std::vector<std::string>& paths) override;
  std::shared_ptr<IHidConnection> Open(const std::string& path, const HidOpenMode& mode, HidOpenError* error) override;
  bool IsPresent(const std::string& path) override;
  uint64_t ChangeGeneration() override;
  bool SetChangeListener(std::function<void()> listener) override { return changes_.SetListener(std::move(listener)); }

 private:
  CHidrawChangeMonitor changes_;
};
