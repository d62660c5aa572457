#include "ui/toolkit/notify_pump.h"

bool CNotifyPump::AddVirtualWnd(CDuiString name, CNotifyPump* pump) {
  if (name.IsEmpty() || pump == nullptr) return false;
  return virtualWnds_.emplace(name, pump).second;
}

bool CNotifyPump::RemoveVirtualWnd(CDuiString name) { return virtualWnds_.erase(name) > 0; }

bool CNotifyPump::NotifyPump(TNotifyUI& msg) {
  if (!msg.sVirtualWnd.IsEmpty()) {
    auto it = virtualWnds_.find(msg.sVirtualWnd);
    if (it != virtualWnds_.end()) return it->second->LoopDispatch(msg);
  }
  return LoopDispatch(msg);
}

bool CNotifyPump::LoopDispatch(TNotifyUI&) { return false; }
