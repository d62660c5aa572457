#include "profiles/basic_profile_data.h"

#include "profiles/profile_document.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"

bool CBasicProfiledata::SaveProfile() { return SaveDeviceObject(current_, profilePath_); }

bool CBasicProfiledata::SaveDeviceObject(const Json::Value& object, const std::string& path) {
  ProfileDocumentForWrite target = ReadProfileDocumentForWrite(path, deviceIndex_, damagedFiles_);
  if (!target.writable) return false;
  // Other elements of "Device" and the top-level keys (the profile's name and id) are kept.
  ArrayElement(ObjectMember(target.document, "Device"), deviceIndex_) = object;
  StampIdentity(target.document, path);
  return WriteJsonFile(target.document, path);
}

bool CBasicProfiledata::SaveDefaultData(const std::string& path) { return SaveDeviceObject(default_, path); }

bool CBasicProfiledata::WriteJsonFile(const Json::Value& document, const std::string& path) {
  return ::WriteJsonFile(document, path);
}

void CBasicProfiledata::SetProfilePath(const std::string& path) {
  if (!path.empty()) profilePath_ = path;
}

void CBasicProfiledata::SetProfileIdentity(const std::string& name, const std::string& id) {
  profileName_ = name;
  profileId_ = id;
}

void CBasicProfiledata::StampIdentity(Json::Value& document, const std::string& path) const {
  if (profileId_.empty() || path != profilePath_) return;
  if (!MemberOf(document, "profilename").isString()) document["profilename"] = profileName_;
  if (!MemberOf(document, "profileUUID").isString()) document["profileUUID"] = profileId_;
}

void CBasicProfiledata::SetDefaultDataPath(const std::string& path) {
  if (!path.empty()) defaultDataPath_ = path;
}

void CBasicProfiledata::SetLightConfigPath(const std::string& path) {
  if (!path.empty()) lightConfigPath_ = path;
}

void CBasicProfiledata::SetDeviceIndex(int index) {
  if (index >= 0 && static_cast<Json::ArrayIndex>(index) <= kMaxDeviceIndex) {
    deviceIndex_ = static_cast<Json::ArrayIndex>(index);
  }
}

void CBasicProfiledata::SetLightIndex(int index) {
  if (index >= 0) lightIndex_ = index;
}

void CBasicProfiledata::SetBuiltInLightModeCount(int count) {
  if (count >= 0) builtInLightModes_ = count;
}

Json::Value CBasicProfiledata::LoadProfile(const std::string& path) { return LoadInto(path, current_); }

Json::Value CBasicProfiledata::LoadDefaultData(const std::string& path) { return LoadInto(path, default_); }

Json::Value CBasicProfiledata::LoadInto(const std::string& path, Json::Value& slot) {
  lastLoad_ = ProfileLoadReport{};
  slot = DeviceElementOf(LoadJsonFile(path), deviceIndex_);
  if (slot.isObject()) {
    lastLoad_.outcome = ProfileLoadOutcome::kLoaded;
    return slot;
  }
  slot = DeviceElementOf(LoadJsonFile(defaultDataPath_), deviceIndex_);
  if (!slot.isObject()) {
    // Nothing to copy: writing a file that holds only a null object would gain nothing, and the
    // path may be the shipped default-data file itself.
    slot = Json::Value();
    lastLoad_.outcome = ProfileLoadOutcome::kNoData;
    return slot;
  }
  lastLoad_.outcome = ProfileLoadOutcome::kFilledFromDefaults;
  ProfileDocumentForWrite target = ReadProfileDocumentForWrite(path, deviceIndex_, damagedFiles_);
  if (target.writable) {
    ArrayElement(ObjectMember(target.document, "Device"), deviceIndex_) = slot;
    StampIdentity(target.document, path);
    lastLoad_.written = WriteJsonFile(target.document, path);
  }
  return slot;
}

const Json::Value& CBasicProfiledata::LoadLightConfig(const std::string& path) {
  lightConfig_ = LoadJsonFile(path);
  return lightConfig_;
}

std::vector<DamagedFileNotice> CBasicProfiledata::TakeDamagedFileNotices() {
  std::vector<DamagedFileNotice> notices;
  notices.swap(damagedFiles_);
  return notices;
}

void CBasicProfiledata::SetDeviceObject(const Json::Value& object) {
  current_ = object.isObject() ? object : Json::Value();
}

Json::Value& CBasicProfiledata::EditableDeviceObject() {
  if (!current_.isObject()) current_ = Json::Value(Json::objectValue);
  return current_;
}

Json::Value& CBasicProfiledata::EditableDefaultObject() {
  if (!default_.isObject()) default_ = Json::Value(Json::objectValue);
  return default_;
}
