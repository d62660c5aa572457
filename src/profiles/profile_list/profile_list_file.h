#pragma once
#include <json/json.h>

#include <string>
#include <vector>

// "ProfileList.ini" in a device kind's data folder: despite its name a JSON document,
// {"profilelist": [{"profilename", "profileUUID", "profileislink", "profilelinkmame"}, …],
// "profileselect": n}. The order of "profilelist" is the order the user sees.

inline constexpr const char* kProfileListFileName = "ProfileList.ini";

// A hand-edited list could be long enough to fill memory and the profile menu; no list this
// program writes has more than 50 entries.
inline constexpr size_t kMaxProfileListEntriesRead = 256;

// One profile of the list: the name the user sees and the profile id, a time stamp that names
// the profile's file ("<id>.Json") and never changes.
struct ProfileListEntry {
  std::string name;
  std::string id;
};

// The list as read, with each entry's stored object beside it so that keys this program does not
// know survive a rewrite.
struct ProfileList {
  std::vector<ProfileListEntry> entries;
  std::vector<Json::Value> storedEntries;
  size_t selected = 0;

  void Append(const ProfileListEntry& entry);
  void Erase(size_t index);
  void Rename(size_t index, const std::string& name);
};

// Reads "profilelist" and "profileselect" from a list document of any shape. Entries whose id is
// not a plain file name are dropped (a hand-edited list must not reach outside its folder), as
// are later entries repeating an id (deleting one would delete the other's file). A selection
// outside the list reads as 0.
ProfileList ReadProfileList(const Json::Value& document);

// `document` (an empty one when it is not an object) with "profilelist" and "profileselect"
// written from `list`; its other keys and the entries' other keys are kept. The link flag and
// link name are always written 0 and empty.
Json::Value ProfileListDocument(const Json::Value& document, const ProfileList& list);
