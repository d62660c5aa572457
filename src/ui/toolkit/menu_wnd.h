#pragma once
#include "ui/toolkit/window_impl_base.h"

// What a chosen menu item hands to the window that opened the menu, by pointer in the wParam
// of WM_MENUCLICK. The receiver frees it with CPaintManagerUI::DeletePtr. The texts are cut to
// the sizes the record always had: a name of 255 UTF-16 units, user data and text of 1023.
struct MenuCmd : CMessageRecord {
  CDuiString szName;
  CDuiString szUserData;
  CDuiString szText;
  bool bChecked = false;
};

// Alignment of the menu to the point it opens at: Left puts its left edge there (it extends to
// the right), Right its right edge; Top its top edge (it extends down), Bottom its bottom edge.
enum MenuAlignment : DWORD {
  eMenuAlignment_Left = 1 << 1,
  eMenuAlignment_Top = 1 << 2,
  eMenuAlignment_Right = 1 << 3,
  eMenuAlignment_Bottom = 1 << 4,
};

// A popup menu built from a layout whose controls are a Menu of MenuElement rows. Choosing a row
// posts WM_MENUCLICK with a new MenuCmd to the window of the paint manager given to Init, then
// closes the menu; a click outside or Escape closes it without a choice. The object deletes
// itself when its window ends; a caller that keeps the pointer passes its address to
// SetOwnerSlot and finds it cleared then.
//
// Usage: (new CMenuWnd)->Init("menu.xml", screenPoint, &m_pm, eMenuAlignment_Left | eMenuAlignment_Top);
// Sub-menus are not supported.
class CMenuWnd : public WindowImplBase {
 public:
  CMenuWnd();
  ~CMenuWnd() override;

  // Builds and shows the menu at the point (screen pixels). False when the layout cannot be
  // built (the object is then already gone).
  bool Init(LPCTSTR xml, POINT point, CPaintManagerUI* pMainPaintManager,
            DWORD dwAlignment = eMenuAlignment_Left | eMenuAlignment_Top);
  // Closes the menu (it goes once the message loop turns).
  void DestroyMenu();
  void SetOwnerSlot(CMenuWnd** slot) { m_ppOwnerSlot = slot; }

  LPCTSTR GetWindowClassName() const override { return "MenuWnd"; }
  void Notify(TNotifyUI& msg) override;
  void OnFinalMessage(HWND hWnd) override;

 protected:
  CDuiString GetSkinFile() override { return m_sXml; }
  LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  LRESULT ResponseDefaultKeyEvent(WPARAM wParam) override;

 private:
  void Choose(CControlUI* item);
  void Place();

  CDuiString m_sXml;
  POINT m_ptAnchor;
  DWORD m_dwAlignment = 0;
  HWND m_hMainWnd = nullptr;
  CMenuWnd** m_ppOwnerSlot = nullptr;
  bool m_bChosen = false;
};
