#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ui/toolkit/ui_interfaces.h"

class CDeviceProfileUI;
class CMainWnd;
class CVelmarMouseDevice;

// A control name split at its last underscore: "DPI_slider_3" → "DPI_slider_" and 3. Text after
// the underscore that is not a number gives 0; a name without an underscore does not split.
struct SplitControlNameResult {
  std::string prefix;
  int index = 0;
};
std::optional<SplitControlNameResult> SplitControlName(std::string_view name);

// Maps the main window's control notifications to the operations of the selected device, the
// selector and the window. Each notification type has a table; a row matches the sender's whole
// name or, for a prefix row, the prefix of its split name (both without regard to case), and the
// first match wins. Rows for editors that do not exist yet are simply absent: adding an editor
// adds its rows.
class CControlRouter {
 public:
  explicit CControlRouter(CMainWnd& window) : window_(window) {}

  // True when the notification must not reach the window's default handling.
  bool Route(TNotifyUI& msg);
  void RouteMenuCommand(const std::string& name);

  using Action = void (CControlRouter::*)(TNotifyUI& msg, int index);
  struct Row {
    const char* name;
    bool prefix;
    Action action;
  };

 private:
  bool Dispatch(std::span<const Row> rows, TNotifyUI& msg);
  CVelmarMouseDevice* SelectedMouse();
  CDeviceProfileUI* SelectedProfilePanel();
  // Reads the mouse's system block, changes one half of one word, saves and writes it.
  void ChangeMouseSystemHalf(size_t word, bool high, int value);

  // Click table.
  void OnClose(TNotifyUI& msg, int index);
  void OnHideWindow(TNotifyUI& msg, int index);
  void OnReconnect(TNotifyUI& msg, int index);
  void OnMinimise(TNotifyUI& msg, int index);
  void OnMaximise(TNotifyUI& msg, int index);
  void OnRestore(TNotifyUI& msg, int index);
  void OnSelectPrevious(TNotifyUI& msg, int index);
  void OnSelectNext(TNotifyUI& msg, int index);
  // The profile panel's buttons (control_router_profiles.cpp).
  void OnProfileAdd(TNotifyUI& msg, int index);
  void OnProfileDelete(TNotifyUI& msg, int index);
  void OnProfileCopy(TNotifyUI& msg, int index);
  void OnProfileImport(TNotifyUI& msg, int index);
  void OnProfileExport(TNotifyUI& msg, int index);
  void OnProfileReset(TNotifyUI& msg, int index);
  void OnProfileRename(TNotifyUI& msg, int index);
  void OnProfileMenu(TNotifyUI& msg, int index);
  void OnProfileChosen(TNotifyUI& msg, int index);
  // Select-changed table.
  void OnStageEnabled(TNotifyUI& msg, int index);
  void OnStageSelected(TNotifyUI& msg, int index);
  void OnPollingRate(TNotifyUI& msg, int index);
  void OnSilentAltitude(TNotifyUI& msg, int index);
  void OnLinearCalibration(TNotifyUI& msg, int index);
  void OnRipple(TNotifyUI& msg, int index);
  void OnSettingsPage(TNotifyUI& msg, int index);
  void OnPointerPrecision(TNotifyUI& msg, int index);
  void OnScrollByPage(TNotifyUI& msg, int index);
  void OnTileSelected(TNotifyUI& msg, int index);
  void OnFunctionTab(TNotifyUI& msg, int index);
  // Value-changed and slider-drag tables.
  void OnStageSlider(TNotifyUI& msg, int index);
  void OnStageSliderDrag(TNotifyUI& msg, int index);
  void OnPointerSpeed(TNotifyUI& msg, int index);
  void OnScrollLines(TNotifyUI& msg, int index);
  void OnDoubleClickTime(TNotifyUI& msg, int index);
  // Item-select table.
  void OnDebounce(TNotifyUI& msg, int index);
  void OnSleepTime(TNotifyUI& msg, int index);
  void OnLogoMode(TNotifyUI& msg, int index);
  // Focus-lost table.
  void OnStageEdit(TNotifyUI& msg, int index);

  static const Row kClickRows[];
  static const Row kSelectChangedRows[];
  static const Row kValueChangedRows[];
  static const Row kSliderDragRows[];
  static const Row kItemSelectRows[];
  static const Row kFocusLostRows[];

  CMainWnd& window_;
};
