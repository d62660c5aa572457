#include <gtest/gtest.h>

#include <string>

#include "controls_harness.h"
#include "skin_scan.h"
#include "device_stand_in.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/resource_manager.h"
#include "ui_test_environment.h"

TEST(SkinLayouts, EveryShippedLayoutBuilds) {
  UseShippedSkin();
  const std::vector<std::string> layouts = SkinLayoutFiles();
  ASSERT_GE(layouts.size(), 4u);
  for (const std::string& layout : layouts) {
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CDeviceStandInCallback deviceStandIn;
    CControlUI* root = builder.Create(layout.c_str(), nullptr, &deviceStandIn, &manager);
    EXPECT_NE(root, nullptr) << layout << ": " << builder.GetLastError().str();
    if (root) manager.AttachDialog(root);
  }
}

TEST(SkinLayouts, EveryImageTheSkinNamesExists) {
  UseShippedSkin();
  const std::map<std::string, std::string> images = SkinImageNames();
  ASSERT_GT(images.size(), 20u);
  for (const auto& [image, file] : images) {
    SIZE size;
    EXPECT_TRUE(CRenderEngine::GetImageSize(nullptr, image.c_str(), size)) << image << " named in " << file;
  }
}

TEST(SkinLayouts, ImagesTheCodeNamesResolveThroughTheResourceIndex) {
  UseShippedSkin();
  const char* names[] = {"power/powered.png",          "power/powering.png",       "power/power.png",
                         "power/Phone_type_iphone.png", "power/Phone_type_samsung.png",
                         "power/Phone_type_other.png",  "power/Phone_type_no_device.png"};
  for (const char* name : names) {
    SIZE size;
    EXPECT_TRUE(CRenderEngine::GetImageSize(nullptr, name, size)) << name;
  }
  EXPECT_FALSE(CResourceManager::GetInstance()->GetIconPath(107).IsEmpty()) << "the window and tray icon";
}
