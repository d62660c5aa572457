// The same-mode copy: the device's lighting becomes every connected device's, each in its own
// kind's mode for the shared effect, and the devices' lights then run in step.
#include "devices/velmar_usb_device.h"
#include "editors/device_editors.h"
#include "editors/editor_host.h"
#include "editors/light_editor/light_control_ui.h"
#include "editors/light_editor/same_mode_modes.h"

bool CLightControlUI::CopyToAllDevices() {
  if (!device_ || !host_) return false;
  const LightInfoRecord source = device_->GetLightInfo();
  const std::optional<int> common = CommonModeOf(device_->LightType(), source.SelectItem);
  if (!common) return false;
  for (CVelmarUSBDevice* device : host_->ConnectedDevices()) {
    const std::optional<int> mode = ModeOfCommon(device->LightType(), *common);
    if (!mode) continue;
    LightInfoRecord light = source;
    light.SelectItem = static_cast<uint8_t>(*mode);
    if (CLightControlUI* panel = LightEditorOf(*device)) panel->ShowLightRecord(light);
    device->SetLightInfo(light);
    device->ApplySettings();
    device->Channel().SetSameMode(1);
  }
  host_->StartSharedLighting(*common, source);
  return true;
}
