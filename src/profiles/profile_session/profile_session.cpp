#include "profiles/profile_session/profile_session.h"

#include <utility>

#include "profiles/storage/data_folders.h"

CProfileSession::CProfileSession(std::unique_ptr<CBasicProfiledata> data)
    : data_(std::move(data)), store_(std::make_unique<CProfileStore>("", "")) {}

void CProfileSession::SetFolders(const std::string& folder, const std::string& defaultDataPath) {
  if (opened_ && folder == folder_ && defaultDataPath == defaultDataPath_) return;
  folder_ = folder;
  defaultDataPath_ = defaultDataPath;
  store_ = std::make_unique<CProfileStore>(folder_, defaultDataPath_);
  opened_ = false;
  chosenIndex_ = -1;
  chosenId_.clear();
  chosenName_.clear();
}

ProfileStoreResult CProfileSession::Open() {
  if (opened_) return openResult_;
  opened_ = true;
  openResult_ = store_->Open();
  data_->SetDefaultDataPath(defaultDataPath_);
  data_->LoadDefaultData(defaultDataPath_);
  if (!store_->Entries().empty()) {
    chosenIndex_ = -1;
    Choose(static_cast<size_t>(store_->SelectedIndex()));
  }
  return openResult_;
}

ProfileStoreResult CProfileSession::Choose(size_t index) {
  if (index >= store_->Entries().size()) return ProfileStoreResult::kNoSuchProfile;
  const ProfileStoreResult stored = store_->Select(index);
  const ProfileListEntry& entry = store_->Entries()[index];
  if (chosenIndex_ == static_cast<int>(index) && chosenId_ == entry.id) {
    chosenName_ = entry.name;
    return stored;
  }
  chosenIndex_ = static_cast<int>(index);
  chosenId_ = entry.id;
  chosenName_ = entry.name;
  LoadChosen();
  return stored;
}

void CProfileSession::LoadChosen() {
  data_->SetProfilePath(ProfileFilePath(folder_, chosenId_));
  data_->SetProfileIdentity(chosenName_, chosenId_);
  data_->LoadProfile(data_->GetProfilePath());
}

bool CProfileSession::Save() { return chosenIndex_ >= 0 && data_->SaveProfile(); }

ProfileStoreResult CProfileSession::Add(const std::string& name) { return ChooseNew(store_->Add(name)); }

ProfileStoreResult CProfileSession::Copy(size_t source, const std::string& name) {
  // The copy is taken from the file: what the device changed is on disk already, every change
  // being saved at once.
  return ChooseNew(store_->Copy(source, name));
}

ProfileStoreResult CProfileSession::Import(const Json::Value& document, const std::string& name) {
  return ChooseNew(store_->Import(document, name));
}

// The store has listed the new profile last and stored it as selected.
ProfileStoreResult CProfileSession::ChooseNew(ProfileStoreResult created) {
  if (created == ProfileStoreResult::kDone && !store_->Entries().empty()) Choose(store_->Entries().size() - 1);
  return created;
}

ProfileStoreResult CProfileSession::Delete(size_t index, size_t newSelection) {
  const ProfileStoreResult result = store_->Delete(index, newSelection);
  if (result != ProfileStoreResult::kDone) return result;
  // The device leaves the deleted profile at once: a save in between would write its file again.
  chosenIndex_ = -1;
  Choose(static_cast<size_t>(store_->SelectedIndex()));
  return result;
}

ProfileStoreResult CProfileSession::Rename(size_t index, const std::string& name) {
  const ProfileStoreResult result = store_->Rename(index, name);
  if (result == ProfileStoreResult::kDone && static_cast<int>(index) == chosenIndex_) {
    chosenName_ = name;
    data_->SetProfileIdentity(chosenName_, chosenId_);
  }
  return result;
}

ProfileStoreResult CProfileSession::Reset(size_t index) {
  const ProfileStoreResult result = store_->Reset(index, keepsEqualisers_);
  if (result == ProfileStoreResult::kDone && static_cast<int>(index) == chosenIndex_) LoadChosen();
  return result;
}

ProfileStoreResult CProfileSession::Export(size_t index, const std::string& path) { return store_->Export(index, path); }

std::vector<DamagedFileNotice> CProfileSession::TakeDamagedFileNotices() {
  std::vector<DamagedFileNotice> notices = store_->TakeDamagedFileNotices();
  for (DamagedFileNotice& notice : data_->TakeDamagedFileNotices()) notices.push_back(std::move(notice));
  return notices;
}
