#pragma once
#include <map>

#include "ui/toolkit/ui_interfaces.h"

// Routes notifications by the sender's virtual window: a control (or one of its ancestors) with
// the attribute virtualwnd="x" sends to the pump registered under "x" (for example the main
// window's second sink "mainpage"); everything else goes to this pump's own LoopDispatch.
class CNotifyPump {
 public:
  virtual ~CNotifyPump() = default;

  bool AddVirtualWnd(CDuiString name, CNotifyPump* pump);
  bool RemoveVirtualWnd(CDuiString name);
  // True when a pump (this one or a virtual window's) handled the notification.
  bool NotifyPump(TNotifyUI& msg);

 protected:
  // The pump's own handling; the default handles nothing.
  virtual bool LoopDispatch(TNotifyUI& msg);

 private:
  std::map<CDuiString, CNotifyPump*> virtualWnds_;
};
