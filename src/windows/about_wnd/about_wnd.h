#pragma once
#include <string>

#include "ui/toolkit/window_impl_base.h"

// The modal window that shows the program's version in the current language. The main window
// opens it from the tray menu's "about_menu", keeps its handle while it runs and sends it
// WM_LANGUAGE_CHANGED when the language changes: the window's texts, the version text among
// them, then show the new language.
//
// The object outlives its window, so the opener deletes it after the modal loop.
class CAboutWnd : public WindowImplBase {
 public:
  // `programVersion`: the version the build gives the program ("1.4.0").
  explicit CAboutWnd(std::string programVersion);

  LPCTSTR GetWindowClassName() const override { return "AboutWnd"; }

  // 48, 72, 96, 120, 144, 168 or 192 is kept; any other value is traced and 96 is used.
  void SetWindowDpi(int dpi);
  // Translates the version key through "text_test" and shows the result in "software_ver_label".
  void ShowVersionText();
  // The text "software_ver_label" shows; empty without the label.
  std::string VersionText() const;

  // --screenshot: once laid out and painted, the window saves itself as a PNG and closes.
  void SaveScreenshotAndClose(std::string path) { m_sScreenshotPath = std::move(path); }
  bool ScreenshotSaved() const { return m_bScreenshotSaved; }

 protected:
  CDuiString GetSkinFile() override;
  void InitWindow() override;
  void Notify(TNotifyUI& msg) override;
  void OnClick(TNotifyUI& msg) override;
  LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  LRESULT ResponseDefaultKeyEvent(WPARAM wParam) override;
  LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

 private:
  void FollowLanguageChange();

  std::string m_sVersion;
  int m_nDpi = 96;
  CControlUI* m_pCloseBtn = nullptr;
  CControlUI* m_pMaxBtn = nullptr;
  CControlUI* m_pRestoreBtn = nullptr;
  CControlUI* m_pMinBtn = nullptr;
  CControlUI* m_pMenuBtn = nullptr;
  CControlUI* m_pOkBtn = nullptr;
  std::string m_sScreenshotPath;
  bool m_bScreenshotSaved = false;
};
