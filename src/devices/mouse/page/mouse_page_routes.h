#pragma once

#include <span>

#include "ui/toolkit/control_routes.h"

class CVelmarMouseDevice;

// The notifications of the mouse page's own controls and what each does to the mouse: stage
// edits, the settings written to the mouse at once, the settings sub-pages.
class CMousePageRoutes : public IControlRoutes {
 public:
  explicit CMousePageRoutes(CVelmarMouseDevice& mouse) : mouse_(mouse) {}

  bool RouteNotify(NotifyKind kind, TNotifyUI& msg) override;
  static std::span<const RouteRow<CMousePageRoutes>> Rows();

 private:
  static const RouteRow<CMousePageRoutes> kRouteRows[];

  void OnStageEnabled(TNotifyUI& msg, int index);
  void OnStageSelected(TNotifyUI& msg, int index);
  void OnPollingRate(TNotifyUI& msg, int index);
  void OnSilentAltitude(TNotifyUI& msg, int index);
  void OnLinearCalibration(TNotifyUI& msg, int index);
  void OnRipple(TNotifyUI& msg, int index);
  void OnSettingsPage(TNotifyUI& msg, int index);
  void OnPointerPrecision(TNotifyUI& msg, int index);
  void OnScrollByPage(TNotifyUI& msg, int index);
  void OnStageSlider(TNotifyUI& msg, int index);
  void OnStageSliderDrag(TNotifyUI& msg, int index);
  void OnPointerSpeed(TNotifyUI& msg, int index);
  void OnScrollLines(TNotifyUI& msg, int index);
  void OnDoubleClickTime(TNotifyUI& msg, int index);
  void OnDebounce(TNotifyUI& msg, int index);
  void OnSleepTime(TNotifyUI& msg, int index);
  void OnLogoMode(TNotifyUI& msg, int index);
  void OnStageEdit(TNotifyUI& msg, int index);

  CVelmarMouseDevice& mouse_;
};
