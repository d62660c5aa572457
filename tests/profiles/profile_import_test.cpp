#include "profiles/profile_import.h"

#include <gtest/gtest.h>

#include "profiles/mouse_profile_data.h"
#include "support/profile_test_files.h"
#include "support/temp_data_folder.h"

namespace {

std::string Exported(const std::string& deviceObject, const std::string& name = "\"Game\"") {
  return R"({"profilename": )" + name + R"(, "profileUUID": "2026_01_17_09_05_03_042", "Device": [)" + deviceObject +
         "]}";
}

std::string Objects(size_t count) {
  std::string list;
  for (size_t i = 0; i < count; ++i) list += std::string(i ? "," : "") + "{}";
  return list;
}

std::string KeyList(size_t count) {
  std::string list = R"({"KeyList": [)";
  for (size_t i = 0; i < count; ++i) list += std::string(i ? "," : "") + R"({"Assignment": 1048832})";
  return list + "]}";
}

struct RefusalCase {
  const char* name;
  std::string text;
  ProfileImportRefusal refusal;
};

// Test names and failure messages show the case by its name.
void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class ProfileImportRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ProfileImportRefusals, RefusesWithAReason) {
  ProfileImportCheck check = CheckProfileImportText(GetParam().text);
  EXPECT_EQ(check.refusal, GetParam().refusal) << check.detail;
  EXPECT_FALSE(check.detail.empty());
  EXPECT_TRUE(check.document.isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileImportRefusals,
    ::testing::Values(
        RefusalCase{"Empty", "", ProfileImportRefusal::kNotJson},
        RefusalCase{"NotJson", "profile=1", ProfileImportRefusal::kNotJson},
        RefusalCase{"CutShort", Exported("{}").substr(0, 40), ProfileImportRefusal::kNotJson},
        RefusalCase{"ArrayRoot", "[{}]", ProfileImportRefusal::kNotProfile},
        RefusalCase{"NoName", R"({"profileUUID": "x", "Device": [{}]})", ProfileImportRefusal::kMissingName},
        RefusalCase{"NameNotText", Exported("{}", "5"), ProfileImportRefusal::kMissingName},
        RefusalCase{"NameNotUtf8", Exported("{}", "\"G\xFF\""), ProfileImportRefusal::kNotText},
        RefusalCase{"NameWithControls", Exported("{}", R"("a\u0007b")"), ProfileImportRefusal::kNotText},
        RefusalCase{"NoDevice", R"({"profilename": "a", "profileUUID": "b"})", ProfileImportRefusal::kNotProfile},
        RefusalCase{"DeviceNotAList", R"({"profilename": "a", "profileUUID": "b", "Device": {}})",
                    ProfileImportRefusal::kNotProfile},
        RefusalCase{"DeviceEmpty", Exported(""), ProfileImportRefusal::kNotProfile},
        RefusalCase{"TooManyDevices", Exported(Objects(9)), ProfileImportRefusal::kTooManyEntries},
        RefusalCase{"HugeKeyList", Exported(KeyList(5000)), ProfileImportRefusal::kTooManyEntries},
        RefusalCase{"TooManyStages", Exported(R"({"DPIStages": {"StageDPIs": [)" + Objects(17) + "]}}"),
                    ProfileImportRefusal::kTooManyEntries},
        RefusalCase{"EqNameNotUtf8", Exported("{\"CustomEQNameInfo\": [{\"Name\": \"\xC3\"}]}"), ProfileImportRefusal::kNotText},
        RefusalCase{"TooLarge", Exported(R"({"x": ")" + std::string(5u << 20, 'a') + "\"}"), ProfileImportRefusal::kTooLarge}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileImport, KeepsOnlyKnownKeysWithValuesOfTheirTypeAndRange) {
  ProfileImportCheck check = CheckProfileImportText(Exported(R"({
      "LightInfo": {"Light": 300, "Red": -4, "Speed": "fast", "MultiColor": 5, "Glow": 1},
      "KeyList": [{"Assignment": 1048832, "DefaultAssignment": 16777216}, 7, null],
      "ReportStages": {"Ripple": 4294967295, "ble_sleep1": 2.5},
      "SystemStages": [],
      "Unknown": {"a": 1}})"));
  ASSERT_EQ(check.refusal, ProfileImportRefusal::kNone) << check.detail;
  const Json::Value& device = check.document["Device"][0u];
  EXPECT_EQ(device["LightInfo"]["Light"].asInt(), 255);
  EXPECT_EQ(device["LightInfo"]["Red"].asInt(), 0);
  EXPECT_FALSE(device["LightInfo"].isMember("Speed"));
  EXPECT_FALSE(device["LightInfo"].isMember("Glow"));
  EXPECT_EQ(device["LightInfo"]["MultiColor"].asInt(), 1);
  EXPECT_EQ(device["KeyList"].size(), 3u) << "key positions are kept";
  EXPECT_EQ(device["KeyList"][0u]["DefaultAssignment"].asInt(), 0xFFFFFF);
  EXPECT_TRUE(device["KeyList"][1u].isNull());
  EXPECT_EQ(device["ReportStages"]["Ripple"].asUInt(), 0xFFFFFFFFu);
  EXPECT_EQ(device["ReportStages"]["ble_sleep1"].asInt(), 2);
  EXPECT_FALSE(device.isMember("SystemStages"));
  EXPECT_FALSE(device.isMember("Unknown"));
  EXPECT_EQ(check.document["profilename"].asString(), "Game");
  EXPECT_FALSE(check.adjustments.empty());
}

TEST(ProfileImport, AnExportedProfileComesThroughUnchanged) {
  const std::string text = Exported(R"({"LightInfo": {"SelectItem": 3, "Light": 4, "MultiColor": 0},
      "AudioLightInfo": {"7ColorFlags": false, "ColorTypeFlags": true},
      "DPIStages": {"StageActive": 1, "StageDPIs": [{"StageActive": 1, "StageDPIX": 7}]},
      "EQHzValueInfo": [null, [{"value": -13}, {"value": 18}]],
      "CustomEQNameInfo": [{"Name": "人声"}], "CustomLightMode": {"LightColorInfo": [[{"Red": 1}]]}})");
  ProfileImportCheck check = CheckProfileImportText(text);
  ASSERT_EQ(check.refusal, ProfileImportRefusal::kNone) << check.detail;
  Json::Value original;
  Json::CharReaderBuilder builder;
  std::string errors;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  ASSERT_TRUE(reader->parse(text.data(), text.data() + text.size(), &original, &errors));
  EXPECT_EQ(check.document, original);
  EXPECT_TRUE(check.adjustments.empty());
}

TEST(ProfileImport, TheCleanDocumentLoadsThroughTheProfileClasses) {
  TempDataFolder temp;
  std::string path = temp.MakeFolder("downloads") + "/Game.json";
  WriteFileBytes(path, Exported(R"({"DPIStages": {"StageActive": 2, "StageDPIs": [{"StageDPIX": 70000}]}})"));
  ProfileImportCheck check = ReadProfileForImport(path);
  ASSERT_EQ(check.refusal, ProfileImportRefusal::kNone);
  CMouseProfiledata profile;
  profile.SetDeviceObject(check.document["Device"][0u]);
  EXPECT_EQ(profile.ReadDPIStages()[0].StageDPIX, 65535);
  EXPECT_EQ(profile.GetStageActive(), 2);
  EXPECT_EQ(ReadProfileForImport(temp.Path() + "/absent.json").refusal, ProfileImportRefusal::kUnreadable);
}

}  // namespace
