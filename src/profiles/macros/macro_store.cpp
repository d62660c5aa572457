#include "profiles/macros/macro_store.h"

#include <unistd.h>

#include <algorithm>

#include "profiles/macros/macro_limits.h"
#include "profiles/storage/atomic_file.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"
#include "profiles/storage/text_conversions.h"
#include "profiles/storage/time_stamp.h"

CMacroStore::CMacroStore(std::string folder, std::string listFileName)
    : folder_(std::move(folder)), listFileName_(std::move(listFileName)) {
  if (!folder_.empty() && folder_.back() != '/') folder_.push_back('/');
}

void CMacroStore::Load() {
  loaded_ = true;
  entries_.clear();
  listDocument_ = LoadJsonFile(ListFilePath());
  const Json::Value& list = MemberOf(listDocument_, "MacroInfo");
  if (!list.isArray()) return;
  Json::ArrayIndex count = std::min<Json::ArrayIndex>(list.size(), kMaxMacroListEntriesRead);
  for (Json::ArrayIndex i = 0; i < count; ++i) {
    entries_.push_back({TextOf(MemberOf(list[i], "MacroName")), TextOf(MemberOf(list[i], "Guid"))});
  }
}

const std::vector<MacroListEntry>& CMacroStore::Entries() {
  if (!loaded_) Load();
  return entries_;
}

std::vector<std::string> CMacroStore::Names() {
  std::vector<std::string> names;
  for (const MacroListEntry& entry : Entries()) names.push_back(entry.name);
  return names;
}

bool CMacroStore::IsIndex(int index) { return index >= 0 && static_cast<size_t>(index) < Entries().size(); }

std::string CMacroStore::MacroFilePath(int index) {
  if (!IsIndex(index)) return {};
  std::string fileName = entries_[static_cast<size_t>(index)].id + std::string(kMacroFileExtension);
  return IsPlainFileName(entries_[static_cast<size_t>(index)].id) ? folder_ + fileName : std::string();
}

bool CMacroStore::WriteList(const std::vector<MacroListEntry>& entries) {
  Json::Value document = listDocument_.isObject() ? listDocument_ : Json::Value(Json::objectValue);
  Json::Value list(Json::arrayValue);
  for (const MacroListEntry& entry : entries) {
    Json::Value item(Json::objectValue);
    item["MacroName"] = entry.name;
    item["Guid"] = entry.id;
    list.append(item);
  }
  document["MacroInfo"] = list;
  if (!SaveJsonDocument(document, ListFilePath(), damagedFiles_)) return false;
  listDocument_ = document;
  entries_ = entries;
  return true;
}

MacroChange CMacroStore::AddMacro() {
  MacroChange change;
  std::vector<MacroListEntry> entries = Entries();
  if (entries.size() >= kMaxMacros) {
    change.listFull = true;
    change.detail = "The device already keeps 50 macros; delete one first.";
    return change;
  }
  entries.push_back({NextFreeMacroName(Names()), MakeTimeStamp()});
  if (!WriteList(entries)) {
    change.writeFailed = true;
    change.detail = "The macro list could not be written.";
    return change;
  }
  change.done = true;
  change.index = static_cast<int>(entries.size()) - 1;
  change.name = entries.back().name;
  return change;
}

MacroChange CMacroStore::RenameMacro(int index, const std::string& name) {
  MacroChange change;
  if (!IsIndex(index)) return change;
  change.nameCheck = CheckMacroName(name, Names());
  if (change.nameCheck != MacroNameCheck::kAccepted) {
    change.detail = DescribeMacroNameCheck(change.nameCheck);
    return change;
  }
  std::vector<MacroListEntry> entries = entries_;
  entries[static_cast<size_t>(index)].name = name;
  if (!WriteList(entries)) {
    change.writeFailed = true;
    change.detail = "The macro list could not be written.";
    return change;
  }
  change.done = true;
  change.index = index;
  change.name = name;
  return change;
}

MacroChange CMacroStore::DeleteMacro(int index) {
  MacroChange change;
  if (!IsIndex(index)) return change;
  std::string file = MacroFilePath(index);
  std::vector<MacroListEntry> entries = entries_;
  entries.erase(entries.begin() + index);
  if (!WriteList(entries)) {
    change.writeFailed = true;
    change.detail = "The macro list could not be written.";
    return change;
  }
  // Only after the list no longer names it: a failed list write must not leave a listed macro
  // without its events.
  if (!file.empty()) unlink(file.c_str());
  change.done = true;
  change.index = index;
  return change;
}

std::vector<MacroEvent> CMacroStore::ReadMacroEvents(int index) {
  std::string file = MacroFilePath(index);
  return file.empty() ? std::vector<MacroEvent>() : ReadMacroFileEvents(file);
}

MacroChange CMacroStore::SaveMacroEvents(int index, const std::vector<MacroEvent>& events) {
  MacroChange change;
  std::string file = MacroFilePath(index);
  if (file.empty()) return change;
  std::vector<MacroEvent> kept = events;
  change.trimmed = kept.size() > kMaxMacroEvents;
  if (change.trimmed) kept.resize(kMaxMacroEvents);
  const MacroListEntry& entry = entries_[static_cast<size_t>(index)];
  if (!WriteJsonFile(MacroFileDocument(entry.name, entry.id, kept), file)) {
    change.writeFailed = true;
    change.detail = "The macro file could not be written.";
    return change;
  }
  change.done = true;
  change.index = index;
  change.name = entry.name;
  return change;
}

bool CMacroStore::ExportMacro(int index, const std::string& path) {
  std::string file = MacroFilePath(index);
  if (file.empty() || path.empty()) return false;
  std::string bytes;
  JsonFileState state = ReadTextFile(file, kMaxStoredJsonFileBytes, bytes);
  if (state == JsonFileState::kLoaded) return WriteFileAtomically(path, bytes);
  if (state != JsonFileState::kMissing) return false;
  const MacroListEntry& entry = entries_[static_cast<size_t>(index)];
  return WriteJsonFile(MacroFileDocument(entry.name, entry.id, {}), path);
}

std::vector<DamagedFileNotice> CMacroStore::TakeDamagedFileNotices() {
  std::vector<DamagedFileNotice> notices;
  notices.swap(damagedFiles_);
  return notices;
}
