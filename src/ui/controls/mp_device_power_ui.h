#pragma once
#include <cstddef>
#include <cstdint>

#include "ui/toolkit/horizontal_layout_ui.h"

class CLabelUI;
class CProgressUI;

// The battery and charging display of one device: percentage, a level bar, the charge-state
// icon, the wireless logo (mouse) and the attached phone (mouse pad). Its parts come from the
// layout it is built from and are found by name the first time a report is shown.
class CMpDevicePowerUI : public CHorizontalLayoutUI {
 public:
  // Device kinds the report is read differently for.
  static constexpr int kKindMouse = 2;
  static constexpr int kKindMousePad = 3;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  void SetPowerKind(int kind, int role);
  int GetPowerKind() const { return m_kind; }
  int GetPowerRole() const { return m_role; }
  void ShowBatteryLayout(bool bShow);
  // False once the device said it has no battery: the display then has nothing to show.
  bool ShowsBattery() const { return m_batteryShown; }
  // The device's power report: byte 0 percent, 1 charge state, 3 wireless flag, 5 attached phone.
  // Only the first 64 bytes count; a shorter report reads as padded with zeros. Nothing changes
  // while a part is missing from the layout.
  void ShowPowerReport(const uint8_t* bytes, size_t length);
  bool Activate() override;

 private:
  struct Parts {
    CControlUI* batteryLayout = nullptr;
    CControlUI* value = nullptr;
    CControlUI* wirelessLogo = nullptr;
    CProgressUI* progress = nullptr;
    CControlUI* status = nullptr;
    CControlUI* phoneType = nullptr;
    bool IsComplete() const { return batteryLayout && value && wirelessLogo && progress && status && phoneType; }
  };
  const Parts& FindParts();

  Parts m_parts;
  int m_kind = 0;
  int m_role = 0;
  bool m_batteryShown = true;
};
