#pragma once
#include "ui/toolkit/control_ui.h"

// Hosts another toolkit window inside a layout: the hosted window follows the control's position
// (on screen), visibility and size. The control does not own the window.
class CWndUI : public CControlUI {
 public:
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  // Takes the window and places it over the control at once; null lets the last one go.
  bool Attach(HWND hWndNew);
  HWND Detach();
  HWND GetHWND() const { return m_hWnd; }

  void SetVisible(bool bVisible = true) override;
  void SetInternVisible(bool bVisible = true) override;
  void SetPos(RECT rc, bool bNeedInvalidate = true) override;

 private:
  void ApplyVisibility();
  void ApplyPosition();

  HWND m_hWnd = nullptr;
};
