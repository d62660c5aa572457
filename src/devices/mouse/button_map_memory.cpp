#include "devices/mouse/button_map_memory.h"

#include <json/json.h>

#include "platform/debug_output.h"
#include "profiles/storage/damaged_file.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"

namespace {

// A hand-edited file could hold anything; no mouse needs more places than this.
constexpr Json::ArrayIndex kMaxKeptMaps = 16;

bool IsEntryFor(const Json::Value& entry, size_t recordCount) {
  return IntegerAt(entry, "records") == static_cast<int64_t>(recordCount) && MemberOf(entry, "map").isArray();
}

ButtonRecordMap MapOf(const Json::Value& entry) {
  ButtonRecordMap map = UnmappedButtons();
  const Json::Value& list = MemberOf(entry, "map");
  for (Json::ArrayIndex i = 0; i < map.size() && i < list.size(); ++i) {
    if (!list[i].isNumeric()) continue;
    const int64_t record = IntegerOf(list[i]);
    if (record >= 0 && record < kNoButtonRecord) map[i] = static_cast<uint16_t>(record);
  }
  return map;
}

}  // namespace

std::optional<ButtonRecordMap> CButtonMapMemory::Find(size_t recordCount, uint16_t firmware) const {
  const Json::Value document = LoadJsonFile(path_);
  const Json::Value& maps = MemberOf(document, "maps");
  if (!maps.isArray()) return std::nullopt;
  const Json::Value* newest = nullptr;
  for (Json::ArrayIndex i = 0; i < maps.size() && i < kMaxKeptMaps; ++i) {
    const Json::Value& entry = maps[i];
    if (!IsEntryFor(entry, recordCount)) continue;
    if (firmware != 0 && IntegerAt(entry, "firmware") == firmware) return MapOf(entry);
    if (!newest) newest = &entry;
  }
  // A firmware of its own that was never seen is a mouse whose records may lie otherwise.
  if (!newest || (firmware != 0 && IntegerAt(*newest, "firmware") != 0)) return std::nullopt;
  return MapOf(*newest);
}

bool CButtonMapMemory::Remember(size_t recordCount, uint16_t firmware, const ButtonRecordMap& map) {
  Json::Value entry(Json::objectValue);
  entry["records"] = static_cast<Json::UInt>(recordCount);
  entry["firmware"] = firmware;
  for (uint16_t record : map) entry["map"].append(record);

  Json::Value document(Json::objectValue);
  document["maps"].append(entry);
  const Json::Value stored = LoadJsonFile(path_);
  const Json::Value& kept = MemberOf(stored, "maps");
  for (Json::ArrayIndex i = 0; kept.isArray() && i < kept.size() && document["maps"].size() < kMaxKeptMaps; ++i) {
    const Json::Value& old = kept[i];
    const bool replaced = IsEntryFor(old, recordCount) && IntegerAt(old, "firmware") == firmware;
    if (!replaced && old.isObject()) document["maps"].append(old);
  }
  // A damaged file is kept aside before it is replaced; the trace says where.
  std::vector<DamagedFileNotice> notices;
  const bool written = SaveJsonDocument(document, path_, notices);
  for (const DamagedFileNotice& notice : notices) {
    OutputDebugString("button places: " + notice.path + " could not be read; kept as " + notice.keptAs);
  }
  return written;
}
