// Profile switches: the chosen profile goes to the selected device.
#include <string>
#include <vector>

#include "devices/device_kind_table.h"
#include "devices/velmar_usb_device.h"
#include "editors/device_editors.h"
#include "editors/key_editor/key_set_control_ui.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "ui/toolkit/window_api.h"
#include "windows/main_wnd/language_number_text.h"
#include "windows/main_wnd/main_wnd.h"
#include "windows/msg_wnd.h"

namespace {

constexpr UINT kProfileSwitchDelayMs = 400;
// Any part of the profile (settings, macros, key assignments) did not reach the device.
constexpr const char* kProfileNotSentNotice = "message_profile_not_sent";
constexpr const char* kMacrosTooLarge = "message_text_26";

// The first key whose function is not its factory one, else key 0.
int FirstChangedKey(const std::vector<KeyAssignmentPair>& keys) {
  for (size_t i = 0; i < keys.size(); ++i) {
    if (!keys[i].Current.SameFunction(keys[i].Default)) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace

void CMainWnd::StartProfileSwitch() { ::SetTimer(GetHWND(), kTimerProfileSwitch, kProfileSwitchDelayMs); }

void CMainWnd::SwitchToChosenProfile() {
  CVelmarUSBDevice* device = GetSelectedDevice();
  CDeviceProfileUI* panel = device ? ProfilePanelOf(*device) : nullptr;
  if (!panel) return;
  panel->SelectProfile(panel->GetSelectedIndex(), false);
  ApplySelectedProfile();
}

void CMainWnd::ApplySelectedProfile() {
  CVelmarUSBDevice* device = GetSelectedDevice();
  if (!device) return;
  const int result = device->LoadSelectedProfile();
  if (result < 0) {
    ShowMessageBox(GetHWND(), nullptr, kProfileNotSentNotice, dpi_, true, CMsgWnd::kNotice);
  } else if (result > 0) {
    const std::string text = LanguageTextWithNumber(kMacrosTooLarge, result);
    ShowMessageBox(GetHWND(), nullptr, text.c_str(), dpi_, false, CMsgWnd::kNotice);
  }
}

void CMainWnd::OpenFunctionPage(int type) {
  CVelmarUSBDevice* device = GetSelectedDevice();
  if (!device) return;
  device->SetFunctionType(type);
  if (CDeviceProfileUI* panel = ProfilePanelOf(*device)) panel->SelectTab(type);
  // The buttons page shows its editor with a button chosen, rather than an invitation: the first
  // one the user has changed, else the first.
  if (type == kKeyTab) {
    if (CKeySetControlUI* editor = KeyEditorOf(*device)) editor->OpenKey(FirstChangedKey(device->GetKeyAssignments()));
  }
}

bool CMainWnd::Ask(const char* key) {
  return ShowMessageBox(GetHWND(), nullptr, key, dpi_, true, CMsgWnd::kQuestion) == int(CMsgWnd::kConfirmed);
}

void CMainWnd::Tell(const char* key, bool owned) {
  ShowMessageBox(owned ? GetHWND() : nullptr, nullptr, key, dpi_, true, CMsgWnd::kNotice);
}
