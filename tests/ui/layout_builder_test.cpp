#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/toolkit/control_factory.h"
#include "ui/toolkit/controls/button_ui.h"
#include "ui/toolkit/controls/label_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/horizontal_layout_ui.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui_test_environment.h"

namespace {

CControlUI* Build(CPaintManagerUI& manager, const std::string& xml, IDialogBuilderCallback* callback = nullptr) {
  CDialogBuilder builder;
  CControlUI* root = builder.Create(xml.c_str(), nullptr, callback, &manager);
  if (root) manager.AttachDialog(root);
  return root;
}

// Records which tags reached the callback and answers some of them.
class CProbeCallback : public IDialogBuilderCallback {
 public:
  CControlUI* CreateControl(LPCTSTR pstrClass) override {
    asked.emplace_back(pstrClass);
    return answer ? answer(CDuiString(pstrClass)) : nullptr;
  }
  std::vector<std::string> asked;
  std::function<CControlUI*(const CDuiString&)> answer;
};

class CProbeUI : public CControlUI {
 public:
  LPCTSTR GetClass() const override { return "Probe"; }
};

class LayoutBuilder : public testing::Test {
 protected:
  void SetUp() override { UseFixtureSkin(); }
  CPaintManagerUI manager;
};

}  // namespace

TEST_F(LayoutBuilder, WindowLayoutSetsWindowAttributesFontsAndTree) {
  CControlUI* root = Build(manager, "XML_TEST");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetName(), "root");
  EXPECT_EQ(manager.GetInitSize(), (SIZE{300, 200}));
  EXPECT_EQ(manager.GetCaptionRect(), (RECT{0, 0, 0, 30}));
  EXPECT_EQ(manager.GetMinInfo(), (SIZE{200, 150}));
  EXPECT_EQ(manager.GetFont(2).iSize, 12);
  EXPECT_TRUE(manager.GetFont(1).bBold) << "the fonts of the included style sheet";
  auto* close = static_cast<CButtonUI*>(manager.FindControl("closebtn"));
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->GetFixedHeight(), 30) << "from the shared style";
  EXPECT_EQ(close->GetTextColor(), 0xFFFF8800u);
  auto* label = static_cast<CLabelUI*>(manager.FindControl("title_label"));
  EXPECT_EQ(label->GetTextColor(), 0xFF112233u) << "the class default of the style sheet";
}

TEST_F(LayoutBuilder, AttributesReachTheControl) {
  struct Case {
    const char* attributes;
    std::function<bool(CControlUI*)> holds;
  };
  const Case cases[] = {
      {"width=\"50\" height=\"20\"",
       [](CControlUI* c) { return c->GetFixedWidth() == 50 && c->GetFixedHeight() == 20; }},
      {"padding=\"1,2,3,4\"",
       [](CControlUI* c) {
         return c->GetPadding() == RECT{1, 2, 3, 4};
       }},
      {"bkcolor=\"#80112233\"", [](CControlUI* c) { return c->GetBkColor() == 0x80112233u; }},
      {"bkcolor=\"#112233\"", [](CControlUI* c) { return c->GetBkColor() == 0xFF112233u; }},
      {"visible=\"false\"", [](CControlUI* c) { return !c->IsVisible(); }},
      {"enabled=\"false\"", [](CControlUI* c) { return !c->IsEnabled(); }},
      {"mouse=\"false\"", [](CControlUI* c) { return !c->IsMouseEnabled(); }},
      {"userdata=\"slot 3\"", [](CControlUI* c) { return c->GetUserData() == "slot 3"; }},
      {"tag=\"7\"", [](CControlUI* c) { return c->GetTag() == 7u; }},
      {"tooltip=\"plain tip\"", [](CControlUI* c) { return c->GetToolTip() == "plain tip"; }},
      {"text=\"hello\"", [](CControlUI* c) { return c->GetText() == "hello"; }},
      {"float=\"true\" pos=\"5,6,25,16\"",
       [](CControlUI* c) {
         return c->IsFloat() && c->GetFixedXY() == SIZE{5, 6} && c->GetFixedWidth() == 20;
       }},
      {"bkimage=\"file='images/red.png' corner='1,1,1,1'\"",
       [](CControlUI* c) { return c->GetBkImage() == "file='images/red.png' corner='1,1,1,1'"; }},
      {"bordersize=\"2\" bordercolor=\"#FF0000FF\"",
       [](CControlUI* c) { return c->GetBorderSize() == 2 && c->GetBorderColor() == 0xFF0000FFu; }},
      {"minwidth=\"10\" maxwidth=\"90\"",
       [](CControlUI* c) { return c->GetMinWidth() == 10 && c->GetMaxWidth() == 90; }},
  };
  for (const Case& test : cases) {
    CPaintManagerUI scratch;
    CControlUI* control = Build(scratch, std::string("<Control name=\"c\" ") + test.attributes + "/>");
    ASSERT_NE(control, nullptr) << test.attributes;
    EXPECT_TRUE(test.holds(control)) << test.attributes;
  }
}

TEST_F(LayoutBuilder, UnknownTagsAskTheCallbackFirstThenTheFactoryByBothNames) {
  CControlFactory::GetInstance()->RegistControl("CProbeUI", []() -> CControlUI* { return new CProbeUI; });
  CProbeCallback callback;
  CControlUI* root = Build(manager,
                           "<VerticalLayout><Button name='b'/><probe name='p1'/><CProbeUI name='p2'/>"
                           "<Nothing name='n'/><Label name='after'/></VerticalLayout>",
                           &callback);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(callback.asked, (std::vector<std::string>{"probe", "CProbeUI", "Nothing"}))
      << "the toolkit's own tags never reach the callback";
  EXPECT_STREQ(manager.FindControl("p1")->GetClass(), "Probe");
  EXPECT_STREQ(manager.FindControl("p2")->GetClass(), "Probe");
  EXPECT_EQ(manager.FindControl("n"), nullptr) << "a tag nobody knows builds nothing";
  EXPECT_NE(manager.FindControl("after"), nullptr) << "and the layout goes on";

  callback.answer = [](const CDuiString& tag) -> CControlUI* { return tag == "probe" ? new CLabelUI : nullptr; };
  CPaintManagerUI other;
  Build(other, "<VerticalLayout><probe name='p1'/></VerticalLayout>", &callback);
  EXPECT_STREQ(other.FindControl("p1")->GetClass(), "Label") << "the callback wins over the factory";
}

TEST_F(LayoutBuilder, PlaceholderSubtreeTakesThePlaceholdersAttributes) {
  CProbeCallback callback;
  callback.answer = [this](const CDuiString& tag) -> CControlUI* {
    if (tag != "DeviceProfileItem") return nullptr;
    CDialogBuilder builder;
    return builder.Create("XML_ITEM", nullptr, nullptr, &manager);
  };
  Build(manager,
        "<VerticalLayout><DeviceProfileItem name='DeviceProfileItem' userdata='from layout' width='90'/>"
        "</VerticalLayout>",
        &callback);
  CControlUI* item = manager.FindControl("DeviceProfileItem");
  ASSERT_NE(item, nullptr);
  EXPECT_STREQ(item->GetClass(), "HorizontalLayout");
  EXPECT_EQ(item->GetUserData(), "from layout");
  EXPECT_EQ(item->GetFixedWidth(), 90);
  EXPECT_EQ(item->GetFixedHeight(), 24) << "attributes the placeholder does not set stay the sub-tree's";
  EXPECT_EQ(manager.FindControl("item_root"), nullptr);
  EXPECT_NE(manager.FindSubControlByName(item, "item_button"), nullptr);
}

TEST_F(LayoutBuilder, StylesApplyAfterClassDefaultsAndBeforeOwnAttributes) {
  Build(manager,
        "<Window><Include source='styles.xml'/><Style name='tall' height='50' textcolor='#FF010101'/>"
        "<VerticalLayout>"
        "<Label name='styled' style='wide tall'/>"
        "<Label name='overridden' style='tall' textcolor='#FF020202'/>"
        "<Label name='missing' style='no_such_style'/>"
        "</VerticalLayout></Window>");
  auto* styled = static_cast<CLabelUI*>(manager.FindControl("styled"));
  EXPECT_EQ(styled->GetFixedWidth(), 120);
  EXPECT_EQ(styled->GetFixedHeight(), 50);
  EXPECT_EQ(styled->GetTextColor(), 0xFF010101u) << "the style overrides the class default";
  EXPECT_EQ(static_cast<CLabelUI*>(manager.FindControl("overridden"))->GetTextColor(), 0xFF020202u);
  EXPECT_EQ(static_cast<CLabelUI*>(manager.FindControl("missing"))->GetTextColor(), 0xFF112233u);
}

TEST_F(LayoutBuilder, ControlRootBuildsASubtreeIntoTheParent) {
  Build(manager, "<Window size='120,80'><VerticalLayout name='host'/></Window>");
  auto* host = static_cast<CContainerUI*>(manager.FindControl("host"));
  CDialogBuilder builder;
  CControlUI* item = builder.Create("layouts\\item.xml", nullptr, nullptr, &manager, host);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(host->GetCount(), 1);
  EXPECT_EQ(host->GetItemAt(0), item);
  EXPECT_EQ(manager.GetInitSize(), (SIZE{120, 80})) << "a sub-tree leaves the window alone";
  EXPECT_EQ(manager.FindControl("item_text")->GetParent(), item);
  CControlUI* again = builder.Create(nullptr, &manager, host);
  EXPECT_NE(again, item);
  EXPECT_EQ(host->GetCount(), 2) << "the builder builds the loaded layout again";
}

TEST_F(LayoutBuilder, IncludedControlFilesBuildInPlaceAsManyTimesAsAsked) {
  Build(manager, "<VerticalLayout name='list'><Include source='layouts/item.xml' count='3'/></VerticalLayout>");
  auto* list = static_cast<CContainerUI*>(manager.FindControl("list"));
  EXPECT_EQ(list->GetCount(), 3);
}

TEST_F(LayoutBuilder, BrokenLayoutsBuildNothingAndSayWhy) {
  for (const char* xml :
       {"layouts/no_such_file.xml", "<VerticalLayout><Label></VerticalLayout>", "XML_NOT_REGISTERED"}) {
    CDialogBuilder builder;
    EXPECT_EQ(builder.Create(xml, nullptr, nullptr, &manager), nullptr) << xml;
    EXPECT_FALSE(builder.GetLastError().IsEmpty()) << xml;
  }
}
