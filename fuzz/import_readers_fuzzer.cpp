// libFuzzer target for the readers of files that come from anywhere: imported profiles, macros
// and recoil tables, and stored documents read back by the profile classes. Any byte string must be refused
// with a reason or accepted into a document that obeys the stored-data limits, and no reader may
// crash or throw, whatever shape the JSON has.
#include <cstdlib>
#include <string>
#include <string_view>

#include "profiles/headset_profile_data.h"
#include "profiles/keyboard_profile_data.h"
#include "profiles/macros/macro_file.h"
#include "profiles/macros/macro_image.h"
#include "profiles/macros/macro_limits.h"
#include "profiles/mouse_profile_data.h"
#include "profiles/profile_document.h"
#include "profiles/profile_import.h"
#include "profiles/recoil/recoil_table.h"
#include "profiles/records/profile_limits.h"
#include "profiles/settings/language_list.h"
#include "profiles/storage/json_file.h"

namespace {

// Every read a device class makes, on whatever object it is given; the writes too, since they
// must cope with members of the wrong type left by a hand-edited file.
void ExerciseProfileClasses(const Json::Value& object) {
  CMouseProfiledata mouse;
  mouse.SetDeviceObject(object);
  mouse.ReadLightInfo();
  mouse.ReadAudioLightInfo();
  if (mouse.ReadLightList().size() > kMaxLightListEntries) std::abort();
  if (mouse.ReadKeyList().size() > kMaxKeyListEntries) std::abort();
  if (mouse.ReadDPIStages().size() > kMaxDpiStages) std::abort();
  mouse.ReadSystemStages();
  mouse.WriteSystemStages({1, 2, 3, 4, 5, 6, 7, 8});
  mouse.WriteDPIStages({{}, {}});
  mouse.SetStageActive(1);
  mouse.WriteKeyList({{}});
  mouse.WriteLightInfo(1, 2, 3, 4);
  mouse.WriteAudioLightInfo(1, 2, 1);

  CKeyboardProfiledata keyboard;
  keyboard.SetDeviceObject(object);
  keyboard.ReadKeyboardSystemStages();
  keyboard.ReadCustomLightGroupIndex();
  for (int group = 0; group < 6; ++group) keyboard.ReadCustomLightColors(group, 170);
  keyboard.WriteCustomLightColors({{1, 2, 3, 4}}, 2);
  keyboard.WriteKeyboardSystemStages({1, 2, 3});

  CRi6533Profiledata headset;
  headset.SetDeviceObject(object);
  headset.ReadSystemSetStages();
  for (int preset = 0; preset <= 14; ++preset) headset.ReadEQValues(preset);
  if (headset.ReadCustomEQNames().size() > kMaxCustomEqualisers) std::abort();
  for (int index = -1; index <= 20; ++index) headset.ReadCustomEQValues(index);
  headset.WriteEQValues(3, {1, 2, 3});
  headset.WriteCustomEQValues(19, {1});
  headset.RemoveCustomEQ(0);
  headset.WriteCustomEQNames({"a"});
}

void CheckProfileImport(std::string_view text) {
  ProfileImportCheck check = CheckProfileImportText(text);
  if (check.refusal != ProfileImportRefusal::kNone) {
    if (check.detail.empty() || !check.document.isNull()) std::abort();
    return;
  }
  const Json::Value& devices = check.document["Device"];
  if (!devices.isArray() || devices.empty() || !devices[0].isObject()) std::abort();
  ExerciseProfileClasses(devices[0]);
  // A clean document is its own clean copy: checking it again changes nothing.
  ProfileImportCheck again = CheckProfileImportText(StyledJsonText(check.document));
  if (again.refusal != ProfileImportRefusal::kNone || !again.adjustments.empty() || again.document != check.document) {
    std::abort();
  }
}

void CheckMacroImport(std::string_view text) {
  MacroImportCheck check = CheckMacroImportText(text);
  if (check.refusal != MacroImportRefusal::kNone) {
    if (check.detail.empty() || !check.events.empty()) std::abort();
    return;
  }
  if (check.events.size() > kMaxMacroEvents) std::abort();
  for (const MacroEvent& event : check.events) {
    if (!IsKnownMacroEventType(event.Type) || event.Button > 0xFF || event.Delay > 0xFFFF) std::abort();
  }
  Json::Value stored = MacroFileDocument("m", "2026_01_17_09_05_03_042", check.events);
  if (MacroEventsOf(stored) != check.events) std::abort();
  std::vector<uint8_t> image;
  if (!EncodeMacroImage({check.events, check.events}, image)) std::abort();
  if (image.size() != MacroImageLength({check.events.size(), check.events.size()})) std::abort();
}

// An accepted recoil table reads back within what a record holds; any document can take a bullet.
void CheckRecoilImport(std::string_view text) {
  const RecoilTableVerdict verdict = CheckRecoilTableText(text);
  Json::Value table;
  if (!ParseJsonText(text, table)) {
    if (verdict.check == RecoilTableCheck::kAccepted) std::abort();
    return;
  }
  for (int bullet = 0; bullet < kRecoilBulletCount; ++bullet) {
    const RecoilBullet values = ReadRecoilBullet(table, bullet);
    if (verdict.check == RecoilTableCheck::kAccepted &&
        (values.x > kMaxRecoilDistance || values.y > kMaxRecoilDistance || values.delay > kMaxRecoilDelay)) {
      std::abort();
    }
  }
  if (verdict.check == RecoilTableCheck::kAccepted && RecoilTableEvents(table).size() != kRecoilTableEventCount) {
    std::abort();
  }
  RecoilPath(table);
  const RecoilBullet written{.x = 1, .left = true, .y = 2, .delay = 3};
  WriteRecoilBullet(table, kRecoilBulletCount - 1, written);
  if (ReadRecoilBullet(table, kRecoilBulletCount - 1) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckProfileImport(text);
  CheckMacroImport(text);
  CheckRecoilImport(text);

  // The same bytes as a stored file that parses but was edited by hand.
  Json::Value document;
  if (ParseJsonText(text, document)) {
    ExerciseProfileClasses(document);
    ExerciseProfileClasses(DeviceElementOf(document, 0));
    LanguageEntriesOf(document);
    std::vector<MacroEvent> events = MacroEventsOf(document);
    for (const MacroEvent& event : events) EncodeMacroEvent(event);
  }
  return 0;
}
