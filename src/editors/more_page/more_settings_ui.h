#pragma once

#include <span>

#include "ui/toolkit/control_routes.h"
#include "ui/toolkit/vertical_layout_ui.h"

class CVelmarUSBDevice;
class IEditorHost;

// The "More" page of a device page: the device's factory settings back (the chosen profile reset
// and applied, after a question), and the desktop's own mouse settings opened. Its content comes
// from "XML\CustomControlXML\MoreSettings.xml". Window thread only.
class CMoreSettingsUI : public CVerticalLayoutUI, public IControlRoutes {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void DoInit() override;

  // The page works on the device from now on; the desktop-settings button is operable only
  // when a settings program is installed, and says so otherwise.
  void Bind(CVelmarUSBDevice& device, IEditorHost& host);

  // The chosen profile back to its factory settings, then applied to the device; false when it
  // could not be reset.
  bool RestoreFactorySettings();
  // Starts the desktop's mouse settings; false when there are none or they would not start.
  bool OpenSystemMouseSettings();

  bool RouteNotify(NotifyKind kind, TNotifyUI& msg) override;
  static std::span<const RouteRow<CMoreSettingsUI>> Rows();

 private:
  static const RouteRow<CMoreSettingsUI> kRouteRows[];

  bool EnsureContent();
  void OnFactory(TNotifyUI& msg, int index);
  void OnSystemSettings(TNotifyUI& msg, int index);

  CVelmarUSBDevice* device_ = nullptr;
  IEditorHost* host_ = nullptr;
  bool contentBuilt_ = false;
};
