#include "profiles/profile_import.h"

#include "profiles/profile_document.h"
#include "profiles/profile_import_schema.h"
#include "profiles/records/profile_limits.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"

namespace {

ProfileImportCheck Refuse(ProfileImportRefusal refusal, std::string detail) {
  ProfileImportCheck check;
  check.refusal = refusal;
  check.detail = std::move(detail);
  return check;
}

}  // namespace

ProfileImportCheck CheckProfileImportText(std::string_view text) {
  if (text.size() > kMaxProfileImportBytes) {
    return Refuse(ProfileImportRefusal::kTooLarge, "The file is larger than any profile can be.");
  }
  Json::Value document;
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos || !ParseJsonText(text, document)) {
    return Refuse(ProfileImportRefusal::kNotJson, "The file is empty or is not a JSON document.");
  }
  if (!document.isObject()) return Refuse(ProfileImportRefusal::kNotProfile, "The file does not hold a profile.");
  const Json::Value& name = MemberOf(document, "profilename");
  const Json::Value& id = MemberOf(document, "profileUUID");
  if (!name.isString() || !id.isString()) {
    return Refuse(ProfileImportRefusal::kMissingName,
                  "The file is not an exported profile: it lacks \"profilename\" or \"profileUUID\".");
  }
  if (!IsImportableName(name.asString()) || !IsImportableName(id.asString())) {
    return Refuse(ProfileImportRefusal::kNotText, "The profile's name in the file is not readable text.");
  }
  const Json::Value& devices = MemberOf(document, "Device");
  if (!devices.isArray() || devices.empty() || !devices[0].isObject()) {
    return Refuse(ProfileImportRefusal::kNotProfile, "The file holds no device settings (\"Device\" list).");
  }
  if (devices.size() > kMaxDeviceIndex + 1) {
    return Refuse(ProfileImportRefusal::kTooManyEntries,
                  "\"Device\" has " + std::to_string(devices.size()) + " entries; a profile has at most " +
                      std::to_string(kMaxDeviceIndex + 1) + ".");
  }

  ProfileImportCheck check;
  check.document = Json::Value(Json::objectValue);
  check.document["profilename"] = name;
  check.document["profileUUID"] = id;
  Json::Value& cleanDevices = check.document["Device"] = Json::Value(Json::arrayValue);
  for (Json::ArrayIndex i = 0; i < devices.size(); ++i) {
    Json::Value clean;
    if (!devices[i].isNull() && !CleanImportedDeviceObject(devices[i], "Device[" + std::to_string(i) + "]", clean, check)) {
      check.document = Json::Value();
      return check;
    }
    cleanDevices.append(clean);
  }
  return check;
}

ProfileImportCheck ReadProfileForImport(const std::string& path) {
  std::string text;
  if (path.empty() || ReadTextFile(path, kMaxProfileImportBytes, text) != JsonFileState::kLoaded) {
    return Refuse(ProfileImportRefusal::kUnreadable, "The file cannot be read.");
  }
  return CheckProfileImportText(text);
}
