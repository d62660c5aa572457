#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/firmware_flash_listener.h"
#include "sim/sim_hid_backend.h"
#include "sim/simulation_list.h"
#include "sim/virtual_headset.h"
#include "sim/virtual_mouse.h"
#include "sim/virtual_mouse_pad.h"
#include "sim/virtual_receiver.h"

// The virtual devices of a list, built but not plugged in anywhere. A device that is not listed is
// null; when only the receiver is listed the mouse exists (it is reached through the receiver) but
// its cable is not plugged in, so it is missing from `toPlug`.
struct SimDeviceSet {
  std::shared_ptr<CVirtualMouse> mouse;
  std::shared_ptr<CVirtualReceiver> receiver;
  std::shared_ptr<CVirtualMousePad> mousePad;
  std::shared_ptr<CVirtualHeadset> headset;
  std::vector<std::shared_ptr<CVirtualDevice>> toPlug;  // in the order they are plugged in
};

SimDeviceSet BuildSimDevices(const SimulationList& list);

// The virtual devices of a --simulate list, plugged into their own simulated backend. A device
// that is not listed is null; when only the receiver is listed the mouse exists (it is reached
// through the receiver) but its cable is not plugged in. The backend must outlive every
// CHidDevice opened on it.
class CSimulation {
 public:
  explicit CSimulation(const SimulationList& list);
  CSimulation(const CSimulation&) = delete;
  CSimulation& operator=(const CSimulation&) = delete;

  CSimHidBackend& Backend() { return *backend_; }
  const std::shared_ptr<CVirtualMouse>& Mouse() const { return devices_.mouse; }
  const std::shared_ptr<CVirtualReceiver>& Receiver() const { return devices_.receiver; }
  const std::shared_ptr<CVirtualMousePad>& MousePad() const { return devices_.mousePad; }
  const std::shared_ptr<CVirtualHeadset>& Headset() const { return devices_.headset; }

  // Every device answers a frame as soon as it is written, for hosts on virtual time (a test
  // clock) that do not wait for an interrupt interval to pass.
  void AnswerAtOnce();

  // A firmware updater on the bus in `busFolder` can update the virtual mouse from now on
  // (firmware_flash_listener.h). False with the reason when there is no mouse or no bus.
  bool ListenForFirmwareUpdates(const std::string& busFolder, std::string& error);

 private:
  SimDeviceSet devices_;
  // Declared last so it goes first and unplugs the devices while they still exist.
  std::unique_ptr<CSimHidBackend> backend_;
  // Uses the backend, so it goes before it.
  std::unique_ptr<CSimFirmwareFlashListener> flashListener_;
};

// Parses a --simulate list and builds it; null with the parser's message when the list is bad.
std::unique_ptr<CSimulation> CreateSimulation(std::string_view list, std::string* error);
