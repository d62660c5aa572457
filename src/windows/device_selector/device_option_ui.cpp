#include "windows/device_selector/device_option_ui.h"

#include <optional>
#include <string>
#include <utility>

#include "devices/device_messages.h"
#include "devices/velmar_usb_device.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/controls/named_child.h"
#include "ui/controls/text_key.h"
#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/ui_messages.h"
#include "ui/toolkit/window_api.h"

namespace {

COptionUI* AsOption(CControlUI* control) {
  return control ? static_cast<COptionUI*>(control->GetInterface("Option")) : nullptr;
}

// The picture of a device that is not connected.
std::string FadedImage(const std::string& file) { return "file='" + file + "' fade='110'"; }

}  // namespace

CDeviceOptionUI::CDeviceOptionUI() = default;

LPCTSTR CDeviceOptionUI::GetClass() const { return "DeviceOption"; }

void* CDeviceOptionUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("DeviceOption") == 0) return static_cast<CDeviceOptionUI*>(this);
  return CHorizontalLayoutUI::GetInterface(pstrName);
}

bool CDeviceOptionUI::Activate() {
  const uint64_t serial = GetSerial();
  if (!CHorizontalLayoutUI::Activate()) return false;
  if (IsAlive(this, serial) && m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED);
  return true;
}

void CDeviceOptionUI::SetVisible(bool bVisible) {
  if (PostToUiThread([this, bVisible] { SetVisible(bVisible); })) return;
  reachable_ = bVisible;
  const bool wasNotConnected = notConnected_;
  notConnected_ = false;
  if (wasNotConnected) ShowConnectionState();
  CHorizontalLayoutUI::SetVisible(bVisible);
}

void CDeviceOptionUI::ShowNotConnected() {
  if (PostToUiThread([this] { ShowNotConnected(); })) return;
  reachable_ = false;
  notConnected_ = true;
  ShowConnectionState();
  CHorizontalLayoutUI::SetVisible(true);
}

// Not connected: the picture faded, the state line shown and the tooltip saying what to do.
void CDeviceOptionUI::ShowConnectionState() {
  const Parts& parts = FindParts();
  if (parts.state) parts.state->SetVisible(notConnected_);
  // Over the name and the state line too, which let the pointer through to the tile.
  SetToolTip(notConnected_ ? TextKey("device_not_connected_tip") : "");
  if (parts.select) {
    parts.select->SetToolTip(notConnected_ ? TextKey("device_not_connected_tip") : images_.tooltipKey.c_str());
  }
  ApplyImagePair();
  Invalidate();
}

void CDeviceOptionUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case UIEVENT_TIMER:
      // The device decides what each timer does and kills or re-arms it itself.
      if (device_) device_->OnTileTimer(static_cast<uint32_t>(event.wParam));
      return;
    case UIEVENT_BUTTONDOWN:
      pressed_ = IsEnabled() && PtInRect(m_rcItem, event.ptMouse);
      return;
    case UIEVENT_BUTTONUP:
      if (pressed_ && PtInRect(m_rcItem, event.ptMouse)) {
        pressed_ = false;
        if (COptionUI* option = FindParts().select; option && option->IsEnabled()) option->Activate();
        return;
      }
      pressed_ = false;
      return;
    default:
      CHorizontalLayoutUI::DoEvent(event);
  }
}

void CDeviceOptionUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  if (name == "selectedbkcolor") {
    selectedBkColor_ = ParseColorValue(value.str());
  } else if (name == "selectedbordercolor") {
    selectedBorderColor_ = ParseColorValue(value.str());
  } else {
    CHorizontalLayoutUI::SetAttribute(name, value);
  }
}

// The selected colours stand in for the plain ones while painting, so the base draws the shape.
void CDeviceOptionUI::PaintBkColor(HDC hDC) {
  const DWORD plain = m_dwBackColor;
  if (selectedBkColor_ != 0 && IsSelected()) m_dwBackColor = selectedBkColor_;
  CHorizontalLayoutUI::PaintBkColor(hDC);
  m_dwBackColor = plain;
}

void CDeviceOptionUI::PaintBorder(HDC hDC) {
  const DWORD plain = m_dwBorderColor;
  if (selectedBorderColor_ != 0 && IsSelected()) m_dwBorderColor = selectedBorderColor_;
  CHorizontalLayoutUI::PaintBorder(hDC);
  m_dwBorderColor = plain;
}

// ---- what the tile shows ----

const CDeviceOptionUI::Parts& CDeviceOptionUI::FindParts() const {
  auto* self = const_cast<CDeviceOptionUI*>(this);
  if (!parts_.select) {
    parts_.select = AsOption(FindNamedChild(self, "device_select"));
    // The option repaints only itself; the tile's selected colours need the whole tile.
    if (parts_.select) {
      parts_.select->AddNotifyHandler([self](TNotifyUI& msg) {
        if (msg.sType == DUI_MSGTYPE_SELECTCHANGED) self->Invalidate();
        return true;
      });
    }
  }
  if (!parts_.synchro) parts_.synchro = AsOption(FindNamedChild(self, "synchro_device_select"));
  if (!parts_.name) parts_.name = FindNamedChild(self, "device_select_name");
  if (!parts_.state) parts_.state = FindNamedChild(self, "device_select_state");
  return parts_;
}

void CDeviceOptionUI::ApplyImagePair() {
  COptionUI* option = FindParts().select;
  if (!option) return;
  const bool synchro = IsSynchroSelected();
  const std::string& normal = synchro ? images_.synchroNormal : images_.normal;
  const std::string& selected = synchro ? images_.synchroSelected : images_.selected;
  option->SetNormalImage(notConnected_ ? FadedImage(normal).c_str() : normal.c_str());
  option->SetSelectedImage(notConnected_ ? FadedImage(selected).c_str() : selected.c_str());
}

void CDeviceOptionUI::SetKind(int kind, int subKind) {
  COptionUI* option = FindParts().select;
  if (!option) return;
  kind_ = kind;
  subKind_ = subKind;
  std::optional<DeviceImageSet> images = DeviceImageSetFor(kind, subKind);
  if (!images) return;
  images_ = std::move(*images);
  ApplyImagePair();
  option->SetToolTip(notConnected_ ? TextKey("device_not_connected_tip") : images_.tooltipKey.c_str());
}

void CDeviceOptionUI::SetSynchroVisible(bool show) {
  COptionUI* synchro = FindParts().synchro;
  if (!synchro) return;
  synchro->SetVisible(show);
  ApplyImagePair();
}

void CDeviceOptionUI::SetSynchroSelected(bool on) {
  COptionUI* synchro = FindParts().synchro;
  if (!synchro) return;
  synchro->Selected(on, true);
  ApplyImagePair();
}

bool CDeviceOptionUI::IsSynchroSelected() const {
  const COptionUI* synchro = FindParts().synchro;
  return synchro && synchro->IsSelected();
}

void CDeviceOptionUI::Select(bool on) {
  if (COptionUI* option = FindParts().select) option->Selected(on, true);
}

bool CDeviceOptionUI::IsSelected() const {
  const COptionUI* option = FindParts().select;
  return option && option->IsSelected();
}

void CDeviceOptionUI::SetDeviceName(LPCTSTR text) {
  if (CControlUI* label = FindParts().name) label->SetText(text);
}

void CDeviceOptionUI::SetGroup(LPCTSTR groupName) {
  if (COptionUI* option = FindParts().select) option->SetGroup(groupName);
}

// ---- where the device's page and power display sit ----

void CDeviceOptionUI::BindPage(LPCTSTR containerName, int index) {
  COptionUI* option = FindParts().select;
  if (!option) return;
  option->BindTabLayoutName(containerName);
  option->BindTabIndex(index);
}

int CDeviceOptionUI::GetPageIndex() const {
  const COptionUI* option = FindParts().select;
  return option ? option->GetBindTabLayoutIndex() : -1;
}

CDuiString CDeviceOptionUI::GetPageContainer() const {
  const COptionUI* option = FindParts().select;
  return option ? option->GetBindTabLayoutName() : CDuiString();
}

void CDeviceOptionUI::SetPowerPage(LPCTSTR containerName, int index) {
  powerContainer_ = containerName;
  if (index >= 0) powerIndex_ = index;
}

void CDeviceOptionUI::SetDevice(CVelmarUSBDevice* device) {
  device_ = device;
}

// ---- the device's timers ----

void CDeviceOptionUI::StartTileTimer(uint32_t timerId, uint32_t elapseMs) {
  // A device's event listener starts timers from its own thread.
  if (PostToUiThread([this, timerId, elapseMs] { StartTileTimer(timerId, elapseMs); })) return;
  if (m_pManager) m_pManager->SetTimer(this, timerId, elapseMs);
}

void CDeviceOptionUI::StopTileTimer(uint32_t timerId) {
  if (PostToUiThread([this, timerId] { StopTileTimer(timerId); })) return;
  if (m_pManager) m_pManager->KillTimer(this, timerId);
}

void CDeviceOptionUI::StartLinkWatch() { StartTileTimer(kTimerReadAll, kLinkWatchDelayMs); }

void CDeviceOptionUI::RestartSleepTimer() { StartTileTimer(kTimerKeepAlive, kSleepTimerDelayMs); }

void CDeviceOptionUI::ScheduleLinkCheck(uint32_t delayMs) {
  if (device_ && device_->Channel().IsOpen()) StartTileTimer(kTimerLinkWatch, delayMs);
}

void CDeviceOptionUI::RefreshPower() {
  if (!device_ || !device_->HasPowerDisplay() || !device_->Channel().IsOpen()) return;
  StartTileTimer(kTimerRefreshStatus, kRefreshPowerDelayMs);
}

void CDeviceOptionUI::ShowDisconnected() {
  if (!device_ || !device_->GetOwnerWindow() || device_->GetKindRowIndex() < 0) return;
  ::SendMessage(device_->GetOwnerWindow(), WM_DEVICE_LINK_STATE, static_cast<WPARAM>(device_->GetKindRowIndex()), 0);
}

void CDeviceOptionUI::RepaintLightPreview() {
  // Nobody is looking at a window that is neither active nor under the pointer.
  if (!device_ || !device_->GetAttended()) return;
  // Only the light zones change; repainting the whole picture under them would cost many times more.
  for (CControlUI* zone : device_->LightControls()) {
    if (zone) zone->Invalidate();
  }
}
