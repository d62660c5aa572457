#include "windows/msg_wnd.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <ostream>
#include <string>
#include <thread>

#include "controls_harness.h"
#include "msg_wnd_harness.h"
#include "platform/debug_output.h"
#include "support/temp_data_folder.h"
#include "support/trace_capture.h"
#include "test_window.h"
#include "ui/toolkit/controls/label_ui.h"
#include "ui/toolkit/qt_paint.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/window_api.h"
#include "ui_test_environment.h"

namespace {

// The layout's window size at 96 DPI.
constexpr SIZE kPromptSize{420, 212};

CDuiString Translated(const char* key) { return CResourceManager::GetInstance()->GetText(key); }

class MsgWndTest : public testing::Test {
 protected:
  void SetUp() override { UseShippedSkin("lan_en.xml"); }
  // A prompt sets every window's DPI; the next test starts at 96 again.
  void TearDown() override {
    CPaintManagerUI::SetAllDPI(96);
    CPaintManagerUI::SetInterfaceFontFace("");
    EXPECT_EQ(OpenPrompt(), nullptr) << "the prompt window is gone after its answer";
  }
};

}  // namespace

// ---- Answers ----

struct AnswerCase {
  const char* name;
  int buttonMode;
  PromptAction (*answer)();
  int expected;
};
void PrintTo(const AnswerCase& c, std::ostream* out) { *out << c.name; }

class PromptAnswerTest : public MsgWndTest, public testing::WithParamInterface<AnswerCase> {};

TEST_P(PromptAnswerTest, OnlyConfirmAnswersOne) {
  const AnswerCase& c = GetParam();
  AnswerNextPrompt(c.answer());
  EXPECT_EQ(ShowMessageBox(nullptr, "", "message_text_22", 96, true, c.buttonMode), c.expected);
}

INSTANTIATE_TEST_SUITE_P(ButtonsAndClose, PromptAnswerTest,
                         testing::Values(AnswerCase{"QuestionConfirm", 1, [] { return ClickOn("confirm_btn"); }, 1},
                                         AnswerCase{"QuestionCancel", 1, [] { return ClickOn("cancel_btn"); }, 0},
                                         AnswerCase{"QuestionCloseButton", 1, [] { return ClickOn("closebtn"); }, 0},
                                         AnswerCase{"QuestionWindowManagerClose", 1,
                                                    [] { return CloseFromWindowManager(); }, 0},
                                         AnswerCase{"NoticeConfirm", 0, [] { return ClickOn("confirm_btn"); }, 1},
                                         AnswerCase{"NoticeCloseButton", 0, [] { return ClickOn("closebtn"); }, 0},
                                         AnswerCase{"QuestionEnter", 1, [] { return PressKey(Qt::Key_Return); }, 1},
                                         AnswerCase{"QuestionKeypadEnter", 1,
                                                    [] { return PressKey(Qt::Key_Enter); }, 1},
                                         AnswerCase{"QuestionEscape", 1, [] { return PressKey(Qt::Key_Escape); }, 0},
                                         AnswerCase{"QuestionEnterOnTheFocusedCancel", 1,
                                                    [] { return PressKey(Qt::Key_Return, "cancel_btn"); }, 0},
                                         AnswerCase{"QuestionEnterOnTheFocusedConfirm", 1,
                                                    [] { return PressKey(Qt::Key_Return, "confirm_btn"); }, 1},
                                         AnswerCase{"NoticeEnter", 0, [] { return PressKey(Qt::Key_Return); }, 1},
                                         AnswerCase{"NoticeEscape", 0, [] { return PressKey(Qt::Key_Escape); }, 0}),
                         [](const testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

TEST_F(MsgWndTest, PromptIsCentredOverItsDisabledOwnerAtTheCallersDpi) {
  CTestWindow owner("<Window size='400,300'><Control/></Window>");
  HWND ownerHwnd = owner.CreateHidden();
  MoveWindow(ownerHwnd, 60, 40, 400, 300);
  ShowWindow(ownerHwnd, SW_SHOW);
  RECT prompt{};
  RECT client{};
  RECT ownerRect{};
  bool ownerEnabledMeanwhile = true;
  int dpiMeanwhile = 0;
  AnswerNextPrompt(ClickOn("confirm_btn"), [&](CPaintManagerUI& open) {
    GetWindowRect(open.GetPaintWindow(), &prompt);
    GetClientRect(open.GetPaintWindow(), &client);
    GetWindowRect(ownerHwnd, &ownerRect);
    ownerEnabledMeanwhile = IsWindowEnabled(ownerHwnd);
    dpiMeanwhile = open.GetDPI();
  });
  EXPECT_EQ(ShowMessageBox(ownerHwnd, "", "message_text_28", 144, true, 1), 1);
  EXPECT_FALSE(ownerEnabledMeanwhile) << "the owner is disabled while the prompt is open";
  EXPECT_TRUE(IsWindowEnabled(ownerHwnd));
  EXPECT_EQ(dpiMeanwhile, 144);
  EXPECT_EQ(client, (RECT{0, 0, kPromptSize.cx * 3 / 2, kPromptSize.cy * 3 / 2}));
  EXPECT_EQ(RectWidth(ownerRect), 600) << "every window follows the prompt's DPI";
  EXPECT_NEAR((prompt.left + prompt.right) / 2, (ownerRect.left + ownerRect.right) / 2, 1);
  EXPECT_NEAR((prompt.top + prompt.bottom) / 2, (ownerRect.top + ownerRect.bottom) / 2, 1);
  DestroyWindow(ownerHwnd);
}

// The main window's texts changed face when the first prompt was built. Both windows include the
// shared style sheet; the language's face was applied before the prompt existed.
TEST_F(MsgWndTest, APromptDrawsInTheLanguagesFaceAndLeavesItsOwnersFontsAlone) {
  CTestWindow owner("<Window size='400,300'><Include source='styles.xml'/><Label font='1' text='T640'/></Window>");
  HWND ownerHwnd = owner.CreateHidden();
  CPaintManagerUI::SetInterfaceFontFace("WenQuanYi Micro Hei");
  auto fonts = [](const CPaintManagerUI& manager) {
    std::string described;
    for (int id = 0; id < 5; ++id) {
      const TFontInfo font = manager.GetFont(id);
      described += font.sFontName.str() + " " + std::to_string(font.iSize) + (font.bBold ? " bold; " : "; ");
    }
    return described;
  };
  const std::string before = fonts(owner.Manager());
  std::string inPrompt;
  AnswerNextPrompt(PressKey(Qt::Key_Return), [&](CPaintManagerUI& open) { inPrompt = fonts(open); });
  EXPECT_EQ(ShowMessageBox(ownerHwnd, "", "message_text_30", 96, true, 1), 1);
  EXPECT_EQ(fonts(owner.Manager()), before);
  EXPECT_EQ(inPrompt, before) << "the prompt uses the same sheet in the same face";
  CPaintManagerUI::SetInterfaceFontFace("");
  EXPECT_NE(fonts(owner.Manager()), before) << "the face came from the language, not the sheet";
  DestroyWindow(ownerHwnd);
}

TEST_F(MsgWndTest, FormattedNoticeShowsTheTranslatedTextWithItsNumber) {
  // As callers do: translate the key with a label in resource-text mode, format it, and pass
  // the result as a finished text.
  CLabelUI translator;
  translator.SetResourceText(true);
  translator.SetText("message_text_16");
  CDuiString formatted;
  formatted.Format(translator.GetText().GetData(), 37);
  ASSERT_NE(formatted.Find("37"), -1);
  CDuiString shown;
  bool cancelVisible = true;
  AnswerNextPrompt(ClickOn("confirm_btn"), [&](CPaintManagerUI& open) {
    shown = open.FindControl("MessageText")->GetText();
    cancelVisible = open.FindControl("cancel_btn")->IsVisible();
  });
  EXPECT_EQ(ShowMessageBox(nullptr, "", formatted, 96, false, 0), 1);
  EXPECT_EQ(shown, formatted);
  EXPECT_FALSE(cancelVisible);
}

TEST_F(MsgWndTest, LayoutThatCannotBeBuiltAnswersCancelWithoutAWindow) {
  UseFixtureSkin();  // a resource index without the prompt layout
  EXPECT_EQ(ShowMessageBox(nullptr, "", "message_text_22", 96, true, 1), 0);
}

TEST_F(MsgWndTest, CallFromAnotherThreadShowsNothingAndAnswersCancel) {
  int answer = -1;
  std::thread worker([&] { answer = ShowMessageBox(nullptr, "", "message_text_22", 96, true, 1); });
  worker.join();
  EXPECT_EQ(answer, 0);
}

// ---- Title and text ----

struct TextCase {
  const char* name;
  const char* title;
  const char* text;
  bool textIsKey;
  const char* expectedTitleKey;  // shown translated
  const char* expectedText;
  bool expectedTextIsKey;
};
void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class PromptTextTest : public MsgWndTest, public testing::WithParamInterface<TextCase> {};

TEST_P(PromptTextTest, ShowsKeysTranslatedAndLiteralTextAsItIs) {
  const TextCase& c = GetParam();
  CDirectMsgWnd prompt;
  ASSERT_NE(prompt.Handle(), nullptr);
  prompt->SetMessageTitle(c.title);
  prompt->SetMessageText(c.text, c.textIsKey);
  EXPECT_EQ(prompt.Control("MessageTitle")->GetText(), Translated(c.expectedTitleKey));
  const CDuiString expectedText = c.expectedTextIsKey ? Translated(c.expectedText) : CDuiString(c.expectedText);
  EXPECT_EQ(prompt.Control("MessageText")->GetText(), expectedText);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PromptTextTest,
    testing::Values(TextCase{"EmptyTitleAndTextKeepTheLayouts", "", "", true, "msgwnd_title", "", false},
                    TextCase{"NullTitleAndTextKeepTheLayouts", nullptr, nullptr, true, "msgwnd_title", "", false},
                    TextCase{"UpdateQuestion", "UpdateTiShi", "UpdateTiShiText", true, "UpdateTiShi", "UpdateTiShiText",
                             true},
                    TextCase{"KeyPassedAsLiteralShowsTheKey", "", "message_text_22", false, "msgwnd_title",
                             "message_text_22", false},
                    TextCase{"LiteralText", "", "Profil \xC3\xBC 3 \xE2\x9C\x93", false, "msgwnd_title",
                             "Profil \xC3\xBC 3 \xE2\x9C\x93", false}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST_F(MsgWndTest, LiteralTextAfterAKeyIsNoLongerTranslated) {
  CDirectMsgWnd prompt;
  prompt->SetMessageText("message_text_4", true);
  prompt->SetMessageText("message_text_4", false);
  EXPECT_EQ(prompt.Control("MessageText")->GetText(), CDuiString("message_text_4"));
}

// ---- Button modes ----

struct ButtonModeCase {
  const char* name;
  std::vector<int> modes;  // applied in order
  bool confirmVisible;
  bool cancelVisible;
};
void PrintTo(const ButtonModeCase& c, std::ostream* out) { *out << c.name; }

class ButtonModeTest : public MsgWndTest, public testing::WithParamInterface<ButtonModeCase> {};

TEST_P(ButtonModeTest, NoticeHidesCancelQuestionShowsBothOthersLeaveThem) {
  const ButtonModeCase& c = GetParam();
  CDirectMsgWnd prompt;
  for (int mode : c.modes) prompt->SetButtonMode(mode);
  EXPECT_EQ(prompt.Control("confirm_btn")->IsVisible(), c.confirmVisible);
  EXPECT_EQ(prompt.Control("cancel_btn")->IsVisible(), c.cancelVisible);
}

INSTANTIATE_TEST_SUITE_P(Modes, ButtonModeTest,
                         testing::Values(ButtonModeCase{"Notice", {0}, true, false},
                                         ButtonModeCase{"Question", {1}, true, true},
                                         ButtonModeCase{"UnknownModeKeepsTheLayouts", {2}, true, true},
                                         ButtonModeCase{"NegativeModeKeepsTheLayouts", {-1}, true, true},
                                         ButtonModeCase{"UnknownModeAfterNoticeKeepsCancelHidden", {0, 7}, true, false},
                                         ButtonModeCase{"QuestionAfterNoticeShowsCancelAgain", {0, 1}, true, true}),
                         [](const testing::TestParamInfo<ButtonModeCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(MsgWndTest, NoticeConfirmSitsWhereTheQuestionsConfirmDoes) {
  CDirectMsgWnd question;
  question->SetButtonMode(1);
  question.Manager().UpdateLayout();
  CDirectMsgWnd notice;
  notice->SetButtonMode(0);
  notice.Manager().UpdateLayout();
  EXPECT_EQ(notice.Control("confirm_btn")->GetPos(), question.Control("confirm_btn")->GetPos());
}

// ---- DPI ----

struct DpiCase {
  int requested;
  int stored;
  bool traced;
  int bystanderAfter;  // a window of the program that was at 120 before
};
void PrintTo(const DpiCase& c, std::ostream* out) { *out << "DPI " << c.requested; }

class PromptDpiTest : public MsgWndTest, public testing::WithParamInterface<DpiCase> {};

TEST_P(PromptDpiTest, AcceptedValuesScaleEveryWindowOthersFallBackTo96) {
  const DpiCase& c = GetParam();
  CTestWindow bystander("<Window size='100,80'><Control/></Window>");
  bystander.CreateHidden();
  bystander.Manager().SetDPI(120);
  CDirectMsgWnd prompt;
  TraceCapture trace;
  prompt->SetWindowDpi(c.requested);
  EXPECT_EQ(prompt->GetWindowDpi(), c.stored);
  EXPECT_EQ(trace.Text().find("MSG_WND DPI SET ERROR") != std::string::npos, c.traced) << trace.Text();
  EXPECT_EQ(bystander.Manager().GetDPI(), c.bystanderAfter);
  EXPECT_EQ(prompt.Manager().GetDPI(), c.stored);
  DestroyWindow(bystander);
}

INSTANTIATE_TEST_SUITE_P(Values, PromptDpiTest,
                         testing::Values(DpiCase{48, 48, false, 48}, DpiCase{72, 72, false, 72},
                                         DpiCase{120, 120, false, 120}, DpiCase{144, 144, false, 144},
                                         DpiCase{168, 168, false, 168}, DpiCase{192, 192, false, 192},
                                         // The value already kept: nothing happens at all.
                                         DpiCase{96, 96, false, 120}, DpiCase{100, 96, true, 96},
                                         DpiCase{0, 96, true, 96}, DpiCase{-144, 96, true, 96},
                                         DpiCase{960, 96, true, 96}),
                         [](const testing::TestParamInfo<DpiCase>& info) {
                           const int dpi = info.param.requested;
                           return (dpi < 0 ? "Minus" + std::to_string(-dpi) : std::to_string(dpi));
                         });

TEST_F(MsgWndTest, BadValueAfterAGoodOneStores96) {
  CDirectMsgWnd prompt;
  prompt->SetWindowDpi(144);
  TraceCapture trace;
  prompt->SetWindowDpi(100);
  EXPECT_EQ(prompt->GetWindowDpi(), 96);
  EXPECT_EQ(prompt.Manager().GetDPI(), 96);
  EXPECT_NE(trace.Text().find("MSG_WND DPI SET ERROR"), std::string::npos);
}

TEST_F(MsgWndTest, DpiChangeFromTheSystemRescalesAndTakesTheSuggestedRectangle) {
  CDirectMsgWnd prompt;
  RECT suggested{40, 50, 40 + 630, 50 + 318};
  SendMessage(prompt.Handle(), WM_DPICHANGED, WPARAM(144 | (144 << 16)), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(prompt.Manager().GetDPI(), 144);
  RECT now;
  GetWindowRect(prompt.Handle(), &now);
  EXPECT_EQ(now, suggested);
}

// ---- Look ----

class PromptLookTest : public MsgWndTest, public testing::WithParamInterface<int> {};

TEST_P(PromptLookTest, NearBlackWithTheAccentOnConfirmAtEveryScale) {
  const int dpi = GetParam();
  CDirectMsgWnd prompt;
  prompt->SetMessageText("message_text_22", true);
  prompt->SetWindowDpi(dpi);
  prompt->SetButtonMode(1);
  prompt.Manager().UpdateLayout();
  const QImage image = RenderToImage(prompt.Manager());
  ASSERT_EQ(image.width(), kPromptSize.cx * dpi / 96);
  ASSERT_EQ(image.height(), kPromptSize.cy * dpi / 96);
  const RECT& text = prompt.Control("MessageText")->GetPos();
  EXPECT_TRUE(NearColor(image.pixel(text.right - 2, text.bottom - 2), qRgb(0x0B, 0x0C, 0x0F))) << "window surface";
  const RECT& confirm = prompt.Control("confirm_btn")->GetPos();
  EXPECT_TRUE(
      NearColor(image.pixel(confirm.left + 4 * dpi / 96, confirm.bottom - 4 * dpi / 96), qRgb(0x00, 0xD4, 0xFF)))
      << "accent button";
}

INSTANTIATE_TEST_SUITE_P(Scales, PromptLookTest, testing::Values(96, 144));

// ---- Automation seam ----

struct AnswererCase {
  int answered;
  int returned;
};
void PrintTo(const AnswererCase& c, std::ostream* out) { *out << "answered " << c.answered; }

class PromptAnswererTest : public MsgWndTest, public testing::WithParamInterface<AnswererCase> {};

TEST_P(PromptAnswererTest, AnswersInsteadOfTheWindowAndSeesWhatItWouldShow) {
  const AnswererCase& c = GetParam();
  CTestWindow owner("<Window size='100,80'><Control/></Window>");
  HWND ownerHwnd = owner.CreateHidden();
  const size_t windowsBefore = CPaintManagerUI::GetPaintManagers().size();
  size_t windowsMeanwhile = 0;
  {
    CScopedPromptAnswerer answerer([&](const PromptRecord&) {
      windowsMeanwhile = CPaintManagerUI::GetPaintManagers().size();
      return c.answered;
    });
    EXPECT_EQ(ShowMessageBox(ownerHwnd, "UpdateTiShi", "UpdateTiShiText", 144, true, 1), c.returned);
    ASSERT_EQ(answerer.Prompts().size(), 1u);
    const PromptRecord& seen = answerer.Prompts().front();
    EXPECT_EQ(seen.parent, ownerHwnd);
    EXPECT_EQ(seen.titleKey, "UpdateTiShi");
    EXPECT_EQ(seen.text, "UpdateTiShiText");
    EXPECT_TRUE(seen.textIsKey);
    EXPECT_EQ(seen.buttonMode, 1);
    EXPECT_EQ(seen.dpi, 144);
  }
  EXPECT_EQ(windowsMeanwhile, windowsBefore) << "no window was made";
  EXPECT_EQ(owner.Manager().GetDPI(), 96) << "nothing was rescaled";
  EXPECT_FALSE(SetPromptAnswerer({})) << "the answerer is removed with its scope";
  DestroyWindow(ownerHwnd);
}

INSTANTIATE_TEST_SUITE_P(Answers, PromptAnswererTest,
                         testing::Values(AnswererCase{1, 1}, AnswererCase{0, 0}, AnswererCase{2, 0},
                                         AnswererCase{-1, 0}));

TEST_F(MsgWndTest, AnswererRecordsNullTextsAsEmpty) {
  CScopedPromptAnswerer answerer([](const PromptRecord&) { return 1; });
  EXPECT_EQ(ShowMessageBox(nullptr, nullptr, nullptr, 96, false, 0), 1);
  ASSERT_EQ(answerer.Prompts().size(), 1u);
  EXPECT_EQ(answerer.Prompts().front().titleKey, "");
  EXPECT_EQ(answerer.Prompts().front().text, "");
}
