#pragma once
// The main window's router: its own controls here, every other control to the selected device.

#include <span>
#include <string>

#include "ui/toolkit/control_routes.h"

class CMainWnd;

// Maps the main window's control notifications to their owners: the window's own controls
// (close button, device selector, no-device and device-error layouts) by the table here, every other
// control through the selected device, which asks its page and the editors bound to it
// (CVelmarUSBDevice::RouteNotify). Each table is tested in order and the first match wins.
class CControlRouter {
 public:
  explicit CControlRouter(CMainWnd& window) : window_(window) {}

  // A notification a row here handled is marked handled, so the base window leaves it alone (the
  // minimise button is the base window's). True when the notification must not reach the window's
  // default handling at all.
  bool Route(TNotifyUI& msg);
  void RouteMenuCommand(const std::string& name);
  // The tray menu's rows the router acts on itself ("exit" is the window's own).
  static bool IsOwnMenuCommand(const std::string& name);

  static std::span<const RouteRow<CControlRouter>> Rows();

 private:
  static const RouteRow<CControlRouter> kRouteRows[];

  void OnClose(TNotifyUI& msg, int index);
  void OnPutWindowAway(TNotifyUI& msg, int index);
  void OnReconnect(TNotifyUI& msg, int index);
  void OnSettings(TNotifyUI& msg, int index);
  void OnSelectPrevious(TNotifyUI& msg, int index);
  void OnSelectNext(TNotifyUI& msg, int index);
  void OnTileSelected(TNotifyUI& msg, int index);
  void OnStageColour(TNotifyUI& msg, int index);
  void OnSkinButton(TNotifyUI& msg, int index);

  CMainWnd& window_;
};
