#include "preview_states.h"

#include <cmath>
#include <string>
#include <vector>

#include "ui/controls/audio_record_ui.h"
#include "ui/controls/chart_view_ui.h"
#include "ui/controls/combo_edit_container_element_ui.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/controls/hand_img_button_ui.h"
#include "ui/controls/mp_device_power_ui.h"
#include "ui/controls/redio_macro_button_ui.h"
#include "ui/controls/update_info_list_item_ui.h"
#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/controls/list_interfaces.h"
#include "ui/toolkit/controls/slider_ui.h"
#include "ui/toolkit/paint_manager_ui.h"

namespace {

constexpr std::string_view kPrefix = "preview:";

struct Directive {
  std::string key;
  std::string value;
};

std::string Trim(std::string text) {
  size_t first = text.find_first_not_of(" \t");
  size_t last = text.find_last_not_of(" \t");
  return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find(separator, at);
    if (end == std::string::npos) end = text.size();
    parts.push_back(Trim(text.substr(at, end - at)));
    at = end + 1;
  }
  return parts;
}

std::vector<Directive> ParseDirectives(const CDuiString& userData) {
  std::vector<Directive> directives;
  const std::string& text = userData.str();
  if (text.compare(0, kPrefix.size(), kPrefix) != 0) return directives;
  for (const std::string& part : Split(text.substr(kPrefix.size()), ';')) {
    if (part.empty()) continue;
    size_t equals = part.find('=');
    if (equals == std::string::npos) {
      directives.push_back({part, ""});
    } else {
      directives.push_back({Trim(part.substr(0, equals)), Trim(part.substr(equals + 1))});
    }
  }
  return directives;
}

std::vector<int> Numbers(const std::string& value) {
  std::vector<int> numbers;
  for (const std::string& part : Split(value, ',')) numbers.push_back(ParseIntValue(part));
  return numbers;
}

POINT Centre(const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

void Send(CControlUI* control, int type, POINT pt, WPARAM wParam = 0) {
  TEventUI event;
  event.Type = type;
  event.pSender = control;
  event.ptMouse = pt;
  event.wParam = wParam;
  event.wKeyState = WORD(wParam);
  control->Event(event);
}

template <typename T>
T* FindInside(CPaintManagerUI& manager, CControlUI* control, const char* interfaceName) {
  for (CControlUI* found : manager.FindSubControlsByClass(control, interfaceName)) {
    if (auto* typed = static_cast<T*>(found->GetInterface(interfaceName))) return typed;
  }
  return nullptr;
}

void Press(CControlUI* control) {
  POINT at = Centre(control->GetPos());
  if (auto* slider = static_cast<CSliderUI*>(control->GetInterface("Slider"))) at = Centre(slider->GetThumbRect());
  Send(control, UIEVENT_MOUSEENTER, at);
  Send(control, UIEVENT_BUTTONDOWN, at, MK_LBUTTON);
}

void ShowPower(CPaintManagerUI& manager, CControlUI* control, const std::string& value) {
  auto* power = FindInside<CMpDevicePowerUI>(manager, control, "MpDevicePower");
  std::vector<int> numbers = Numbers(value);
  if (!power || numbers.size() < 5) return;
  power->SetPowerKind(numbers[0], 0);
  uint8_t report[64] = {};
  report[0] = uint8_t(numbers[1]);
  report[1] = uint8_t(numbers[2]);
  report[3] = uint8_t(numbers[3]);
  report[5] = uint8_t(numbers[4]);
  power->ShowPowerReport(report, sizeof report);
}

void ShowUpdateRow(CUpdateInfoListItemUI* row, const std::string& record) {
  std::vector<std::string> fields = Split(record, ',');
  if (fields.empty() || fields[0].empty()) return;
  row->SetUpdateState(ParseIntValue(fields[0]));
  if (fields.size() > 1) row->SetProgress(ParseIntValue(fields[1]));
  if (fields.size() > 2) row->SetItemName(fields[2].c_str());
  if (fields.size() > 3) row->SetOldVersion(fields[3].c_str());
  if (fields.size() > 4) row->SetNewVersion(fields[4].c_str());
  if (fields.size() > 5) row->SelectCheck(ParseBoolValue(fields[5]), false);
}

// Records separated by '|' go to the update rows inside, in order.
void ShowUpdateRows(CPaintManagerUI& manager, CControlUI* control, const std::string& value) {
  std::vector<std::string> records = Split(value, '|');
  std::vector<CControlUI*> rows = manager.FindSubControlsByClass(control, "UpdateInfoListItemUI");
  for (size_t i = 0; i < rows.size() && i < records.size(); ++i) {
    ShowUpdateRow(static_cast<CUpdateInfoListItemUI*>(rows[i]->GetInterface("UpdateInfoListItemUI")), records[i]);
  }
}

void ShowMacroRow(CControlUI* control, const std::string& value) {
  auto* row = static_cast<CComboEditContainerElementUI*>(control->GetInterface("ComboEditContainerElement"));
  std::vector<std::string> fields = Split(value, '|');
  if (!row || fields.size() < 3) return;
  if (row->GetText1()) row->GetText1()->SetText(fields[0].c_str());
  if (row->GetText2()) row->GetText2()->SetText(fields[1].c_str());
  if (row->GetDelayEdit()) row->GetDelayEdit()->SetText(fields[2].c_str());
}

void ShowBadge(CControlUI* control, const std::string& value) {
  auto* button = static_cast<CHandImgButtonUI*>(control->GetInterface("HandImgButton"));
  if (!button) return;
  button->EnableDeleteBadge(true);
  POINT at = value == "hot" ? Centre(button->GetBadgeRect()) : Centre(button->GetPos());
  Send(button, UIEVENT_MOUSEENTER, at);
  Send(button, UIEVENT_MOUSEMOVE, at);
}

void DragBand(CPaintManagerUI& manager, CControlUI* control, const std::string& value) {
  std::vector<int> numbers = Numbers(value);
  if (numbers.size() < 4) return;
  const CDPI& dpi = *manager.GetDPIObj();
  const RECT& rc = control->GetPos();
  Send(control, UIEVENT_BUTTONDOWN, POINT{rc.left + dpi.Scale(numbers[0]), rc.top + dpi.Scale(numbers[1])}, MK_LBUTTON);
  Send(control, UIEVENT_MOUSEMOVE, POINT{rc.left + dpi.Scale(numbers[2]), rc.top + dpi.Scale(numbers[3])}, MK_LBUTTON);
}

void Pan(CControlUI* control, const std::string& value) {
  std::vector<int> numbers = Numbers(value);
  if (numbers.size() < 2) return;
  POINT from = Centre(control->GetPos());
  Send(control, UIEVENT_BUTTONDOWN, from, MK_LBUTTON);
  Send(control, UIEVENT_MOUSEMOVE, POINT{from.x - numbers[0], from.y - numbers[1]}, MK_LBUTTON);
  Send(control, UIEVENT_BUTTONUP, POINT{from.x - numbers[0], from.y - numbers[1]});
}

// A decaying two-tone burst: recognisable, and the same on every render.
void FillLevels(CControlUI* control) {
  auto* bars = static_cast<CAudioRecordUI*>(control->GetInterface("AudioRecord"));
  if (!bars) return;
  int32_t levels[CAudioRecordUI::kLevelCount];
  for (int i = 0; i < CAudioRecordUI::kLevelCount; ++i) {
    double envelope = 0.35 + 0.6 * std::fabs(std::sin(i * 0.045));
    double tone = 0.55 + 0.45 * std::sin(i * 0.61) * std::cos(i * 0.13);
    levels[i] = int32_t(CAudioRecordUI::kFullScale * envelope * tone);
  }
  bars->SetLevels(levels, CAudioRecordUI::kLevelCount);
}

void AddChartItems(CControlUI* control, const std::string& value) {
  auto* chart = static_cast<CChartViewUI*>(control->GetInterface("ChartView"));
  if (!chart) return;
  for (const std::string& item : Split(value, ',')) {
    size_t colon = item.find(':');
    if (colon == std::string::npos) continue;
    chart->Add(item.substr(0, colon).c_str(), ParseIntValue(item.substr(colon + 1)));
  }
}

void Apply(CPaintManagerUI& manager, CControlUI* control, const Directive& directive) {
  const std::string& key = directive.key;
  if (key == "hot") {
    Send(control, UIEVENT_MOUSEENTER, Centre(control->GetPos()));
  } else if (key == "pushed") {
    Press(control);
  } else if (key == "focused") {
    // Only one control can hold the window's focus; the event alone gives each one its look.
    Send(control, UIEVENT_SETFOCUS, Centre(control->GetPos()));
  } else if (key == "select") {
    if (auto* owner = static_cast<IListOwnerUI*>(control->GetInterface("IListOwner"))) {
      owner->SelectItem(ParseIntValue(directive.value), false);
    }
  } else if (key == "power") {
    ShowPower(manager, control, directive.value);
  } else if (key == "update") {
    ShowUpdateRows(manager, control, directive.value);
  } else if (key == "row") {
    ShowMacroRow(control, directive.value);
  } else if (key == "pulse") {
    if (auto* button = static_cast<CRedioMacroButtonUI*>(control->GetInterface("RedioMacroButton"))) {
      button->StartPulse();
      for (int i = 0; i < ParseIntValue(directive.value); ++i) {
        Send(button, UIEVENT_TIMER, POINT{}, CRedioMacroButtonUI::kPulseTimerId);
      }
      button->StopPulse();
    }
  } else if (key == "light" || key == "keyset") {
    if (auto* button = static_cast<CDeviceKeyButtonUI*>(control->GetInterface("DeviceKeyButton"))) {
      if (key == "light") button->ShowLightImage(true);
      if (key == "keyset") button->HideKeySetImage(false);
    }
  } else if (key == "badge") {
    ShowBadge(control, directive.value);
  } else if (key == "band") {
    DragBand(manager, control, directive.value);
  } else if (key == "pan") {
    Pan(control, directive.value);
  } else if (key == "levels") {
    FillLevels(control);
  } else if (key == "chart") {
    AddChartItems(control, directive.value);
  }
}

CControlUI* CollectAll(CControlUI* control, void* data) {
  static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
  return nullptr;
}

}  // namespace

void ApplyPreviewStates(CPaintManagerUI& manager, CControlUI* root) {
  if (!root) return;
  std::vector<CControlUI*> controls;
  root->FindControl(CollectAll, &controls, UIFIND_ALL | UIFIND_ME_FIRST);
  for (CControlUI* control : controls) {
    for (const Directive& directive : ParseDirectives(control->GetUserData())) Apply(manager, control, directive);
  }
}
