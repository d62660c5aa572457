#include "sim/virtual_receiver.h"

#include "sim/standard_device_layouts.h"

namespace {

constexpr uint8_t kLinkedAnswer = 0xFF;

}  // namespace

std::shared_ptr<CVirtualReceiver> CVirtualReceiver::Create(std::shared_ptr<CVirtualMouse> mouse,
                                                           const SimReceiverOptions& options) {
  return Create(std::move(mouse), options, SimMouseReceiverLayout(options.version));
}

std::shared_ptr<CVirtualReceiver> CVirtualReceiver::Create(std::shared_ptr<CVirtualMouse> mouse,
                                                           const SimReceiverOptions& options,
                                                           SimDeviceDescription description) {
  std::shared_ptr<CVirtualReceiver> receiver(new CVirtualReceiver(std::move(mouse), options, std::move(description)));
  receiver->mouse_->AddReceiver(receiver);
  return receiver;
}

CVirtualReceiver::CVirtualReceiver(std::shared_ptr<CVirtualMouse> mouse, const SimReceiverOptions& options,
                                   SimDeviceDescription description)
    : CVirtualDevice(std::move(description), SimFirmwareMemory{}, {}),
      mouse_(std::move(mouse)),
      linked_(options.linked) {}

void CVirtualReceiver::RelayMouseEvent(uint16_t code) {
  if (linked_) EmitEvent(code);
}

SimFrame CVirtualReceiver::AnswerCommand(const SimFrame& request, const SimLoggedFrame& arrival) {
  const uint8_t command = request[kSimFrameCommandByte];
  if (!linked_) {
    SimFrame reply = SimReplyTo(request, kSimStatusAccepted);
    reply[kSimFrameCommandByte] = kSimNotLinkedEcho;
    SimSealFrame(reply);
    return reply;
  }
  if (command != kSimCmdLinkTest) return mouse_->AnswerThroughReceiver(request, arrival);
  const bool wellFormed = IsWellFormedSimRequest(request, true);
  SimFrame reply = SimReplyTo(request, wellFormed ? kSimStatusAccepted : kSimStatusError);
  if (wellFormed) reply[kSimFramePayloadOffset] = kLinkedAnswer;
  SimSealFrame(reply);
  return reply;
}
