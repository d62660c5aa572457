#include "editors/more_page/more_settings_ui.h"

#include "devices/velmar_usb_device.h"
#include "editors/device_editors.h"
#include "editors/editor_host.h"
#include "editors/more_page/more_page_controls.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "platform/debug_output.h"
#include "platform/desktop_settings.h"
#include "platform/process_launch.h"
#include "devices/page/page_lookup.h"
#include "ui/controls/named_child.h"
#include "ui/toolkit/dialog_builder.h"

using namespace more_page;

namespace {

using Page = CMoreSettingsUI;
constexpr const char* kAskFactory = "message_text_22";
constexpr const char* kFactoryFailedNotice = "more_factory_failed";
constexpr const char* kNoSettingsTip = "more_tip_no_system_settings";
constexpr const char* kSettingsFailedNotice = "more_system_settings_failed";

}  // namespace

LPCTSTR CMoreSettingsUI::GetClass() const { return "MoreSettings"; }

void* CMoreSettingsUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("MoreSettings") == 0) return static_cast<CMoreSettingsUI*>(this);
  return CVerticalLayoutUI::GetInterface(pstrName);
}

void CMoreSettingsUI::DoInit() {
  CVerticalLayoutUI::DoInit();
  EnsureContent();
}

bool CMoreSettingsUI::EnsureContent() {
  if (contentBuilt_) return true;
  contentBuilt_ = true;
  CDialogBuilder builder;
  if (!builder.Create(kLayoutFile, nullptr, nullptr, m_pManager, this)) {
    OutputDebugString(std::string("more page: ") + kLayoutFile + " not built: " + builder.GetLastError().str());
    return false;
  }
  return true;
}

void CMoreSettingsUI::Bind(CVelmarUSBDevice& device, IEditorHost& host) {
  device_ = &device;
  host_ = &host;
  if (!EnsureContent()) return;
  CControlUI* settings = FindNamedChild(this, IndexedName(kSystemSettingsButton, kMouseSettings).c_str());
  if (settings && !FindMouseSettingsProgram()) {
    settings->SetEnabled(false);
    settings->SetToolTip(kNoSettingsTip);
    if (CControlUI* note = FindNamedChild(this, kSystemSettingsNote)) {
      note->SetResourceText(true);
      note->SetText(kNoSettingsTip);
    }
  }
}

bool CMoreSettingsUI::RestoreFactorySettings() {
  CDeviceProfileUI* panel = device_ ? ProfilePanelOf(*device_) : nullptr;
  if (!panel || !panel->ResetProfile()) return false;
  host_->ApplySelectedProfile();
  return true;
}

bool CMoreSettingsUI::OpenSystemMouseSettings() {
  const std::optional<DesktopSettingsProgram> program = FindMouseSettingsProgram();
  return program && StartDetachedProgram(program->path, program->arguments);
}

// ---- routes ----

const RouteRow<CMoreSettingsUI> CMoreSettingsUI::kRouteRows[] = {
    {NotifyKind::kClick, kFactoryButton, false, &Page::OnFactory},
    {NotifyKind::kClick, kSystemSettingsButton, true, &Page::OnSystemSettings},
};

std::span<const RouteRow<CMoreSettingsUI>> CMoreSettingsUI::Rows() { return kRouteRows; }

bool CMoreSettingsUI::RouteNotify(NotifyKind kind, TNotifyUI& msg) {
  return device_ && host_ && DispatchRoute(Rows(), *this, kind, msg);
}

void CMoreSettingsUI::OnFactory(TNotifyUI&, int) {
  if (!host_->Ask(kAskFactory)) return;
  if (!RestoreFactorySettings()) host_->Tell(kFactoryFailedNotice);
}

// The mouse page offers the mouse's settings only.
void CMoreSettingsUI::OnSystemSettings(TNotifyUI&, int index) {
  if (index != kMouseSettings) return;
  if (!OpenSystemMouseSettings()) host_->Tell(kSettingsFailedNotice);
}
