#include "shell/app_options.h"

#include <gtest/gtest.h>

#include "devices/device_kind_table.h"

TEST(AppOptions, ParsesTheCommandLine) {
  struct Case {
    std::vector<std::string> arguments;
    const char* environment;
    bool valid;
    bool simulate;
    std::string list;
    std::string screenshot;
    std::string language = "";
    int openFunction = 0;
    bool openColourWindow = false;
    bool tray = false;
    const char* window = "";  // --open skin, about or settings-window
  };
  const Case cases[] = {
      {{}, nullptr, true, false, "", ""},
      {{"--simulate", "mouse"}, nullptr, true, true, "mouse", ""},
      {{}, "mouse-receiver", true, true, "mouse-receiver", ""},
      {{"--simulate", "mouse"}, "mouse-receiver", true, true, "mouse", ""},  // the option wins
      {{"--screenshot", "main.png", "--simulate", "mouse"}, nullptr, true, true, "mouse", "main.png"},
      {{"--screenshot"}, nullptr, false, false, "", ""},
      {{"--language", "en-US"}, nullptr, true, false, "", "", "en-US"},
      {{"--simulate", "mouse", "--language", "2052"}, nullptr, true, true, "mouse", "", "2052"},
      {{"--language"}, nullptr, false, false, "", ""},
      {{"--bogus"}, nullptr, false, false, "", ""},
      {{"--open", "keys"}, nullptr, true, false, "", "", "", kKeyTab},
      {{"--screenshot", "m.png", "--open", "macros"}, nullptr, true, false, "", "m.png", "", kMacroTab},
      {{"--open", "colour", "--screenshot", "c.png"}, nullptr, true, false, "", "c.png", "", 0, true},
      {{"--open", "settings-window"}, nullptr, true, false, "", "", "", 0, false, false, "settings-window"},
      {{"--open", "settings"}, nullptr, true, false, "", "", "", kSystemTab},  // the device's page
      {{"--open", "Keys"}, nullptr, false, false, "", ""},
      {{"--open", "color"}, nullptr, false, false, "", ""},
      {{"--open"}, nullptr, false, false, "", ""},
      {{"--tray", "--simulate", "mouse"}, nullptr, true, true, "mouse", "", "", 0, false, true},
      {{"--open", "skin", "--screenshot", "s.png"}, nullptr, true, false, "", "s.png", "", 0, false, false, "skin"},
      {{"--open", "about"}, nullptr, true, false, "", "", "", 0, false, false, "about"},
      {{"--open", "Skin"}, nullptr, false, false, "", ""},
  };
  for (const Case& test : cases) {
    std::string error;
    const std::optional<AppOptions> options = ParseAppOptions(test.arguments, test.environment, &error);
    ASSERT_EQ(options.has_value(), test.valid) << error;
    if (!options) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    EXPECT_EQ(options->simulate, test.simulate);
    EXPECT_EQ(options->simulateList, test.list);
    EXPECT_EQ(options->screenshotPath, test.screenshot);
    EXPECT_EQ(options->language, test.language);
    EXPECT_EQ(options->openFunction, test.openFunction);
    EXPECT_EQ(options->openColourWindow, test.openColourWindow);
    EXPECT_EQ(options->startInTray, test.tray);
    EXPECT_EQ(options->openSkinPanel, std::string(test.window) == "skin");
    EXPECT_EQ(options->openAboutWindow, std::string(test.window) == "about");
    EXPECT_EQ(options->openSettingsWindow, std::string(test.window) == "settings-window");
  }
}
