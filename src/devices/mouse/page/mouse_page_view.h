#pragma once

#include <array>
#include <string>
#include <vector>

#include "devices/mouse/sensitivity_rule.h"
#include "devices/mouse/settings_page.h"
#include "profiles/records/device_blocks.h"
#include "profiles/records/key_assignment.h"
#include "ui/toolkit/ui_types.h"

class CComboUI;
class CDeviceKeyButtonUI;
class CControlUI;
class CEditUI;
class CMouseModel;
class COptionUI;
class CSliderUI;
class CTabLayoutUI;

// The controls of the mouse page, looked up once after the page is built, and what they show of
// the mouse's model. Showing a value never notifies: only the user's own changes reach the router.
// A control the layout lacks stays null and is skipped. User-interface thread only.
class CMousePageView {
 public:
  void Bind(CControlUI* page);

  // ---- showing the model ----
  // Every stage row, the system block's controls.
  void ShowAll(const CMouseModel& model, const SensitivityRule& rule);
  // The stage's row follows `enabled`: a stage that is off has its choice, slider and number
  // inoperable, its colour faded and a tooltip on its row. Then ShowEnableChecks.
  void ShowStageEnabled(const CMouseModel& model, int stage, bool enabled);
  // No enable check is operable for the current stage or the last one that is on, so at least one
  // stage always stays on; each check's tooltip says why.
  void ShowEnableChecks(const CMouseModel& model);
  // The slider at `stored`, the current stage selected, the shown number.
  void ShowStageValue(const CMouseModel& model, int stage, int stored, const SensitivityRule& rule);
  void ShowStageNumber(int stage, int stored, const SensitivityRule& rule);
  void ShowStageColour(int stage, const DPIStage& record);
  void ShowCurrentStage(const CMouseModel& model);
  void ShowSystemBlock(const MouseSystemBlock& block);
  // The slider ranges of the mouse's sensor; the number entries take 0 … 45000 whatever the sensor.
  void ApplySliderRanges(const SensitivityRule& rule);
  void ShowSettingsPage(int page);
  void HideHint();
  // Every button zone's tooltip and mark follow `keys`; the hint shows what the selected key does.
  void ShowKeyFunctions(const std::vector<CDeviceKeyButtonUI*>& zones, const std::vector<KeyAssignmentPair>& keys,
                        const std::vector<std::string>& macroNames, int selectedKey);

  // ---- reading what the user set ----
  // -1 when the stage has no slider.
  int SliderValue(int stage) const;
  void SetSliderValue(int stage, int value);
  bool HasStageControls(int stage) const;
  std::string EditText(int stage) const;
  // The stage's colour swatch as 0xFFRRGGBB; 0 without one.
  DWORD StageColour(int stage) const;

 private:
  struct StageRow {
    CControlUI* row = nullptr;
    COptionUI* enable = nullptr;
    COptionUI* select = nullptr;
    CSliderUI* slider = nullptr;
    CEditUI* edit = nullptr;
    CControlUI* colour = nullptr;
  };
  const StageRow* Row(int stage) const;
  void SelectOption(const std::array<COptionUI*, 5>& options, int index, int count);

  std::array<StageRow, kMaxStages> stages_{};
  std::array<COptionUI*, 5> polling_{};
  std::array<COptionUI*, 5> silentAltitude_{};
  std::array<COptionUI*, 5> linearCalibration_{};
  std::array<COptionUI*, 5> ripple_{};
  std::array<COptionUI*, 5> settingsOptions_{};
  CComboUI* debounce_ = nullptr;
  CComboUI* bluetoothSleep1_ = nullptr;
  CComboUI* bluetoothSleep2_ = nullptr;
  CComboUI* deviceSleep1_ = nullptr;
  CComboUI* deviceSleep2_ = nullptr;
  CComboUI* logoMode_ = nullptr;
  CSliderUI* pointerSpeed_ = nullptr;
  CSliderUI* doubleClick_ = nullptr;
  CSliderUI* scrollSpeed_ = nullptr;
  COptionUI* pointerPrecision_ = nullptr;
  COptionUI* scrollsPage_ = nullptr;
  CTabLayoutUI* settingsPages_ = nullptr;
  CControlUI* hint_ = nullptr;
};
