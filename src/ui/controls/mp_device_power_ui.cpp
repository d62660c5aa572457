#include "ui/controls/mp_device_power_ui.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "ui/controls/named_child.h"
#include "ui/controls/text_key.h"
#include "ui/toolkit/controls/progress_ui.h"
#include "ui/toolkit/paint_manager_ui.h"

namespace {

constexpr size_t kReportSize = 64;

struct ChargeStateImage {
  uint8_t state;
  const char* image;
};

// Byte 1 of the report. Values outside the table leave the display as it was.
constexpr ChargeStateImage kChargeStateImages[] = {
    {0, "file='power/powered.png'"},   // charged
    {1, "file='power/powering.png'"},  // charging
    {2, "file='power/power.png'"},     // on battery
};

struct PhoneType {
  uint8_t code;
  const char* textKey;
  const char* image;
};

// Byte 5 of a mouse pad's report: the phone lying on its charging pad.
constexpr PhoneType kPhoneTypes[] = {
    {1, TextKey("Phone_type_iphone"), "file='power/Phone_type_iphone.png'"},
    {2, TextKey("Phone_type_samsung"), "file='power/Phone_type_samsung.png'"},
    {3, TextKey("Phone_type_other"), "file='power/Phone_type_other.png'"},
};
constexpr PhoneType kNoPhone = {0, TextKey("Phone_type_no_device"), "file='power/Phone_type_no_device.png'"};

}  // namespace

LPCTSTR CMpDevicePowerUI::GetClass() const { return "MpDevicePower"; }

void* CMpDevicePowerUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("MpDevicePower") == 0) return static_cast<CMpDevicePowerUI*>(this);
  return CHorizontalLayoutUI::GetInterface(pstrName);
}

void CMpDevicePowerUI::SetPowerKind(int kind, int role) {
  m_kind = kind;
  m_role = role;
}

const CMpDevicePowerUI::Parts& CMpDevicePowerUI::FindParts() {
  if (m_parts.IsComplete()) return m_parts;
  m_parts.batteryLayout = FindNamedChild(this, "device_power_Layout");
  m_parts.value = FindNamedChild(this, "device_power_value");
  m_parts.wirelessLogo = FindNamedChild(this, "device_wuxian_logo");
  CControlUI* progress = FindNamedChild(this, "device_Power_progress");
  m_parts.progress = progress ? static_cast<CProgressUI*>(progress->GetInterface("Progress")) : nullptr;
  m_parts.status = FindNamedChild(this, "device_power_status");
  m_parts.phoneType = FindNamedChild(this, "device_phone_type");
  return m_parts;
}

void CMpDevicePowerUI::ShowBatteryLayout(bool bShow) {
  m_batteryShown = bShow;
  if (CControlUI* layout = FindParts().batteryLayout) layout->SetVisible(bShow);
}

void CMpDevicePowerUI::ShowPowerReport(const uint8_t* bytes, size_t length) {
  std::array<uint8_t, kReportSize> report{};
  if (bytes) std::memcpy(report.data(), bytes, std::min(length, kReportSize));
  const Parts& parts = FindParts();
  if (!parts.IsComplete()) return;

  // The bar is drawn as the emptied part of the battery, so it holds what is used up.
  const int percent = std::min<int>(report[0], 100);
  parts.progress->SetValue(100 - percent);
  CDuiString text;
  text.Format("%d%s", percent, "%");
  parts.value->SetText(text);

  if (m_kind == kKindMouse) parts.wirelessLogo->SetVisible(report[3] != 0);

  for (const ChargeStateImage& entry : kChargeStateImages) {
    if (entry.state != report[1]) continue;
    parts.status->SetBkImage(entry.image);
    parts.progress->SetVisible(true);
  }

  if (m_kind == kKindMousePad) {
    const PhoneType* phone = &kNoPhone;
    for (const PhoneType& entry : kPhoneTypes) {
      if (entry.code == report[5]) phone = &entry;
    }
    parts.phoneType->SetText(phone->textKey);
    parts.phoneType->SetBkImage(phone->image);
    // One layout serves every kind, so the phone line starts hidden and only a pad shows it.
    parts.phoneType->SetVisible(true);
  }
}

bool CMpDevicePowerUI::Activate() {
  if (!CHorizontalLayoutUI::Activate()) return false;
  if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED);
  return true;
}
