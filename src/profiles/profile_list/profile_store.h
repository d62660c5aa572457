#pragma once
#include <json/json.h>

#include <string>
#include <vector>

#include "profiles/profile_list/profile_list_file.h"
#include "profiles/profile_list/profile_names.h"
#include "profiles/storage/damaged_file.h"

enum class ProfileStoreResult {
  kDone,
  kLimitReached,      // 50 profiles already; nothing was written
  kNoSuchProfile,     // the index is outside the list, or the profile is the only one (delete)
  kWriteFailed,       // a file could not be written; what was on disk is unchanged
  kSourceUnreadable,  // the profile file to copy/export/reset from cannot be read
};

// The profiles of one device kind: the list file "ProfileList.ini" and one profile file
// "<id>.Json" per profile, all in the kind's data folder. The list file, not this object, is
// authoritative: every operation rereads it, changes it and writes it back. Profile files are
// written before the list that names them and deleted only after the list no longer names them,
// so an interruption never leaves a listed profile without its file; every write replaces its
// file atomically.
//
// Names are taken as given; the rules for them are in profile_names.h and the caller applies them.
class CProfileStore {
 public:
  // `folder` ends with '/'; `defaultDataPath` is the kind's factory file (DefaultData/<kind>.Json).
  CProfileStore(std::string folder, std::string defaultDataPath, Json::ArrayIndex deviceIndex = 0);

  // Reads the list. A list that is missing, empty, damaged or names no profile is rebuilt: from
  // the profile files already in the folder (profile_folder_scan.h), so a lost list never hides
  // the user's profiles, or, when there are none, as one profile "Profile1" made from the
  // default data. A damaged list is kept aside before it is replaced. kWriteFailed when the
  // rebuilt list could not be stored; Entries() then still shows the profiles found in the folder.
  ProfileStoreResult Open();
  // Rereads the list as Open does; every operation below starts with it.
  void Reload();

  const std::vector<ProfileListEntry>& Entries() const { return list_.entries; }
  // "profileselect" as last read or written.
  int SelectedIndex() const { return static_cast<int>(list_.selected); }
  // "<folder><id>.Json"; empty when the index is outside the list.
  std::string ProfilePath(size_t index) const;
  std::string ListFilePath() const { return folder_ + kProfileListFileName; }
  // The id made by the last successful Add, Copy or Import.
  std::string LastCreatedId() const { return lastCreatedId_; }

  // "profileselect" = index.
  ProfileStoreResult Select(size_t index);
  // A new profile from the default data, appended and selected.
  ProfileStoreResult Add(const std::string& name);
  // A new profile holding the source's settings, appended and selected.
  ProfileStoreResult Copy(size_t source, const std::string& name);
  // A new profile holding `document` (already checked, see profile_import.h) with this name and
  // a new id, appended and selected.
  ProfileStoreResult Import(const Json::Value& document, const std::string& name);
  // Removes the entry, then its file; "profileselect" = newSelection (0 when that is outside the
  // shortened list). The only profile is never deleted.
  ProfileStoreResult Delete(size_t index, size_t newSelection);
  // The entry's name and the file's "profilename"; the file keeps everything else. A missing or
  // damaged file is made again from the default data (a damaged one is kept aside first).
  ProfileStoreResult Rename(size_t index, const std::string& name);
  // The default data with the entry's name and id, written over its file. keepEqualisers (the
  // headset): the file's "CustomEQNameInfo" and "CustomEQHzValueInfo" survive the reset.
  ProfileStoreResult Reset(size_t index, bool keepEqualisers);
  // The profile file written to `path` in the form the program writes it. A file that lacks
  // "profilename" or "profileUUID" gets them from the list first, so every export can be
  // imported again; a profile whose file is missing exports as the default data.
  ProfileStoreResult Export(size_t index, const std::string& path);

  std::vector<DamagedFileNotice> TakeDamagedFileNotices();

 private:
  ProfileStoreResult ReadList();
  ProfileStoreResult Rebuild();
  bool WriteList(const ProfileList& list);
  bool IsIndex(size_t index) const { return index < list_.entries.size(); }
  bool ReadDefaultDocument(Json::Value& document) const;
  Json::Value DefaultDocumentFor(const ProfileListEntry& entry) const;
  ProfileStoreResult ReadProfileDocument(size_t index, Json::Value& document) const;
  ProfileStoreResult AppendProfile(const std::string& name, const Json::Value& settings);

  std::string folder_;
  std::string defaultDataPath_;
  Json::ArrayIndex deviceIndex_;
  Json::Value listDocument_;  // the list file as last read or written
  ProfileList list_;
  std::string lastCreatedId_;
  std::vector<DamagedFileNotice> damagedFiles_;
};
