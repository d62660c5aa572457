// Control names are the contract between the layouts and the code: every name a route table or a
// page's lookups rely on must be in the layout that holds the control.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "devices/mouse/page/mouse_page_controls.h"
#include "devices/mouse/page/mouse_page_routes.h"
#include "devices/page/device_page_controls.h"
#include "editors/key_editor/key_editor_controls.h"
#include "editors/key_editor/key_set_control_ui.h"
#include "editors/more_page/more_page_controls.h"
#include "editors/more_page/more_settings_ui.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "editors/profile_panel/profile_panel_controls.h"
#include "editors/recoil_editor/recoil_editor_controls.h"
#include "editors/recoil_editor/shoot_control_ui.h"
#include "transport/supported_devices.h"
#include "windows/about_wnd/about_controls.h"
#include "windows/color_select_wnd/color_select_controls.h"
#include "windows/color_select_wnd/color_select_wnd.h"
#include "windows/main_wnd/control_router.h"
#include "windows/main_wnd/main_wnd_controls.h"
#include "windows/set_wnd/set_wnd.h"
#include "windows/set_wnd/set_wnd_controls.h"
#include "windows/skin_wnd/skin_controls.h"
#include "windows/skin_wnd/skin_frame.h"

namespace {

// The names a layout file gives its controls, with those of the files it includes.
std::set<std::string> LayoutNames(std::string layout) {
  for (char& c : layout) {
    if (c == '\\') c = '/';
  }
  std::ifstream file(std::string(T640_SOURCE_DIR) + "skin/" + layout);
  EXPECT_TRUE(file) << layout;
  std::stringstream text;
  text << file.rdbuf();
  const std::string xml = text.str();
  std::set<std::string> names;
  const std::regex name(R"(\bname="([^"]+)\")");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), name); it != std::sregex_iterator(); ++it) {
    names.insert((*it)[1]);
  }
  const std::regex include(R"(<Include\s+source="([^"]+)\")");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), include); it != std::sregex_iterator(); ++it) {
    for (const std::string& included : LayoutNames((*it)[1])) names.insert(included);
  }
  return names;
}

bool Holds(const std::set<std::string>& names, const ControlNameUse& use) {
  if (!use.prefix) return names.count(use.name) != 0;
  const std::regex indexed(std::regex_replace(use.name, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") + "[0-9]+");
  for (const std::string& name : names) {
    if (std::regex_match(name, indexed)) return true;
  }
  return false;
}

struct Contract {
  const char* owner;
  std::vector<std::string> layouts;
  std::vector<ControlNameUse> names;
};

template <typename Rows>
std::vector<ControlNameUse> Names(Rows rows, std::initializer_list<std::span<const ControlNameUse>> lookups) {
  std::vector<ControlNameUse> names = RouteNames(rows);
  for (std::span<const ControlNameUse> lookup : lookups) names.insert(names.end(), lookup.begin(), lookup.end());
  return names;
}

}  // namespace

TEST(ControlNames, EveryNameTheCodeUsesIsInItsLayout) {
  const std::string tileLayout(kDeviceKindRows[0].TileLayoutFile);
  const Contract contracts[] = {
      // The main window also answers the stage colours of the mouse page.
      {"main window",
       {main_window::kLayoutFile, tileLayout, mouse_page::kLayoutFile},
       Names(CControlRouter::Rows(), {main_window::kLookedUp})},
      {"colour window", {"XML/PalletDialog.xml"}, Names(CColorSelectWnd::Rows(), {color_select::kLookedUp})},
      {"skin panel", {"XML/skin.xml"}, Names(CSkinFrame::Rows(), {skin_panel::kLookedUp})},
      {"about window", {"XML/AboutWnd.xml"}, Names(std::span<const RouteRow<CSkinFrame>>(), {about_window::kLookedUp})},
      // A row's check is in each row of the update list.
      {"settings window",
       {"XML/setwnd.xml", set_wnd::kRowLayoutFile},
       Names(CSetWnd::Routes(), {set_wnd::kLookedUp})},
      {"mouse page",
       {mouse_page::kLayoutFile},
       Names(CMousePageRoutes::Rows(), {mouse_page::kLookedUp, device_page::kLookedUp})},
      {"profile panel", {profile_panel::kLayoutFile}, Names(CDeviceProfileUI::Rows(), {profile_panel::kLookedUp})},
      // The key editor also answers the zones of the picture it sits beside.
      {"key editor",
       {key_editor::kLayoutFile, mouse_page::kLayoutFile},
       Names(CKeySetControlUI::Rows(), {key_editor::kLookedUp})},
      {"recoil editor", {recoil_editor::kLayoutFile}, Names(CShootControlUI::Rows(), {recoil_editor::kLookedUp})},
      {"more page", {more_page::kLayoutFile}, Names(CMoreSettingsUI::Rows(), {more_page::kLookedUp})},
  };
  for (const Contract& contract : contracts) {
    std::set<std::string> names;
    for (const std::string& layout : contract.layouts) {
      for (const std::string& name : LayoutNames(layout)) names.insert(name);
    }
    for (const ControlNameUse& use : contract.names) {
      EXPECT_TRUE(Holds(names, use)) << contract.owner << ": \"" << use.name << "\"" << (use.prefix ? " + index" : "")
                                     << " is in none of its layouts";
    }
  }
}
