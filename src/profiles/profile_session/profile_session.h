#pragma once
#include <json/json.h>

#include <memory>
#include <string>
#include <vector>

#include "profiles/basic_profile_data.h"
#include "profiles/profile_list/profile_store.h"

// The profiles of one device kind while the program runs: the kind's profile list and the profile
// the device works on, whose document is loaded once, when it is chosen, and written back on every
// save. The profile panel changes the list through it and chooses the profile; the device reads
// and saves that profile through it, so one object owns the kind's profile files. Owned by the
// kind's device object; used on the user-interface thread only.
class CProfileSession {
 public:
  explicit CProfileSession(std::unique_ptr<CBasicProfiledata> data);

  // The kind's data folder (ends with '/') and its factory profile. Another folder closes the
  // session; the next Open reads the new folder's list.
  void SetFolders(const std::string& folder, const std::string& defaultDataPath);
  const std::string& Folder() const { return folder_; }
  const std::string& DefaultDataPath() const { return defaultDataPath_; }
  // A reset keeps the headset's own equalisers.
  void SetKeepsEqualisersOnReset(bool keeps) { keepsEqualisers_ = keeps; }

  // Reads the list, creating "Profile1" on a first start, and loads the profile stored as
  // selected. Only the first call reads; later ones report how it went.
  ProfileStoreResult Open();
  bool IsOpen() const { return opened_; }

  const std::vector<ProfileListEntry>& Entries() const { return store_->Entries(); }
  // "profileselect" as last read or written.
  int StoredSelection() const { return store_->SelectedIndex(); }
  // Rereads the list file, for callers that must see what another program wrote.
  void Reload() { store_->Reload(); }
  std::string ProfilePath(size_t index) const { return store_->ProfilePath(index); }

  // The profile the device works on: -1 and empty texts before one was chosen.
  int ChosenIndex() const { return chosenIndex_; }
  const std::string& ChosenId() const { return chosenId_; }
  const std::string& ChosenName() const { return chosenName_; }
  // Stores `index` as the selection and makes it the chosen profile, loading its document unless
  // it is the chosen one already.
  ProfileStoreResult Choose(size_t index);

  // The chosen profile's document (the factory data until a profile is chosen).
  CBasicProfiledata& Data() { return *data_; }
  // Writes the chosen profile's file; false when it could not be written (or none is chosen).
  bool Save();

  // The list operations (profile_store.h). A new profile (add, copy, import) becomes the chosen
  // one; those that change the chosen profile's file or take it away load the profile the device
  // is to work on next.
  ProfileStoreResult Add(const std::string& name);
  ProfileStoreResult Copy(size_t source, const std::string& name);
  ProfileStoreResult Import(const Json::Value& document, const std::string& name);
  ProfileStoreResult Delete(size_t index, size_t newSelection);
  ProfileStoreResult Rename(size_t index, const std::string& name);
  ProfileStoreResult Reset(size_t index);
  ProfileStoreResult Export(size_t index, const std::string& path);

  // Files found damaged and kept aside since the last call, by the list and by the documents.
  std::vector<DamagedFileNotice> TakeDamagedFileNotices();

 private:
  void LoadChosen();
  ProfileStoreResult ChooseNew(ProfileStoreResult created);

  std::unique_ptr<CBasicProfiledata> data_;
  std::unique_ptr<CProfileStore> store_;
  std::string folder_;
  std::string defaultDataPath_;
  bool keepsEqualisers_ = false;
  bool opened_ = false;
  ProfileStoreResult openResult_ = ProfileStoreResult::kDone;
  int chosenIndex_ = -1;
  std::string chosenId_;
  std::string chosenName_;
};
