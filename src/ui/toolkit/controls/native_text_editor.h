#pragma once
// The native text field an edit control opens while it has the focus (internal to the toolkit):
// a QLineEdit, or a QPlainTextEdit for multi-line text, laid over the control inside the
// window. It gives the edit real text input: caret, selection, clipboard and input methods.
#include <QPointer>
#include <QWidget>
#include <functional>

#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/ui_types.h"

struct TFontInfo;
class CDPI;

struct CNativeEditorStyle {
  bool multiLine = false;
  bool password = false;
  bool readOnly = false;
  bool numberOnly = false;
  int maxChars = 0;  // 0 = no limit
  DWORD textColor = 0xFF000000;
  DWORD backColor = 0;
  bool wantReturn = false;  // multi-line: Enter inserts a line break instead of "return"
};

class CNativeTextEditor {
 public:
  struct Callbacks {
    std::function<void(const CDuiString&)> textEdited;
    std::function<void()> returnPressed;
    // Keyboard focus went somewhere outside the window (another window, the desktop).
    std::function<void()> focusLeftWindow;
    // Tab (false) or Shift+Tab (true) in a single-line field: the window's next control should
    // take the focus. Qt would otherwise keep it among its own widgets, out of the toolkit's sight.
    std::function<void(bool backwards)> tabPressed;
  };

  CNativeTextEditor(QWidget* host, const CNativeEditorStyle& style, const TFontInfo& font, const CDPI& dpi,
                    Callbacks callbacks);
  ~CNativeTextEditor();
  CNativeTextEditor(const CNativeTextEditor&) = delete;
  CNativeTextEditor& operator=(const CNativeTextEditor&) = delete;

  void SetGeometry(const RECT& rc);
  void SetText(const CDuiString& text);
  CDuiString GetText() const;
  void SetSelection(int start, int end);
  void MoveCaretToEnd();
  QWidget* Widget() const { return widget_; }

 private:
  QPointer<QWidget> widget_;
  QObject* filter_ = nullptr;
  Callbacks callbacks_;
  bool settingText_ = false;
};
