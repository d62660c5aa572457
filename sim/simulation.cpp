#include "sim/simulation.h"

CSimulation::CSimulation(const SimulationList& list) : backend_(std::make_unique<CSimHidBackend>()) {
  if (list.mouse || list.mouseReceiver) mouse_ = std::make_shared<CVirtualMouse>(list.mouseOptions);
  if (list.mouseReceiver) receiver_ = CVirtualReceiver::Create(mouse_, list.receiverOptions);
  if (list.mousePad) mousePad_ = std::make_shared<CVirtualMousePad>(list.mousePadOptions);
  if (list.headset) headset_ = std::make_shared<CVirtualHeadset>(list.headsetOptions);

  if (list.mouse) backend_->Plug(mouse_);
  if (receiver_) backend_->Plug(receiver_);
  if (mousePad_) backend_->Plug(mousePad_);
  if (headset_) backend_->Plug(headset_);
}

std::unique_ptr<CSimulation> CreateSimulation(std::string_view list, std::string* error) {
  std::optional<SimulationList> parsed = ParseSimulationList(list, error);
  if (!parsed) return nullptr;
  return std::make_unique<CSimulation>(*parsed);
}
