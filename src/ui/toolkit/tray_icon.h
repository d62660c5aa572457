#pragma once
#include <memory>

#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/ui_messages.h"

// The window's icon in the desktop's system tray. A click on it posts the callback message
// (UIMSG_TRAYICON unless told otherwise) to the window with the mouse message in lParam:
// WM_LBUTTONUP for a left click, WM_RBUTTONUP for a right click (the context request),
// WM_LBUTTONDBLCLK for a double click, WM_MBUTTONUP for a middle click.
//
// Without a system tray (a desktop or session that offers none, and offscreen runs)
// CreateTrayIcon returns false and shows nothing; the program must then keep its window
// reachable instead of hiding it to the tray. IsAvailable tells beforehand.
//
// A stand-in icon (tests) has a tray wherever it runs, shows nothing, and is clicked through
// NotifyActivated.
class CTrayIcon {
 public:
  enum class Host { kDesktop, kStandIn };

  explicit CTrayIcon(Host host = Host::kDesktop);
  ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  static bool IsTrayAvailable();
  // Whether this icon has a tray to go to: the desktop's, or always for a stand-in.
  bool IsAvailable() const;

  // The icon is the one registered under the id in res.xml (<Icon id="107" file="..."/>).
  bool CreateTrayIcon(HWND hWnd, UINT uIconIDResource, LPCTSTR pstrToolTip = nullptr,
                      UINT uCallbackMessage = UIMSG_TRAYICON);
  void DeleteTrayIcon();
  bool SetTooltipText(LPCTSTR pszTooltipText);
  CDuiString GetTooltipText() const;
  bool SetIcon(UINT uIconIDResource);
  void SetShowIcon();
  void SetHideIcon();
  bool IsVisible() const;
  // True between a successful CreateTrayIcon and DeleteTrayIcon.
  bool IsCreated() const;
  // Reports a click as the tray would (the icon calls it; so can tests): posts the callback
  // message with the mouse message. False when no window is attached.
  bool NotifyActivated(UINT mouseMessage) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
