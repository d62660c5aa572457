#include "windows/skin_wnd/skin_change_broadcast.h"

SkinChangeObserver* GetSkinChangeObserver() {
  // Never destroyed: a window that outlives static destruction may still leave it.
  static auto* observer = new SkinChangeObserver;
  return observer;
}

void BroadcastSkinChange(const SkinChangedParam& param) { GetSkinChangeObserver()->BroadcastToAll(param); }
