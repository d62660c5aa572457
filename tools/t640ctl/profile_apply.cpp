#include <optional>

#include "devices/mouse/model/mouse_model.h"
#include "devices/mouse/profile_write/mouse_profile_write.h"
#include "profiles/macros/macro_store.h"
#include "profiles/macros/named_macro.h"
#include "profiles/mouse_profile_data.h"
#include "profiles/profile_document.h"
#include "profiles/profile_import.h"
#include "profiles/records/profile_limits.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"
#include "tools/t640ctl/mouse_channel.h"
#include "tools/t640ctl/mouse_preparation.h"
#include "tools/t640ctl/profile_commands.h"

namespace {

struct ProfileToApply {
  std::string refusal;  // empty when the file may be applied
  Json::Value device;   // the clean device object
  std::optional<std::vector<NamedMacro>> macros;  // the file's own "Macros", when it carries them
};

// The macros a file carries are not part of the clean document the import check keeps, so they
// are read from the text again and checked on their own.
ProfileToApply ReadProfileToApply(const std::string& file) {
  ProfileToApply profile;
  const ProfileImportCheck check = ReadProfileForImport(file);
  if (check.refusal != ProfileImportRefusal::kNone) {
    profile.refusal = check.detail;
    return profile;
  }
  profile.device = DeviceElementOf(check.document, 0);
  std::string text;
  Json::Value document;
  if (ReadTextFile(file, kMaxProfileImportBytes, text) != JsonFileState::kLoaded || !ParseJsonText(text, document)) {
    profile.refusal = "The file cannot be read.";
    return profile;
  }
  const Json::Value& list = MemberOf(document, "Macros");
  if (list.isNull()) return profile;
  std::vector<NamedMacro> macros;
  std::string error;
  if (!ReadNamedMacroList(list, macros, error)) {
    profile.refusal = error;
    return profile;
  }
  profile.macros = std::move(macros);
  return profile;
}

const char* PartName(ProfileWritePart part) {
  switch (part) {
    case ProfileWritePart::kSettingsPage: return "writing the settings page";
    case ProfileWritePart::kMacros: return "sending the macros";
    case ProfileWritePart::kKeyAssignments: return "writing the key assignments";
    case ProfileWritePart::kNone: break;
  }
  return "applying the profile";
}

const char* WhatIsLeft(ProfileWritePart part) {
  switch (part) {
    case ProfileWritePart::kSettingsPage: return "nothing more was written";
    case ProfileWritePart::kMacros: return "the key assignments were not written";
    default: return "the settings page and the macros were written";
  }
}

CommandOutcome Fail(int exitCode, std::string message) { return {exitCode, {std::move(message)}}; }

}  // namespace

CommandOutcome ApplyProfileCommand(IHidBackend& backend, const std::string& file, const MouseToolFolders& folders) {
  const ProfileToApply profile = ReadProfileToApply(file);
  if (!profile.refusal.empty()) return Fail(kExitUsage, file + " cannot be applied: " + profile.refusal + " Nothing was sent.");
  CMouseProfiledata data;
  data.SetDeviceObject(profile.device);
  CMouseModel model;
  model.LoadFrom(data);
  // Another kind's profile passes the import check; on the mouse it would leave no stage to use.
  if (model.EnabledStageCount() == 0) {
    return Fail(kExitUsage, file + " cannot be applied: it holds no mouse settings (no sensitivity stage is on). "
                                   "Nothing was sent.");
  }

  const std::optional<std::vector<DeviceEntry>> slots = FindMouseSlots(backend);
  if (!slots) return Fail(kExitFailed, "the HID interfaces could not be listed");
  const DeviceEntry* slot = MouseToConfigure(*slots);
  if (!slot) return Fail(kExitFailed, "no mouse is attached");
  CUsbCommandChannel channel(backend);
  if (!OpenMouseChannel(channel, *slot)) return Fail(kExitFailed, "the mouse could not be opened; nothing was written");

  CMouseDriver driver(channel);
  if (const std::string reason = PrepareMouse(driver, folders.dataFolder); !reason.empty()) {
    return Fail(kExitFailed, reason + "; nothing was written");
  }

  CMacroStore store(folders.dataFolder);
  const ProfileMacros macros = profile.macros ? MacrosOfList(*profile.macros) : MacrosOfStore(store);
  const ProfileWriteOutcome outcome = WriteMouseProfile(driver, model, macros, folders.dataFolder);
  if (outcome.actionsOver > 0) {
    return Fail(kExitFailed, "the macros the keys use do not fit into the mouse: " + std::to_string(outcome.actionsOver) +
                                 " actions must go; the settings page was written, the macros and the key "
                                 "assignments were not");
  }
  if (outcome.failedPart != ProfileWritePart::kNone) {
    return Fail(kExitFailed, std::string(PartName(outcome.failedPart)) + " failed at " +
                                 FailedStepText(outcome.failedStep.c_str(), outcome.result) + "; " +
                                 WhatIsLeft(outcome.failedPart));
  }
  return {};
}
