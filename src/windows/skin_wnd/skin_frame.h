#pragma once
#include <span>
#include <string>

#include "ui/toolkit/control_routes.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/window_wnd.h"

// The drop-down panel under the main window's skin button, in which the user picks the main
// window's background: an image the skin offers, a plain colour, a PNG of their own, or the stock
// background. The choice goes out through the skin-change broadcast; offered images and the
// stock background are also recorded in "main.ini".
//
// The panel is made by Open, shows itself at once and deletes itself when it closes: a click
// outside it (where it loses the focus), Escape, a choice of a picture of the user's own, or its
// owner's going. Several panels may be open at once; each stands on its own.
class CSkinFrame : public CWindowWnd, public INotifyUI {
 public:
  // `owner`: the main window; `anchor`: the button the panel hangs under (may be null, then the
  // panel keeps its place and takes its size); `skinFilePath`: "main.ini"; `dpi`: the owner's.
  // The open panel, which owns itself; null when no window could be made.
  static CSkinFrame* Open(HWND owner, CControlUI* anchor, std::string skinFilePath, int dpi);

  LPCTSTR GetWindowClassName() const override { return "UISkinFrame"; }
  UINT GetClassStyle() const override { return CS_DBLCLKS; }
  CPaintManagerUI* GetPaintManager() { return &m_pm; }

  // Right edge under the anchor's right edge, top edge on the anchor's bottom.
  void PlaceBelowAnchor();
  void Notify(TNotifyUI& msg) override;

  static std::span<const RouteRow<CSkinFrame>> Rows();

 protected:
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hWnd) override;

 private:
  CSkinFrame(HWND owner, CControlUI* anchor, std::string skinFilePath, int dpi);
  ~CSkinFrame() override;

  static const RouteRow<CSkinFrame> kRouteRows[];

  LRESULT OnCreate();
  // `point`: a mouse message's position, in the panel's client coordinates.
  bool IsInsidePanel(LPARAM point) const;
  void OnImage(TNotifyUI& msg, int index);
  void OnColour(TNotifyUI& msg, int index);
  void OnShowColours(TNotifyUI& msg, int index);
  void OnShowImages(TNotifyUI& msg, int index);
  void OnReset(TNotifyUI& msg, int index);
  void OnOwnPicture(TNotifyUI& msg, int index);
  void ShowPage(int page);
  void RecordChoice(bool imageChosen, const std::string& image);

  CPaintManagerUI m_pm;
  HWND m_hOwner = nullptr;
  CControlUI* m_pAnchor = nullptr;
  std::string m_sSkinFilePath;
  int m_nDpi = 96;
};

// The "skin_Custom" choice, after the panel has closed: the file chooser over `owner`, the picture
// checked, and then either the broadcast or a notice saying why the picture was refused (nothing
// changes then). Returns whether the background changed.
bool ChooseOwnBackgroundPicture(HWND owner, int dpi);
