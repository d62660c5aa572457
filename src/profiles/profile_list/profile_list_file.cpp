#include "profiles/profile_list/profile_list_file.h"

#include <cstdint>
#include <set>

#include "profiles/storage/json_access.h"
#include "profiles/storage/text_conversions.h"

void ProfileList::Append(const ProfileListEntry& entry) {
  entries.push_back(entry);
  storedEntries.emplace_back(Json::objectValue);
}

void ProfileList::Erase(size_t index) {
  if (index >= entries.size()) return;
  entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
  storedEntries.erase(storedEntries.begin() + static_cast<std::ptrdiff_t>(index));
}

void ProfileList::Rename(size_t index, const std::string& name) {
  if (index < entries.size()) entries[index].name = name;
}

ProfileList ReadProfileList(const Json::Value& document) {
  ProfileList list;
  const Json::Value& stored = MemberOf(document, "profilelist");
  if (!stored.isArray()) return list;
  std::set<std::string> ids;
  for (Json::ArrayIndex i = 0; i < stored.size() && list.entries.size() < kMaxProfileListEntriesRead; ++i) {
    const Json::Value& item = stored[i];
    std::string id = TextOf(MemberOf(item, "profileUUID"));
    if (!item.isObject() || !IsPlainFileName(id) || !ids.insert(id).second) continue;
    list.entries.push_back({TextOf(MemberOf(item, "profilename")), id});
    list.storedEntries.push_back(item);
  }
  int64_t selected = IntegerAt(document, "profileselect");
  list.selected = selected >= 0 && static_cast<uint64_t>(selected) < list.entries.size() ? static_cast<size_t>(selected) : 0;
  return list;
}

Json::Value ProfileListDocument(const Json::Value& document, const ProfileList& list) {
  Json::Value written = document.isObject() ? document : Json::Value(Json::objectValue);
  Json::Value items(Json::arrayValue);
  for (size_t i = 0; i < list.entries.size(); ++i) {
    Json::Value item = i < list.storedEntries.size() ? list.storedEntries[i] : Json::Value();
    AsObject(item);
    item["profilename"] = list.entries[i].name;
    item["profileUUID"] = list.entries[i].id;
    item["profileislink"] = 0;
    item["profilelinkmame"] = "";
    items.append(item);
  }
  written["profilelist"] = items;
  written["profileselect"] = static_cast<Json::Int>(list.selected);
  return written;
}
