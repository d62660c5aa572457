#include "profiles/macros/sent_macro_record.h"

#include <cerrno>
#include <cstdio>

#include "profiles/macros/macro_file.h"
#include "profiles/macros/macro_limits.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"

namespace {

constexpr const char* kListKey = "SentMacros";

std::string RecordPath(const std::string& folder) { return folder + std::string(kSentMacroRecordFile); }

}  // namespace

bool WriteSentMacroRecord(const std::string& folder, const std::vector<NamedMacro>& macros) {
  Json::Value document(Json::objectValue);
  document[kListKey] = NamedMacroListJson(macros);
  document["Version"] = kMacroFileVersion;
  return WriteJsonFile(document, RecordPath(folder));
}

bool ForgetSentMacroRecord(const std::string& folder) {
  return std::remove(RecordPath(folder).c_str()) == 0 || errno == ENOENT;
}

std::optional<std::vector<NamedMacro>> ReadSentMacroRecord(const std::string& folder) {
  const Json::Value document = LoadJsonFile(RecordPath(folder));
  const Json::Value& list = MemberOf(document, kListKey);
  if (!list.isArray()) return std::nullopt;
  std::vector<NamedMacro> macros;
  for (const Json::Value& entry : list) macros.push_back({TextOf(MemberOf(entry, "MacroName")), MacroEventsOf(entry)});
  return macros;
}
