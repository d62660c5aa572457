#include "sim/simulation.h"

namespace {

// Later than the host waits for a reply over the cable (1 s) and through the receiver (5 s).
constexpr uint32_t kCableLateReplyMs = 1500;
constexpr uint32_t kReceiverLateReplyMs = 5500;

void ArmFaults(CVirtualDevice& device, const SimFaultOptions& faults, uint32_t lateReplyMs) {
  CSimFaultPlan& plan = device.Faults();
  if (faults.lateReply) plan.LateReplyAt(*faults.lateReply, lateReplyMs);
  if (faults.dropReply) plan.DropReplyAt(*faults.dropReply);
  if (faults.wrongEcho) plan.WrongEchoAt(*faults.wrongEcho);
  if (faults.statusFrame) plan.FailStatusAt(*faults.statusFrame, faults.status);
  if (faults.unplugAfter) plan.UnplugAfterFrames(*faults.unplugAfter);
}

}  // namespace

SimDeviceSet BuildSimDevices(const SimulationList& list) {
  SimDeviceSet set;
  if (list.mouse || list.mouseReceiver) {
    set.mouse = std::make_shared<CVirtualMouse>(list.mouseOptions);
    if (!list.mouseOptions.memoryFile.empty()) set.mouse->KeepMemoryIn(list.mouseOptions.memoryFile);
    ArmFaults(*set.mouse, list.mouseOptions.faults, kCableLateReplyMs);
  }
  if (list.mouseReceiver) {
    set.receiver = CVirtualReceiver::Create(set.mouse, list.receiverOptions);
    ArmFaults(*set.receiver, list.receiverOptions.faults, kReceiverLateReplyMs);
  }
  if (list.mousePad) set.mousePad = std::make_shared<CVirtualMousePad>(list.mousePadOptions);
  if (list.headset) set.headset = std::make_shared<CVirtualHeadset>(list.headsetOptions);

  if (list.mouse) set.toPlug.push_back(set.mouse);
  if (set.receiver) set.toPlug.push_back(set.receiver);
  if (set.mousePad) set.toPlug.push_back(set.mousePad);
  if (set.headset) set.toPlug.push_back(set.headset);
  return set;
}

CSimulation::CSimulation(const SimulationList& list)
    : devices_(BuildSimDevices(list)), backend_(std::make_unique<CSimHidBackend>()) {
  for (const std::shared_ptr<CVirtualDevice>& device : devices_.toPlug) backend_->Plug(device);
}

void CSimulation::AnswerAtOnce() {
  for (CVirtualDevice* device : {static_cast<CVirtualDevice*>(devices_.mouse.get()),
                                 static_cast<CVirtualDevice*>(devices_.receiver.get()),
                                 static_cast<CVirtualDevice*>(devices_.mousePad.get()),
                                 static_cast<CVirtualDevice*>(devices_.headset.get())}) {
    if (device) device->SetReplyLatencyMs(0);
  }
}

bool CSimulation::ListenForFirmwareUpdates(const std::string& busFolder, std::string& error) {
  if (!devices_.mouse) {
    error = "no virtual mouse to update";
    return false;
  }
  if (flashListener_) return true;
  auto listener = std::make_unique<CSimFirmwareFlashListener>(devices_.mouse, *backend_);
  if (!listener->Start(busFolder, error)) return false;
  flashListener_ = std::move(listener);
  return true;
}

std::unique_ptr<CSimulation> CreateSimulation(std::string_view list, std::string* error) {
  std::optional<SimulationList> parsed = ParseSimulationList(list, error);
  if (!parsed) return nullptr;
  return std::make_unique<CSimulation>(*parsed);
}
