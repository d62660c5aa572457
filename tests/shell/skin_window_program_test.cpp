// The skin panel as the user reaches it in the whole program: the skin button opens it under
// itself, each choice changes the main window's background (and, for offered images and the
// stock background, "main.ini"), a picture of the user's own is checked first, and the next start
// shows the recorded background.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "program_fixture.h"
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/file_dialog.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "ui/toolkit/window_api.h"
#include "windows/msg_wnd.h"
#include "windows/skin_wnd/skin_change_broadcast.h"

namespace {

// A spot of the main window where nothing lies over its background: the margin left of the page.
constexpr int kBackgroundSpotX = 8;
constexpr int kBackgroundSpotY = 400;

std::vector<CPaintManagerUI*> OpenPanels() {
  std::vector<CPaintManagerUI*> panels;
  for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
    HWND window = manager->GetPaintWindow();
    if (window && IsWindow(window) && manager->FindControl("skin_tab")) panels.push_back(manager);
  }
  return panels;
}

void Collect(CControlUI* control, const std::string& name, std::vector<CControlUI*>& found) {
  if (!control) return;
  if (control->GetName().str() == name) found.push_back(control);
  if (auto* container = static_cast<CContainerUI*>(control->GetInterface("Container"))) {
    for (int i = 0; i < container->GetCount(); ++i) Collect(container->GetItemAt(i), name, found);
  }
}

// Every control of the panel with that name, in layout order.
std::vector<CControlUI*> Named(CPaintManagerUI& panel, const std::string& name) {
  std::vector<CControlUI*> found;
  Collect(panel.GetRoot(), name, found);
  return found;
}

void Click(CPaintManagerUI& panel, CControlUI* control) {
  ASSERT_NE(control, nullptr);
  panel.SendNotify(control, "click");
}

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string SolidPicture(const std::string& path, int width, int height, QColor colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
  return path;
}

class SkinPanelProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = std::make_unique<Program>("mouse", &data_);
    ASSERT_TRUE(PumpUntil([&] { return program_->MouseShownAndRead(); }, kSettleMs));
  }
  void TearDown() override {
    for (CPaintManagerUI* panel : OpenPanels()) ::SendMessage(panel->GetPaintWindow(), WM_CLOSE, 0, 0);
    program_.reset();
  }

  CPaintManagerUI& OpenPanel() {
    const size_t before = OpenPanels().size();
    program_->Window().GetPaintManager()->SendNotify(program_->Control("skinbtn"), "click");
    const std::vector<CPaintManagerUI*> panels = OpenPanels();
    EXPECT_EQ(panels.size(), before + 1) << "the skin button opens a panel";
    return *panels.back();
  }
  CControlUI* Root() { return program_->Control("root"); }
  std::string RootImage() { return Root()->GetBkImage().str(); }
  std::optional<std::string> MainIni() { return ReadFile(data_.Path() + "/T640/main.ini"); }
  // The main window as it is painted, at the spot where its background shows.
  QColor BackgroundShown() {
    const std::string path = data_.Path() + "/shown.png";
    program_->Window().GetPaintManager()->UpdateLayout();
    EXPECT_TRUE(program_->Window().GetPaintManager()->SaveWindowImage(path));
    return QImage(QString::fromStdString(path)).pixelColor(kBackgroundSpotX, kBackgroundSpotY);
  }
  // "skin_Custom" with the chooser answering `chosen` (nothing: cancelled); the prompts shown.
  std::vector<std::string> ChooseOwnPicture(std::optional<std::string> chosen) {
    CScopedFileDialogAnswerer chooser([chosen](const FileDialogRequest& request) {
      EXPECT_EQ(request.mode, FileDialogRequest::Mode::kOpen);
      EXPECT_EQ(request.extension, "png");
      return chosen;
    });
    CScopedPromptAnswerer prompts([](const PromptRecord&) { return 1; });
    CPaintManagerUI& panel = OpenPanel();
    const size_t open = OpenPanels().size();
    Click(panel, panel.FindControl("skin_Custom"));
    // The panel goes first; the chooser runs once it has.
    PumpUntil([&] { return OpenPanels().size() < open; });
    PumpUiEvents();
    std::vector<std::string> keys;
    for (const PromptRecord& prompt : prompts.Prompts()) keys.push_back(prompt.text);
    return keys;
  }

  TempDataFolder data_;
  std::unique_ptr<Program> program_;
};

}  // namespace

TEST_F(SkinPanelProgram, TheSkinButtonOpensAPanelUnderItselfEveryTimeItIsClicked) {
  CControlUI* button = program_->Control("skinbtn");
  ASSERT_TRUE(button->IsEnabled());
  CPaintManagerUI& first = OpenPanel();
  RECT panel{};
  GetWindowRect(first.GetPaintWindow(), &panel);
  POINT corner{button->GetPos().right, button->GetPos().bottom};
  ClientToScreen(program_->Window().GetHWND(), &corner);
  EXPECT_EQ(panel.right, corner.x) << "its right edge under the button's";
  EXPECT_EQ(panel.top, corner.y) << "its top on the button's bottom";
  EXPECT_EQ(panel.right - panel.left, first.GetDPIObj()->Scale(first.GetInitSize().cx));
  OpenPanel();
  EXPECT_EQ(OpenPanels().size(), 2u) << "a second click opens a second panel";
  // Losing the focus closes a panel; it goes with its window.
  ::SendMessage(first.GetPaintWindow(), WM_KILLFOCUS, 0, 0);
  EXPECT_TRUE(PumpUntil([] { return OpenPanels().size() == 1; }));
}

TEST_F(SkinPanelProgram, AClickOutsideThePanelOrEscapeClosesItAndAClickInsideDoesNot) {
  CPaintManagerUI& panel = OpenPanel();
  HWND window = panel.GetPaintWindow();
  RECT client{};
  GetClientRect(window, &client);
  ::SendMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2, client.bottom - 2));
  ::SendMessage(window, WM_LBUTTONUP, 0, MAKELPARAM(client.right / 2, client.bottom - 2));
  PumpUiEvents();
  EXPECT_EQ(OpenPanels().size(), 1u) << "a click inside";
  ::SendMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right + 5, -3));
  EXPECT_TRUE(PumpUntil([] { return OpenPanels().empty(); })) << "a click outside";
  HWND second = OpenPanel().GetPaintWindow();
  ::SendMessage(second, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(PumpUntil([] { return OpenPanels().empty(); })) << "Escape";
}

TEST_F(SkinPanelProgram, EachChoiceChangesTheBackgroundAndOnlyImagesAndTheResetAreRecorded) {
  struct Step {
    const char* control;
    int nth;  // which of the controls of that name
    const char* image;  // what the main window's background image names; "" for none
    DWORD colour;
    const char* recorded;  // main.ini afterwards; null: not written yet
  };
  const Step steps[] = {
      {"skin_color_btn", 2, "", 0xFF0E1A2E, nullptr},
      {"skin_image_btn", 1, "background/dusk.png", 0, "[SKINIMAGE]\nFLAGS=1\nIMAGE=background/dusk.png\n"},
      // A colour after an image: the window shows the colour, the file still says the image.
      {"skin_color_btn", 5, "", 0xFF2A1212, "[SKINIMAGE]\nFLAGS=1\nIMAGE=background/dusk.png\n"},
      {"skin_image_btn", 4, "background/forest.png", 0, "[SKINIMAGE]\nFLAGS=1\nIMAGE=background/forest.png\n"},
      {"skin_reset", 0, "common/background.png", 0, "[SKINIMAGE]\nFLAGS=0\nIMAGE=common/background.png\n"},
  };
  for (const Step& step : steps) {
    CPaintManagerUI& panel = OpenPanel();
    const std::vector<CControlUI*> controls = Named(panel, step.control);
    ASSERT_GT(controls.size(), static_cast<size_t>(step.nth)) << step.control;
    Click(panel, controls[static_cast<size_t>(step.nth)]);
    const std::string image = RootImage();
    if (*step.image) {
      EXPECT_NE(image.find(std::string("file='") + step.image + "'"), std::string::npos) << image;
      EXPECT_NE(image.find("source='0,0,1500,960'"), std::string::npos) << "drawn whole: " << image;
    } else {
      EXPECT_EQ(image, "") << step.control;
    }
    EXPECT_EQ(Root()->GetBkColor(), step.colour) << step.control << " " << step.nth;
    EXPECT_EQ(MainIni(), step.recorded ? std::optional<std::string>(step.recorded) : std::nullopt)
        << step.control << " " << step.nth;
    ::SendMessage(panel.GetPaintWindow(), WM_CLOSE, 0, 0);
  }
}

TEST_F(SkinPanelProgram, TheMainWindowIsPaintedInTheChosenBackground) {
  const QColor before = BackgroundShown();
  BroadcastSkinChange(SkinChangedParam{true, 0xFF336699, {}});
  EXPECT_EQ(BackgroundShown(), QColor(0x33, 0x66, 0x99));
  const std::string picture = SolidPicture(data_.Path() + "/red.png", 300, 200, QColor(200, 40, 90));
  BroadcastSkinChange(SkinChangedParam{false, 0, picture});
  EXPECT_EQ(BackgroundShown(), QColor(200, 40, 90));
  BroadcastSkinChange(SkinChangedParam{false, 0, "common/background.png"});
  EXPECT_NE(BackgroundShown(), QColor(200, 40, 90));
  EXPECT_NE(before, QColor(0x33, 0x66, 0x99));
}

TEST_F(SkinPanelProgram, TheTabsShowThePicturesOrTheColours) {
  CPaintManagerUI& panel = OpenPanel();
  auto* tab = static_cast<CTabLayoutUI*>(panel.FindControl("skin_tab")->GetInterface("TabLayout"));
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(tab->GetCurSel(), 0);
  Click(panel, panel.FindControl("skin_color"));
  EXPECT_EQ(tab->GetCurSel(), 1);
  Click(panel, panel.FindControl("skin_image"));
  EXPECT_EQ(tab->GetCurSel(), 0);
}

TEST_F(SkinPanelProgram, APictureOfTheUsersOwnFillsTheWindowKeepingItsShapeAndIsNotRecorded) {
  const std::string picture = SolidPicture(data_.Path() + "/it's wide.png", 1600, 600, QColor(20, 120, 60));
  EXPECT_TRUE(ChooseOwnPicture(picture).empty());
  EXPECT_EQ(RootImage(), "file=\"" + picture + "\" source='331,0,1268,600'");
  EXPECT_EQ(Root()->GetBkColor(), 0u);
  EXPECT_EQ(BackgroundShown(), QColor(20, 120, 60));
  EXPECT_EQ(MainIni(), std::nullopt);
}

TEST_F(SkinPanelProgram, ARefusedPictureChangesNothingAndTheNoticeSaysWhy) {
  const std::string dir = data_.Path() + "/";
  std::ofstream(dir + "notes.png") << "not a picture";
  const std::string cut = SolidPicture(dir + "cut.png", 400, 300, QColor(1, 2, 3));
  const std::string bytes = *ReadFile(cut);
  std::ofstream(cut, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() / 2);
  struct Case {
    std::string path;
    const char* notice;
  };
  const Case cases[] = {
      {dir + "notes.png", "skin_picture_not_png"},
      {cut, "skin_picture_damaged"},
      {SolidPicture(dir + "huge.png", 8193, 4, QColor(1, 2, 3)), "skin_picture_too_large"},
      {dir + "gone.png", "skin_picture_unreadable"},
      {SolidPicture(dir + "both'\".png", 10, 10, QColor(1, 2, 3)), "skin_picture_name"},
  };
  BroadcastSkinChange(SkinChangedParam{true, 0xFF0F2119, {}});
  for (const Case& test : cases) {
    EXPECT_EQ(ChooseOwnPicture(test.path), std::vector<std::string>{test.notice}) << test.path;
    EXPECT_EQ(Root()->GetBkColor(), 0xFF0F2119u) << test.path;
    EXPECT_EQ(RootImage(), "") << test.path;
  }
  EXPECT_TRUE(ChooseOwnPicture(std::nullopt).empty()) << "a cancelled chooser says nothing";
  EXPECT_EQ(Root()->GetBkColor(), 0xFF0F2119u);
  EXPECT_EQ(MainIni(), std::nullopt);
}

TEST(SkinPanelRestart, TheNextStartShowsTheRecordedBackgroundAndIgnoresAnythingElse) {
  TempDataFolder data;
  {
    Program first("mouse", &data);
    ASSERT_TRUE(PumpUntil([&] { return first.MouseShownAndRead(); }, kSettleMs));
    EXPECT_EQ(first.Control("root")->GetBkImage().str(), "") << "a first start shows the layout's own";
    CPaintManagerUI* panel = nullptr;
    first.Window().OpenSkinPanel(nullptr);
    for (CPaintManagerUI* manager : OpenPanels()) panel = manager;
    ASSERT_NE(panel, nullptr);
    std::vector<CControlUI*> images = Named(*panel, "skin_image_btn");
    ASSERT_GE(images.size(), 3u);
    panel->SendNotify(images[2], "click");
    ::SendMessage(panel->GetPaintWindow(), WM_CLOSE, 0, 0);
  }
  struct Case {
    const char* file;  // null: as the first run left it
    const char* shown;
  };
  const Case cases[] = {
      {nullptr, "file='background/ember.png'"},
      {"[SKINIMAGE]\nFLAGS=0\nIMAGE=common/background.png\n", "file='common/background.png'"},
      {"[SKINIMAGE]\nFLAGS=1\nIMAGE=../../../etc/hostname\n", ""},
      {"[SKINIMAGE]\nFLAGS=1\nIMAGE=/usr/share/pixmaps/debian-logo.png\n", ""},
      {"[SKINIMAGE]\nFLAGS=1\nIMAGE=background/none.png\n", ""},
      {"[SKINIMAGE]\nFLAGS=3\nIMAGE=background/dusk.png\n", ""},
      {"garbage", ""},
  };
  for (const Case& test : cases) {
    if (test.file) std::ofstream(data.Path() + "/T640/main.ini", std::ios::trunc) << test.file;
    Program next("mouse", &data);
    ASSERT_TRUE(PumpUntil([&] { return next.MouseShownAndRead(); }, kSettleMs));
    const std::string image = next.Control("root")->GetBkImage().str();
    if (*test.shown) {
      EXPECT_NE(image.find(test.shown), std::string::npos) << image;
    } else {
      EXPECT_EQ(image, "") << (test.file ? test.file : "");
      EXPECT_EQ(next.Control("root")->GetBkColor(), 0xFF0B0C0Fu) << "the layout's own background";
    }
  }
}
