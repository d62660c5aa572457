#pragma once
#include <atomic>
#include <memory>

#include "sim/virtual_device.h"
#include "sim/virtual_device_options.h"
#include "sim/virtual_mouse.h"

// The mouse's 2.4 GHz receiver. While the mouse is linked it passes every frame on to the mouse
// and relays the mouse's events; it answers the link test (command 0xAA) itself. While unlinked it
// answers every frame with 0xAA in byte 3, the link test with 0 in byte 8, and relays nothing.
class CVirtualReceiver : public CVirtualDevice {
 public:
  // Built through Create so the mouse can hand its events to the receiver.
  static std::shared_ptr<CVirtualReceiver> Create(std::shared_ptr<CVirtualMouse> mouse,
                                                  const SimReceiverOptions& options = {});
  static std::shared_ptr<CVirtualReceiver> Create(std::shared_ptr<CVirtualMouse> mouse,
                                                  const SimReceiverOptions& options, SimDeviceDescription description);

  void SetLinked(bool linked) { linked_ = linked; }
  bool IsLinked() const { return linked_; }
  const std::shared_ptr<CVirtualMouse>& Mouse() const { return mouse_; }

  // An event of the mouse, sent on the receiver's event collection while linked.
  void RelayMouseEvent(uint16_t code);

 protected:
  SimFrame AnswerCommand(const SimFrame& request, const SimLoggedFrame& arrival) override;

 private:
  CVirtualReceiver(std::shared_ptr<CVirtualMouse> mouse, const SimReceiverOptions& options,
                   SimDeviceDescription description);

  const std::shared_ptr<CVirtualMouse> mouse_;
  std::atomic<bool> linked_;
};
