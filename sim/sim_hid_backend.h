#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid/hid_backend.h"
#include "sim/sim_change_notice.h"
#include "sim/virtual_device.h"

class CSimPlug;

// The HID backend of the virtual devices. Devices are plugged in, pulled out and plugged in again
// at run time from any thread; while plugged, each top-level collection of a device is one
// interface path, built exactly as the hidraw backend builds its paths.
class CSimHidBackend : public IHidBackend {
 public:
  CSimHidBackend();
  // Unplugs every device still plugged in, so none stays attached to a backend that is gone.
  ~CSimHidBackend() override;
  CSimHidBackend(const CSimHidBackend&) = delete;
  CSimHidBackend& operator=(const CSimHidBackend&) = delete;

  // False when the device is plugged in already (here or into another backend).
  bool Plug(const std::shared_ptr<CVirtualDevice>& device);
  void Unplug(CVirtualDevice& device) { device.Unplug(); }
  // Out and in again: the device comes back with new paths, as a new device node.
  bool Replug(const std::shared_ptr<CVirtualDevice>& device);

  // The interface paths of a plugged device (empty when it is not plugged in here), and the paths
  // of its command and event collections ("" when it has none).
  std::vector<std::string> PathsOf(const CVirtualDevice& device) const;
  std::string CommandPathOf(const CVirtualDevice& device) const;
  std::string EventPathOf(const CVirtualDevice& device) const;

  bool EnumerateInterfaces(std::vector<std::string>& paths) override;
  std::shared_ptr<IHidConnection> Open(const std::string& path, const HidOpenMode& mode, HidOpenError* error) override;
  bool IsPresent(const std::string& path) override;
  uint64_t ChangeGeneration() override;
  bool SetChangeListener(std::function<void()> listener) override {
    changes_->listener.Set(std::move(listener));
    return true;
  }

 private:
  std::shared_ptr<CSimPlug> FindPlugLocked(const CVirtualDevice& device) const;
  std::string PathWhere(const CVirtualDevice& device, bool commands) const;
  void PruneLocked();

  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<CSimPlug>> plugs_;  // in plugging order; gone plugs are pruned lazily
  uint64_t plugCounter_ = 0;
  const std::shared_ptr<SimChangeNotice> changes_;
};
