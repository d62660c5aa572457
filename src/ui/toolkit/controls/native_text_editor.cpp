#include "ui/toolkit/controls/native_text_editor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/qt_paint.h"

namespace {

QString ToQt(const CDuiString& text) { return QString::fromUtf8(text.GetData(), text.GetLength()); }
CDuiString FromQt(const QString& text) { return CDuiString(text.toStdString()); }

QString ColourCss(DWORD argb) {
  return QString("rgba(%1,%2,%3,%4)").arg(ArgbRed(argb)).arg(ArgbGreen(argb)).arg(ArgbBlue(argb)).arg(ArgbAlpha(argb));
}

// Watches the field for focus leaving the window, in a multi-line field without wantReturn for
// Enter, and in a single-line field for Tab.
class CEditorEventFilter : public QObject {
 public:
  CEditorEventFilter(QWidget* host, CNativeTextEditor::Callbacks* callbacks, bool enterReturns, bool tabMovesOn)
      : host_(host), callbacks_(callbacks), enterReturns_(enterReturns), tabMovesOn_(tabMovesOn) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) {
      QWidget* focus = QApplication::focusWidget();
      bool stillInside = focus && (focus == host_ || host_->isAncestorOf(focus));
      if (!stillInside && callbacks_->focusLeftWindow) callbacks_->focusLeftWindow();
    } else if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (enterReturns_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && callbacks_->returnPressed) {
        callbacks_->returnPressed();
        return true;
      }
      const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
      if (tabMovesOn_ && tab && !(key->modifiers() & Qt::ControlModifier) && callbacks_->tabPressed) {
        callbacks_->tabPressed(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget* host_;
  CNativeTextEditor::Callbacks* callbacks_;
  bool enterReturns_;
  bool tabMovesOn_;
};

}  // namespace

CNativeTextEditor::CNativeTextEditor(QWidget* host, const CNativeEditorStyle& style, const TFontInfo& font,
                                     const CDPI& dpi, Callbacks callbacks)
    : callbacks_(std::move(callbacks)) {
  QString css = QString("color: %1; background: %2; border: none; padding: 0px;")
                    .arg(ColourCss(style.textColor), ColourCss(style.backColor));
  if (style.multiLine) {
    auto* edit = new QPlainTextEdit(host);
    edit->setReadOnly(style.readOnly);
    edit->setFrameShape(QFrame::NoFrame);
    edit->document()->setDocumentMargin(0);
    QObject::connect(edit, &QPlainTextEdit::textChanged, [this, edit, maxChars = style.maxChars] {
      if (settingText_) return;
      QString text = edit->toPlainText();
      if (maxChars > 0 && text.size() > maxChars) {
        settingText_ = true;
        edit->setPlainText(text.left(maxChars));
        edit->moveCursor(QTextCursor::End);
        settingText_ = false;
        text = edit->toPlainText();
      }
      if (callbacks_.textEdited) callbacks_.textEdited(FromQt(text));
    });
    filter_ = new CEditorEventFilter(host, &callbacks_, !style.wantReturn, false);
    widget_ = edit;
  } else {
    auto* edit = new QLineEdit(host);
    edit->setFrame(false);
    edit->setReadOnly(style.readOnly);
    if (style.password) edit->setEchoMode(QLineEdit::Password);
    if (style.maxChars > 0) edit->setMaxLength(style.maxChars);
    if (style.numberOnly) {
      edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    }
    QObject::connect(edit, &QLineEdit::textEdited, [this](const QString& text) {
      if (!settingText_ && callbacks_.textEdited) callbacks_.textEdited(FromQt(text));
    });
    QObject::connect(edit, &QLineEdit::returnPressed, [this] {
      if (callbacks_.returnPressed) callbacks_.returnPressed();
    });
    filter_ = new CEditorEventFilter(host, &callbacks_, false, true);
    widget_ = edit;
  }
  filter_->setParent(widget_);
  widget_->installEventFilter(filter_);
  widget_->setStyleSheet(css);
  widget_->setFont(MakeQFont(font, dpi));
  widget_->show();
  widget_->setFocus(Qt::OtherFocusReason);
}

CNativeTextEditor::~CNativeTextEditor() {
  if (!widget_) return;
  // Closing the field must not report its own focus loss, nor reach this object afterwards.
  widget_->removeEventFilter(filter_);
  QObject::disconnect(widget_, nullptr, nullptr, nullptr);
  widget_->hide();
  widget_->deleteLater();
}

void CNativeTextEditor::SetGeometry(const RECT& rc) {
  if (widget_) widget_->setGeometry(ToQRect(rc));
}

void CNativeTextEditor::SetText(const CDuiString& text) {
  if (!widget_) return;
  settingText_ = true;
  if (auto* line = qobject_cast<QLineEdit*>(widget_.data())) {
    line->setText(ToQt(text));
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_.data())) {
    plain->setPlainText(ToQt(text));
  }
  settingText_ = false;
}

CDuiString CNativeTextEditor::GetText() const {
  if (auto* line = qobject_cast<QLineEdit*>(widget_.data())) return FromQt(line->text());
  if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_.data())) return FromQt(plain->toPlainText());
  return CDuiString();
}

void CNativeTextEditor::SetSelection(int start, int end) {
  if (auto* line = qobject_cast<QLineEdit*>(widget_.data())) {
    int length = int(line->text().size());
    if (start < 0 || start > length) start = length;
    if (end < 0 || end > length) end = length;
    line->setSelection(start, end - start);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget_.data())) {
    QTextCursor cursor = plain->textCursor();
    int length = plain->document()->characterCount() - 1;
    if (start < 0 || start > length) start = length;
    if (end < 0 || end > length) end = length;
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    plain->setTextCursor(cursor);
  }
}

void CNativeTextEditor::MoveCaretToEnd() { SetSelection(-1, -1); }
