#include <algorithm>
#include <optional>
#include <set>

#include "devices/mouse/button_record_map.h"
#include "devices/mouse/settings_page.h"
#include "profiles/macros/sent_macro_record.h"
#include "profiles/mouse_profile_data.h"
#include "profiles/profile_document.h"
#include "profiles/storage/json_file.h"
#include "profiles/storage/time_stamp.h"
#include "tools/t640ctl/mouse_channel.h"
#include "tools/t640ctl/mouse_preparation.h"
#include "tools/t640ctl/profile_commands.h"
#include "transport/result_codes.h"

namespace {

constexpr const char* kExportedProfileName = "Exported mouse";

CommandOutcome Fail(std::string message) { return {kExitFailed, {std::move(message)}}; }

// Key i: the assignment in its record of the image, paired with its factory assignment (the
// factory profile's, else the mouse's factory record). Keys the image has no place for keep the
// factory profile's pair.
std::vector<KeyAssignmentPair> KeysOfImage(const std::vector<uint8_t>& image, const ButtonRecordMap& map,
                                           const std::vector<KeyAssignmentPair>& factoryKeys) {
  std::vector<KeyAssignmentPair> keys;
  const size_t count = std::max(factoryKeys.size(), kMouseLogicalButtons);
  for (size_t i = 0; i < count; ++i) {
    KeyAssignmentPair pair;
    if (i < factoryKeys.size()) {
      pair = factoryKeys[i];
    } else {
      pair.Default = FactoryButtonRecord(i);
      pair.Current = pair.Default;
    }
    const auto keyIndex = static_cast<uint16_t>(i);
    pair.Current.KeyIndex = pair.Default.KeyIndex = keyIndex;
    if (i < map.size() && map[i] != kNoButtonRecord && kButtonRecordSize * (map[i] + 1u) <= image.size()) {
      const uint8_t* record = image.data() + kButtonRecordSize * map[i];
      pair.Current = {keyIndex, record[0], record[1], record[2]};
    }
    keys.push_back(pair);
  }
  return keys;
}

Json::Value KeyListJson(const std::vector<KeyAssignmentPair>& keys) {
  Json::Value list(Json::arrayValue);
  for (const KeyAssignmentPair& key : keys) {
    Json::Value entry(Json::objectValue);
    entry["Assignment"] = key.Current.Value();
    entry["DefaultAssignment"] = key.Default.Value();
    list.append(entry);
  }
  return list;
}

}  // namespace

CommandOutcome ExportProfileCommand(IHidBackend& backend, const std::string& file, const MouseToolFolders& folders) {
  const std::optional<std::vector<DeviceEntry>> slots = FindMouseSlots(backend);
  if (!slots) return Fail("the HID interfaces could not be listed");
  const DeviceEntry* slot = MouseToConfigure(*slots);
  if (!slot) return Fail("no mouse is attached");
  CUsbCommandChannel channel(backend);
  if (!OpenMouseChannel(channel, *slot)) return Fail("the mouse could not be opened");

  CMouseDriver driver(channel);
  if (const std::string reason = PrepareMouse(driver, folders.dataFolder); !reason.empty()) return Fail(reason);
  uint8_t activePage = 0;
  SettingsPageBytes page{};
  if (const int read = driver.ReadSettingsPage(activePage, page); read != kResultSuccess) {
    return Fail("reading the mouse failed at " + FailedStepText(driver.LastFailedStep(), read));
  }

  // What the mouse does not store (the pointer settings, the rest of the lighting record) comes
  // from the factory profile, as a new profile has it.
  CommandOutcome outcome;
  Json::Value factory = DeviceElementOf(LoadJsonFile(folders.defaultDataPath), 0);
  if (!factory.isObject()) {
    factory = Json::Value(Json::objectValue);
    outcome.messages.push_back("warning: the factory profile " + folders.defaultDataPath +
                               " was not found, so what the mouse does not keep (pointer speed, double-click time, "
                               "…) is written as 0; T640_PROGRAM_FOLDER names the folder that holds DefaultData/");
  }
  CMouseProfiledata data;
  data.SetDeviceObject(factory);
  const std::vector<KeyAssignmentPair> factoryKeys = data.ReadKeyList();
  const DecodedSettingsPage decoded = DecodeSettingsPage(page, activePage, {}, data.ReadSystemStages(), data.ReadLightInfo());
  LightInfoRecord light = decoded.light;
  light.Fx = DecodeSettingsPageEffectVariant(page);
  // The factory's stages must not outlast the mouse's shorter list.
  Json::Value stageless = data.DeviceObject();
  stageless.removeMember("DPIStages");
  data.SetDeviceObject(stageless);
  data.WriteDPIStages(DecodeSettingsPageStages(page));
  data.SetStageActive(decoded.currentStage);
  data.WriteSystemStages(decoded.system);
  data.WriteLightInfo(light);

  const std::vector<KeyAssignmentPair> keys = KeysOfImage(driver.ConfigImage(), driver.ButtonMap(), factoryKeys);
  const std::optional<std::vector<NamedMacro>> sent = ReadSentMacroRecord(folders.dataFolder);
  bool playsMacros = false;
  std::set<int> unknown;
  for (const KeyAssignmentPair& key : keys) {
    if (!IsMacroAssignment(key.Current)) continue;
    playsMacros = true;
    // The mouse names the macro by its place in the image last sent: the place is the macro's
    // number in the exported list.
    if (sent && key.Current.High < sent->size()) continue;
    if (!unknown.insert(key.Current.High).second) continue;
    outcome.messages.push_back("warning: the macro at place " + std::to_string(key.Current.High) +
                               " of the mouse's macro memory is unknown to this computer (no record of it was "
                               "kept here); key " + std::to_string(key.Current.KeyIndex) +
                               " keeps its assignment, and applying the exported file gives it its default");
  }

  Json::Value device = data.DeviceObject();
  device["KeyList"] = KeyListJson(keys);
  Json::Value document(Json::objectValue);
  document["profilename"] = kExportedProfileName;
  document["profileUUID"] = MakeTimeStamp();
  document["Device"] = Json::Value(Json::arrayValue);
  document["Device"].append(device);
  // Always listed when a key plays a macro, so that applying the file never falls back on the
  // macro store of whichever computer it is applied on.
  if (playsMacros) document["Macros"] = NamedMacroListJson(sent.value_or(std::vector<NamedMacro>{}));
  if (!WriteJsonFile(document, file)) {
    outcome.exitCode = kExitFailed;
    outcome.messages.insert(outcome.messages.begin(), file + " could not be written");
  }
  return outcome;
}
