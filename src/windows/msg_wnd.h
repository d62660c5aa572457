#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/toolkit/window_impl_base.h"

// The program's one prompt window: a small modal window with a title, a wrapping text, a close
// button and "confirm_btn" / "cancel_btn". Texts are language keys (the title always is; the
// text is when the caller says so), so the window shows the current language's wording.
//
// Use ShowMessageBox; the window object deletes itself when its window is destroyed, so it is
// always created with new and never touched after ShowModal.
class CMsgWnd : public WindowImplBase {
 public:
  // What a question returns when "confirm_btn" was clicked; anything else is 0.
  static constexpr UINT kConfirmed = 1;
  static constexpr UINT kDeclined = 0;
  // Button modes: a notice shows only "confirm_btn", a question both. Any other mode leaves the
  // buttons as the layout has them.
  static constexpr int kNotice = 0;
  static constexpr int kQuestion = 1;

  CMsgWnd() = default;

  LPCTSTR GetWindowClassName() const override { return "MsgWnd"; }

  // An empty (or null) title or text leaves the layout's own text. The title is a language key.
  void SetMessageTitle(LPCTSTR text);
  // textIsKey: the text is a language key shown in the current language; else it is shown as
  // it is (a text the caller has already translated and formatted).
  void SetMessageText(LPCTSTR text, bool textIsKey);
  // 48, 72, 96, 120, 144, 168 or 192 is kept; any other value is traced and 96 is used. Every
  // window of the program is then set to that DPI. Asking for the value already kept does
  // nothing.
  void SetWindowDpi(int dpi);
  int GetWindowDpi() const { return m_nDpi; }
  void SetButtonMode(int mode);

 protected:
  CDuiString GetSkinFile() override { return "XML_MSG"; }
  void InitWindow() override;
  void OnClick(TNotifyUI& msg) override;
  // Enter answers with "confirm_btn", unless the user moved the focus to a button, which then
  // answers for itself. Escape is the close button: "cancel" for a question; a notice's answer is
  // read by no caller, so it simply goes.
  LRESULT ResponseDefaultKeyEvent(WPARAM wParam) override;
  LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
  void OnFinalMessage(HWND hWnd) override;

 private:
  ~CMsgWnd() override = default;

  void FollowDpiChange(WPARAM wParam, LPARAM lParam);

  int m_nDpi = 96;
  CControlUI* m_pCloseBtn = nullptr;
  CControlUI* m_pTitle = nullptr;
  CControlUI* m_pText = nullptr;
  CControlUI* m_pConfirmBtn = nullptr;
  CControlUI* m_pCancelBtn = nullptr;
};

// Asks or tells the user something and waits for the answer: builds a fresh CMsgWnd owned by
// parent (may be null), sets title, text, DPI and buttons in that order, centres it over the
// parent and runs it modally. Returns 1 when "confirm_btn" was clicked, 0 when "cancel_btn",
// the close button or the window manager closed it, and 0 when no window could be shown (the
// layout is missing, or the call is not on the user-interface thread).
int ShowMessageBox(HWND parent, LPCTSTR titleKey, LPCTSTR text, int dpi, bool textIsKey, int buttonMode);

// ---- Test and automation seam ----
//
// End-to-end runs of the program (and tests of code that asks questions) cannot click a modal
// window. While an answerer is installed, ShowMessageBox shows nothing: it hands the answerer
// what it would have shown and returns its answer (1 stays 1, any other value becomes 0, the
// safe "cancel"). The answerer runs on the thread that called ShowMessageBox, and may record
// the prompts it sees.
struct PromptRecord {
  HWND parent = nullptr;
  std::string titleKey;
  std::string text;
  bool textIsKey = false;
  int buttonMode = 0;
  int dpi = 0;
};
using PromptAnswerer = std::function<int(const PromptRecord&)>;

// Installs an answerer for the whole process (an empty one restores the window); returns the
// one it replaces.
PromptAnswerer SetPromptAnswerer(PromptAnswerer answerer);

// Installs an answerer for the life of the object and records every prompt it answers.
class CScopedPromptAnswerer {
 public:
  explicit CScopedPromptAnswerer(std::function<int(const PromptRecord&)> answer);
  ~CScopedPromptAnswerer();
  CScopedPromptAnswerer(const CScopedPromptAnswerer&) = delete;
  CScopedPromptAnswerer& operator=(const CScopedPromptAnswerer&) = delete;

  const std::vector<PromptRecord>& Prompts() const { return prompts_; }

 private:
  PromptAnswerer previous_;
  std::vector<PromptRecord> prompts_;
};
