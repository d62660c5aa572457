#include "ui/controls/register_program_controls.h"

#include <new>

#include "ui/controls/audio_record_ui.h"
#include "ui/controls/chart_view_ui.h"
#include "ui/controls/circle_progress_ui.h"
#include "ui/controls/cloud_share_list_item_ui.h"
#include "ui/controls/combo_edit_container_element_ui.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/controls/hand_img_button_ui.h"
#include "ui/controls/hand_img_select_button_ui.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/controls/recoil_pattern_ui.h"
#include "ui/controls/redio_macro_button_ui.h"
#include "ui/controls/select_panel_ui.h"
#include "ui/controls/update_info_list_item_ui.h"
#include "ui/controls/wnd_ui.h"
#include "ui/toolkit/control_factory.h"

namespace {

template <typename T>
CControlUI* Create() {
  return new (std::nothrow) T;
}

}  // namespace

void RegisterProgramControls() {
  CControlFactory* factory = CControlFactory::GetInstance();
  factory->RegistControl("CCircleProgressUI", Create<CCircleProgressUI>);
  factory->RegistControl("CChartViewUI", Create<CChartViewUI>);
  factory->RegistControl("CWndUI", Create<CWndUI>);
  factory->RegistControl("CSelectPanelUI", Create<CSelectPanelUI>);
  factory->RegistControl("CDeviceKeyButtonUI", Create<CDeviceKeyButtonUI>);
  factory->RegistControl("CCloudShareListItemUI", Create<CCloudShareListItemUI>);
  factory->RegistControl("CUpdateInfoListItemUI", Create<CUpdateInfoListItemUI>);
  // CDeviceOptionUI: registered here by the device selector.
  factory->RegistControl("CMpDevicePowerUI", Create<CMpDevicePowerUI>);
  factory->RegistControl("CComboEditContainerElementUI", Create<CComboEditContainerElementUI>);
  factory->RegistControl("CHandImgButtonUI", Create<CHandImgButtonUI>);
  factory->RegistControl("CHandImgSelectButtonUI", Create<CHandImgSelectButtonUI>);
  factory->RegistControl("CRedioMacroButtonUI", Create<CRedioMacroButtonUI>);
  factory->RegistControl("CAudioRecordUI", Create<CAudioRecordUI>);
  // The recoil editor's picture of a spray.
  factory->RegistControl("CRecoilPatternUI", Create<CRecoilPatternUI>);
  // CLightControlUI: registered here by its editor.
  // CMacroControlUI: registered here by its editor.
  // CKeySetControlUI: registered here by its editor.
  // CDeviceProfileUI: registered here by its editor.
  // CShootControlUI: registered here by its editor.
  // CMagicControlUI: registered here by its editor.
  // CVoice6533ControlUI: registered here by its editor.
  // The device classes (CVelmarUSBDevice and its kinds) are not registered: each needs the HID
  // backend, so the layouts' device tags are answered by CDeviceControlCallback (devices/).
}
