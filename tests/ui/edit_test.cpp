#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "test_window.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/rich_edit_ui.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

constexpr const char* kLayout =
    "<Window size='300,200'><VerticalLayout>"
    "<Edit name='dpi_edit' height='30' text='800' min='200' max='6500' numberonly='true' maxchar='4'/>"
    "<Edit name='name_edit' height='30' maxchar='5'/>"
    "<RichEdit name='notes' height='60' tipvalue='type here'/>"
    "<Button name='other' height='30'/>"
    "</VerticalLayout></Window>";

void Type(QWidget* target, const QString& text) {
  for (QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(target, &press);
  }
}

void PressKey(QWidget* target, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

class EditTest : public testing::Test {
 protected:
  void SetUp() override {
    hwnd = window.CreateHidden();
    window.Manager().UpdateLayout();
  }
  void TearDown() override { DestroyWindow(hwnd); }
  CEditUI* Edit(const char* name) { return static_cast<CEditUI*>(window.Manager().FindControl(name)); }
  // The open field; a closed one may linger until the event loop deletes it.
  template <typename Field>
  Field* Native() {
    for (Field* field : HostWidgetOf(hwnd)->findChildren<Field*>()) {
      if (!field->isHidden()) return field;
    }
    return nullptr;
  }
  QLineEdit* NativeLine() { return Native<QLineEdit>(); }

  CTestWindow window{kLayout};
  HWND hwnd = nullptr;
};

}  // namespace

TEST_F(EditTest, FocusOpensARealTextFieldWithTheCaretAtTheEnd) {
  CEditUI* edit = Edit("dpi_edit");
  edit->SetFocus();
  ASSERT_TRUE(edit->IsEditing());
  QLineEdit* line = NativeLine();
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->text(), "800");
  EXPECT_EQ(line->cursorPosition(), 3);
  window.Manager().SetFocus(nullptr);
  EXPECT_FALSE(edit->IsEditing());
}

TEST_F(EditTest, TypingChangesTheTextAndReportsEachChange) {
  CEditUI* edit = Edit("name_edit");
  edit->SetFocus();
  Type(NativeLine(), "abc");
  EXPECT_EQ(edit->GetText(), "abc");
  EXPECT_EQ(window.Count("textchanged", "name_edit"), 3);
  Type(NativeLine(), "defg");
  EXPECT_EQ(edit->GetText(), "abcde") << "maxchar stops the typing";
  PressKey(NativeLine(), Qt::Key_Return);
  EXPECT_TRUE(window.Saw("return", "name_edit"));
}

TEST_F(EditTest, NumberOnlyRefusesLetters) {
  CEditUI* edit = Edit("dpi_edit");
  edit->SetText("");
  edit->SetFocus();
  Type(NativeLine(), "1a2b");
  EXPECT_EQ(edit->GetText(), "12");
}

TEST_F(EditTest, LeavingTheFieldClampsToTheRangeBeforeKillFocus) {
  struct Case {
    const char* typed;
    const char* kept;
  };
  const Case cases[] = {{"99", "200"}, {"7000", "6500"}, {"", "200"}, {"4000", "4000"}};
  CEditUI* edit = Edit("dpi_edit");
  for (const Case& test : cases) {
    edit->SetFocus();
    NativeLine()->clear();
    Type(NativeLine(), test.typed);
    CDuiString textAtKillFocus;
    window.onNotify = [&](TNotifyUI& msg) {
      if (msg.sType == "killfocus" && msg.pSender == edit) textAtKillFocus = edit->GetText();
    };
    Click(hwnd, window.Manager().FindControl("other"));
    window.onNotify = nullptr;
    EXPECT_EQ(textAtKillFocus, test.kept) << test.typed;
  }
}

TEST_F(EditTest, TabInTheFieldMovesTheFocusOnAndShiftTabBack) {
  CEditUI* edit = Edit("dpi_edit");
  edit->SetFocus();
  NativeLine()->clear();
  Type(NativeLine(), "7000");
  PressKey(NativeLine(), Qt::Key_Tab);
  PumpUiEvents();
  EXPECT_EQ(window.Manager().GetFocus(), Edit("name_edit")) << "the next tab stop";
  EXPECT_FALSE(edit->IsEditing());
  EXPECT_TRUE(window.Saw("killfocus", "dpi_edit"));
  EXPECT_EQ(edit->GetText(), "6500") << "left like any other way out: clamped";

  ASSERT_NE(NativeLine(), nullptr) << "the next field opened";
  QKeyEvent back(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
  QApplication::sendEvent(NativeLine(), &back);
  PumpUiEvents();
  EXPECT_EQ(window.Manager().GetFocus(), edit);
}

TEST_F(EditTest, TextFromCodeIsCutToMaxChars) {
  CEditUI* edit = Edit("name_edit");
  edit->SetText("abcdefgh");
  EXPECT_EQ(edit->GetText(), "abcde");
  edit->SetText("äöüßéx");
  EXPECT_EQ(edit->GetText(), "äöüßé") << "characters, not bytes";
}

TEST_F(EditTest, RichEditIsMultiLineAndEnterReturnsUnlessItWantsLines) {
  auto* notes = static_cast<CRichEditUI*>(window.Manager().FindControl("notes"));
  notes->SetFocus();
  auto* plain = Native<QPlainTextEdit>();
  ASSERT_NE(plain, nullptr);
  Type(plain, "one");
  PressKey(plain, Qt::Key_Return);
  EXPECT_TRUE(window.Saw("return", "notes"));
  EXPECT_EQ(notes->GetText(), "one");
  notes->SetWantReturn(true);
  window.Manager().SetFocus(nullptr);
  notes->SetFocus();
  plain = Native<QPlainTextEdit>();
  plain->moveCursor(QTextCursor::End);
  PressKey(plain, Qt::Key_Return);
  Type(plain, "two");
  EXPECT_EQ(notes->GetText(), "one\ntwo");
  EXPECT_EQ(notes->GetTipValue(), "type here");
}
