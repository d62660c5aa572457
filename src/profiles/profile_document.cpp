#include "profiles/profile_document.h"

#include "profiles/storage/json_access.h"

bool IsProfileDocument(const Json::Value& document, Json::ArrayIndex deviceIndex) {
  if (!document.isObject()) return false;
  const Json::Value& devices = MemberOf(document, "Device");
  if (devices.isNull()) return true;
  if (!devices.isArray()) return false;
  const Json::Value& element = ElementOf(devices, deviceIndex);
  return element.isNull() || element.isObject();
}

const Json::Value& DeviceElementOf(const Json::Value& document, Json::ArrayIndex deviceIndex) {
  if (!IsProfileDocument(document, deviceIndex)) return Json::Value::nullSingleton();
  return ElementOf(MemberOf(document, "Device"), deviceIndex);
}

ProfileDocumentForWrite ReadProfileDocumentForWrite(const std::string& path, Json::ArrayIndex deviceIndex,
                                                    std::vector<DamagedFileNotice>& notices) {
  ProfileDocumentForWrite result;
  if (path.empty()) return result;
  JsonFileLoad load = LoadJsonDocument(path);
  switch (load.state) {
    case JsonFileState::kMissing:
    case JsonFileState::kEmpty:
      result.writable = true;
      return result;
    case JsonFileState::kUnreadable:
      return result;
    case JsonFileState::kLoaded:
      if (IsProfileDocument(load.document, deviceIndex)) {
        result.document = std::move(load.document);
        result.writable = true;
        return result;
      }
      break;
    case JsonFileState::kDamaged:
      break;
  }
  DamagedFileNotice notice;
  if (KeepDamagedFileAside(path, notice)) {
    notices.push_back(notice);
    result.writable = true;
  }
  return result;
}
