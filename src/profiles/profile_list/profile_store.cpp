#include "profiles/profile_list/profile_store.h"

#include <unistd.h>

#include <algorithm>

#include "profiles/profile_document.h"
#include "profiles/profile_list/profile_folder_scan.h"
#include "profiles/storage/data_folders.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"
#include "profiles/storage/time_stamp.h"

namespace {

// The headset's own equalisers, which a reset to the factory settings keeps.
constexpr const char* kEqualiserKeys[] = {"CustomEQNameInfo", "CustomEQHzValueInfo"};

void SetIdentity(Json::Value& document, const ProfileListEntry& entry) {
  AsObject(document);
  document["profilename"] = entry.name;
  document["profileUUID"] = entry.id;
}

}  // namespace

CProfileStore::CProfileStore(std::string folder, std::string defaultDataPath, Json::ArrayIndex deviceIndex)
    : folder_(std::move(folder)),
      defaultDataPath_(std::move(defaultDataPath)),
      deviceIndex_(std::min(deviceIndex, kMaxDeviceIndex)) {
  if (!folder_.empty() && folder_.back() != '/') folder_.push_back('/');
}

ProfileStoreResult CProfileStore::Open() { return ReadList(); }

void CProfileStore::Reload() { ReadList(); }

ProfileStoreResult CProfileStore::ReadList() {
  JsonFileLoad load = LoadJsonDocument(ListFilePath());
  listDocument_ = load.state == JsonFileState::kLoaded ? std::move(load.document) : Json::Value();
  list_ = ReadProfileList(listDocument_);
  return list_.entries.empty() ? Rebuild() : ProfileStoreResult::kDone;
}

ProfileStoreResult CProfileStore::Rebuild() {
  ProfileList rebuilt;
  for (const ProfileListEntry& entry : FindProfileFiles(folder_)) rebuilt.Append(entry);
  if (!rebuilt.entries.empty()) {
    if (WriteList(rebuilt)) return ProfileStoreResult::kDone;
    list_ = rebuilt;  // shown, so the device can still use its profiles, though not stored
    return ProfileStoreResult::kWriteFailed;
  }
  const ProfileListEntry first{NextFreeProfileName({}), MakeTimeStamp()};
  const std::string path = ProfileFilePath(folder_, first.id);
  if (!WriteJsonFile(DefaultDocumentFor(first), path)) return ProfileStoreResult::kWriteFailed;
  rebuilt.Append(first);
  if (!WriteList(rebuilt)) {
    unlink(path.c_str());
    return ProfileStoreResult::kWriteFailed;
  }
  return ProfileStoreResult::kDone;
}

bool CProfileStore::WriteList(const ProfileList& list) {
  Json::Value document = ProfileListDocument(listDocument_, list);
  if (!SaveJsonDocument(document, ListFilePath(), damagedFiles_)) return false;
  listDocument_ = std::move(document);
  list_ = list;
  return true;
}

std::string CProfileStore::ProfilePath(size_t index) const {
  return IsIndex(index) ? ProfileFilePath(folder_, list_.entries[index].id) : std::string();
}

bool CProfileStore::ReadDefaultDocument(Json::Value& document) const {
  JsonFileLoad load = LoadJsonDocument(defaultDataPath_);
  if (load.state != JsonFileState::kLoaded || !IsProfileDocument(load.document, deviceIndex_)) return false;
  document = std::move(load.document);
  return true;
}

// Without readable default data the file holds only the name and id; the profile loader fills
// in the settings from the default data once it can be read.
Json::Value CProfileStore::DefaultDocumentFor(const ProfileListEntry& entry) const {
  Json::Value document(Json::objectValue);
  ReadDefaultDocument(document);
  SetIdentity(document, entry);
  return document;
}

// A missing file is not an error: the profile loader makes it from the default data, so that is
// what the profile holds.
ProfileStoreResult CProfileStore::ReadProfileDocument(size_t index, Json::Value& document) const {
  JsonFileLoad load = LoadJsonDocument(ProfilePath(index));
  switch (load.state) {
    case JsonFileState::kLoaded:
      if (!IsProfileDocument(load.document, deviceIndex_)) return ProfileStoreResult::kSourceUnreadable;
      document = std::move(load.document);
      return ProfileStoreResult::kDone;
    case JsonFileState::kMissing:
    case JsonFileState::kEmpty:
      document = DefaultDocumentFor(list_.entries[index]);
      return ProfileStoreResult::kDone;
    case JsonFileState::kUnreadable:
    case JsonFileState::kDamaged:
      break;
  }
  return ProfileStoreResult::kSourceUnreadable;
}

// A new profile is the one the user works on next, so it is stored as selected in the same write
// that lists it.
ProfileStoreResult CProfileStore::AppendProfile(const std::string& name, const Json::Value& settings) {
  const ProfileListEntry entry{name, MakeTimeStamp()};
  const std::string path = ProfileFilePath(folder_, entry.id);
  Json::Value document = settings;
  SetIdentity(document, entry);
  if (!WriteJsonFile(document, path)) return ProfileStoreResult::kWriteFailed;
  ProfileList changed = list_;
  changed.Append(entry);
  changed.selected = changed.entries.size() - 1;
  if (!WriteList(changed)) {
    unlink(path.c_str());
    return ProfileStoreResult::kWriteFailed;
  }
  lastCreatedId_ = entry.id;
  return ProfileStoreResult::kDone;
}

ProfileStoreResult CProfileStore::Select(size_t index) {
  Reload();
  if (!IsIndex(index)) return ProfileStoreResult::kNoSuchProfile;
  // Every start chooses the profile that is stored as chosen: nothing to write then.
  const Json::Value& stored = MemberOf(listDocument_, "profileselect");
  if (stored.isIntegral() && IntegerOf(stored) == static_cast<int64_t>(index)) return ProfileStoreResult::kDone;
  ProfileList changed = list_;
  changed.selected = index;
  return WriteList(changed) ? ProfileStoreResult::kDone : ProfileStoreResult::kWriteFailed;
}

ProfileStoreResult CProfileStore::Add(const std::string& name) {
  Reload();
  if (list_.entries.size() >= kMaxProfiles) return ProfileStoreResult::kLimitReached;
  Json::Value defaults(Json::objectValue);
  ReadDefaultDocument(defaults);
  return AppendProfile(name, defaults);
}

ProfileStoreResult CProfileStore::Copy(size_t source, const std::string& name) {
  Reload();
  if (list_.entries.size() >= kMaxProfiles) return ProfileStoreResult::kLimitReached;
  if (!IsIndex(source)) return ProfileStoreResult::kNoSuchProfile;
  Json::Value settings;
  ProfileStoreResult read = ReadProfileDocument(source, settings);
  return read == ProfileStoreResult::kDone ? AppendProfile(name, settings) : read;
}

ProfileStoreResult CProfileStore::Import(const Json::Value& document, const std::string& name) {
  Reload();
  if (list_.entries.size() >= kMaxProfiles) return ProfileStoreResult::kLimitReached;
  if (!IsProfileDocument(document, deviceIndex_)) return ProfileStoreResult::kSourceUnreadable;
  return AppendProfile(name, document);
}

ProfileStoreResult CProfileStore::Delete(size_t index, size_t newSelection) {
  Reload();
  if (!IsIndex(index) || list_.entries.size() < 2) return ProfileStoreResult::kNoSuchProfile;
  const std::string path = ProfilePath(index);
  ProfileList changed = list_;
  changed.Erase(index);
  changed.selected = newSelection < changed.entries.size() ? newSelection : 0;
  if (!WriteList(changed)) return ProfileStoreResult::kWriteFailed;
  unlink(path.c_str());
  return ProfileStoreResult::kDone;
}

ProfileStoreResult CProfileStore::Rename(size_t index, const std::string& name) {
  Reload();
  if (!IsIndex(index)) return ProfileStoreResult::kNoSuchProfile;
  const std::string path = ProfilePath(index);
  ProfileDocumentForWrite file = ReadProfileDocumentForWrite(path, deviceIndex_, damagedFiles_);
  if (!file.writable) return ProfileStoreResult::kSourceUnreadable;
  const ProfileList before = list_;
  ProfileList changed = list_;
  changed.Rename(index, name);
  if (!file.document.isObject()) file.document = DefaultDocumentFor(changed.entries[index]);
  SetIdentity(file.document, changed.entries[index]);
  // The list goes first: should the file then fail, the list is put back, and if even that
  // fails the list (which the user sees) holds the new name and the file the old one.
  if (!WriteList(changed)) return ProfileStoreResult::kWriteFailed;
  if (!WriteJsonFile(file.document, path)) {
    WriteList(before);
    return ProfileStoreResult::kWriteFailed;
  }
  return ProfileStoreResult::kDone;
}

ProfileStoreResult CProfileStore::Reset(size_t index, bool keepEqualisers) {
  Reload();
  if (!IsIndex(index)) return ProfileStoreResult::kNoSuchProfile;
  const std::string path = ProfilePath(index);
  Json::Value document;
  if (!ReadDefaultDocument(document)) return ProfileStoreResult::kSourceUnreadable;
  SetIdentity(document, list_.entries[index]);
  if (keepEqualisers) {
    const Json::Value current = DeviceElementOf(LoadJsonFile(path), deviceIndex_);
    for (const char* key : kEqualiserKeys) {
      const Json::Value& kept = MemberOf(current, key);
      if (!kept.isNull()) AsObject(ArrayElement(ObjectMember(document, "Device"), deviceIndex_))[key] = kept;
    }
  }
  return SaveJsonDocument(document, path, damagedFiles_) ? ProfileStoreResult::kDone : ProfileStoreResult::kWriteFailed;
}

ProfileStoreResult CProfileStore::Export(size_t index, const std::string& path) {
  Reload();
  if (!IsIndex(index)) return ProfileStoreResult::kNoSuchProfile;
  Json::Value document;
  ProfileStoreResult read = ReadProfileDocument(index, document);
  if (read != ProfileStoreResult::kDone) return read;
  const ProfileListEntry& entry = list_.entries[index];
  if (!MemberOf(document, "profilename").isString()) document["profilename"] = entry.name;
  if (!MemberOf(document, "profileUUID").isString()) document["profileUUID"] = entry.id;
  return WriteJsonFile(document, path) ? ProfileStoreResult::kDone : ProfileStoreResult::kWriteFailed;
}

std::vector<DamagedFileNotice> CProfileStore::TakeDamagedFileNotices() {
  std::vector<DamagedFileNotice> notices;
  notices.swap(damagedFiles_);
  return notices;
}
