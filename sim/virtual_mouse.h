#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "sim/virtual_device.h"
#include "sim/virtual_device_options.h"

class CVirtualReceiver;

// The wireless mouse: its firmware memory, and the mouse as a USB device on its cable. Its
// receivers reach the same memory, so one virtual mouse can be read over the cable and written
// through the receiver (or the other way round).
//
// Event codes it sends: 0x0401 asks the host to read it again, 0x0403 triggers the reactive
// lighting, 0x10nn announces active profile nn & 0x0F, 0x11nn active profile (low nibble) and
// sensitivity stage (high nibble).
class CVirtualMouse : public CVirtualDevice {
 public:
  explicit CVirtualMouse(const SimMouseOptions& options = {});
  // The same firmware behind another USB layout (another bus, a missing collection ...).
  CVirtualMouse(const SimMouseOptions& options, SimDeviceDescription description);

  void SetBattery(uint8_t level);
  void SetCharging(bool charging);
  uint8_t ActiveProfile() const;

  // The profile (and stage) buttons on the mouse: the stored active profile changes and the
  // matching event goes out.
  void ChangeProfile(uint8_t profile);
  void ChangeProfileAndStage(uint8_t profile, uint8_t stage);

  // Goes out over the cable when plugged and through every receiver the mouse is linked to. A
  // profile event also changes what the mouse stores, whoever sends it.
  void SendEvent(uint16_t code) override;

  // One pointer report of a macro or recoil pattern the firmware plays: it goes out on the pointer
  // collection that shares the command collection's interface (nothing when the layout has none).
  void PlayPointerMove(int16_t dx, int16_t dy);

  // Receiver side: a frame the receiver passes on; logged here as arriving through the receiver.
  SimFrame AnswerThroughReceiver(const SimFrame& request, const SimLoggedFrame& arrival);
  void AddReceiver(const std::weak_ptr<CVirtualReceiver>& receiver);

 private:
  void StoreProfileEvent(uint16_t code);

  std::mutex receiversMutex_;
  std::vector<std::weak_ptr<CVirtualReceiver>> receivers_;
};
