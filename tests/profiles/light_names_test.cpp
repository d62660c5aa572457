// The lighting name files: the shipped mode lists and the user's custom effect names.
#include <gtest/gtest.h>

#include <fstream>

#include "profiles/settings/light_names.h"
#include "support/temp_data_folder.h"

namespace {

const std::string kShipped = std::string(T640_SOURCE_DIR) + "/DefaultData/default_light.json";

TEST(LightNames, TheShippedFileNamesEveryKindsModesWithDistinctCodes) {
  // Mouse, mouse pad, headset; the keyboard's list comes with the keyboard.
  for (int index : {1, 2, 3}) {
    const DefaultLightNames names = ReadDefaultLightNames(kShipped, index);
    ASSERT_TRUE(names.modes) << index;
    ASSERT_FALSE(names.modes->empty()) << index;
    for (size_t i = 0; i < names.modes->size(); ++i) {
      const LightModeName& mode = (*names.modes)[i];
      EXPECT_EQ(mode.name.rfind("light_mode_", 0), 0u) << mode.name;
      for (size_t j = 0; j < i; ++j) EXPECT_NE((*names.modes)[j].code, mode.code) << index << ": " << mode.name;
    }
  }
  // The mouse sends the breathing code 2 as 4, so no mode of the mouse may be known by 4.
  const DefaultLightNames mouse = ReadDefaultLightNames(kShipped, 1);
  for (const LightModeName& mode : *mouse.modes) EXPECT_NE(mode.code, 4) << mode.name;
  EXPECT_EQ(mouse.modes->size(), 11u);
  EXPECT_EQ(ReadDefaultLightNames(kShipped, 2).modes->size(), 9u);
}

TEST(LightNames, MissingFilesAndIndexesLeaveTheListsUnset) {
  TempDataFolder data;
  EXPECT_FALSE(ReadDefaultLightNames(data.Path() + "/none.json", 1).modes);
  EXPECT_FALSE(ReadDefaultLightNames(kShipped, 9).modes);
  EXPECT_FALSE(ReadDefaultLightNames(kShipped, -1).areaNames);
  EXPECT_FALSE(ReadCustomLightNames(data.Path() + "/none.config", 1));

  const std::string damaged = data.Path() + "/damaged.json";
  std::ofstream(damaged) << R"({"DefaultLightName": [[], {"LightName": "x"}]})";
  EXPECT_FALSE(ReadDefaultLightNames(damaged, 1).modes) << "an entry that is not a list";
}

TEST(LightNames, EntriesTakeTheirFieldsAndAShownDefault) {
  TempDataFolder data;
  const std::string path = data.Path() + "/names.json";
  std::ofstream(path) << R"({"DefaultLightName": [[{"LightName": "a", "value": 7},
                                                   {"LightName": "b", "visible": false, "value": "x"}, 5]],
                              "AreaLightName": [[{"LightName": "left"}, {"LightName": "right"}]]})";
  const DefaultLightNames names = ReadDefaultLightNames(path, 0);
  ASSERT_TRUE(names.modes);
  EXPECT_EQ(*names.modes, (std::vector<LightModeName>{{"a", true, 7}, {"b", false, 0}}));
  EXPECT_EQ(*names.areaNames, (std::vector<std::string>{"left", "right"}));

  const std::string custom = data.Path() + "/orvik_light.config";
  std::ofstream(custom) << R"({"LightInfo": [[], [{"LightName": "Aurora", "Guid": "1f2e"}]]})";
  EXPECT_EQ(*ReadCustomLightNames(custom, 1), (std::vector<CustomLightName>{{"Aurora", "1f2e"}}));
  EXPECT_TRUE(ReadCustomLightNames(custom, 0)->empty());
}

}  // namespace
