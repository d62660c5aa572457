#include <gtest/gtest.h>

#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/paint_manager_ui.h"

namespace {

// Two device pages holding the same control names, as the real pages do.
constexpr const char* kPages =
    "<VerticalLayout name='root'>"
    "  <HorizontalLayout name='page_mouse'><Label name='device_title' userdata='mouse'/>"
    "    <Button name='DPI_slider_1' userdata='mouse slider'/></HorizontalLayout>"
    "  <HorizontalLayout name='page_keyboard'><Label name='device_title' userdata='keyboard'/>"
    "    <Button name='DPI_slider_1' userdata='keyboard slider'/><Label name='extra'/></HorizontalLayout>"
    "</VerticalLayout>";

class ControlLookup : public testing::Test {
 protected:
  void SetUp() override {
    CDialogBuilder builder;
    manager.AttachDialog(builder.Create(kPages, nullptr, nullptr, &manager));
  }
  CPaintManagerUI manager;
};

}  // namespace

TEST_F(ControlLookup, RepeatedNamesFindTheFirstInTreeOrder) {
  EXPECT_EQ(manager.FindControl("device_title")->GetUserData(), "mouse");
  EXPECT_EQ(manager.FindControl("DPI_slider_1")->GetUserData(), "mouse slider");
  EXPECT_EQ(manager.FindControl("root"), manager.GetRoot()) << "the root itself is part of the tree";
  EXPECT_EQ(manager.FindControl("nothing"), nullptr);
  EXPECT_EQ(manager.FindControl(""), nullptr);
}

TEST_F(ControlLookup, ScopedLookupStaysInsideItsParent) {
  CControlUI* keyboard = manager.FindControl("page_keyboard");
  EXPECT_EQ(manager.FindSubControlByName(keyboard, "device_title")->GetUserData(), "keyboard");
  EXPECT_EQ(manager.FindSubControlByName(keyboard, "page_keyboard"), keyboard);
  EXPECT_EQ(manager.FindSubControlByName(manager.FindControl("page_mouse"), "extra"), nullptr);
}

TEST_F(ControlLookup, ClassLookupCountsMatchesInTreeOrderCaseInsensitively) {
  CControlUI* keyboard = manager.FindControl("page_keyboard");
  EXPECT_EQ(manager.FindSubControlsByClass(nullptr, "button").size(), 2u);
  EXPECT_EQ(manager.FindSubControlsByClass(keyboard, "Label").size(), 2u);
  EXPECT_EQ(manager.FindSubControlByClass(keyboard, "Label", 1)->GetName(), "extra");
  EXPECT_EQ(manager.FindSubControlByClass(keyboard, "Label", 2), nullptr);
}

TEST_F(ControlLookup, RemovedControlsAreNoLongerFound) {
  auto* mouse = static_cast<CContainerUI*>(manager.FindControl("page_mouse"));
  mouse->RemoveAt(0);
  EXPECT_EQ(manager.FindControl("device_title")->GetUserData(), "keyboard");
}
