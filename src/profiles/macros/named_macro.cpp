#include "profiles/macros/named_macro.h"

#include "profiles/macros/macro_file.h"
#include "profiles/macros/macro_limits.h"
#include "profiles/macros/macro_name_rules.h"
#include "profiles/storage/json_access.h"

Json::Value NamedMacroJson(const NamedMacro& macro) {
  Json::Value entry(Json::objectValue);
  entry["MacroName"] = macro.name;
  Json::Value& events = entry["Events"] = Json::Value(Json::arrayValue);
  for (const MacroEvent& event : macro.events) events.append(MacroEventToJson(event));
  return entry;
}

Json::Value NamedMacroListJson(const std::vector<NamedMacro>& macros) {
  Json::Value list(Json::arrayValue);
  for (const NamedMacro& macro : macros) list.append(NamedMacroJson(macro));
  return list;
}

bool ReadNamedMacroList(const Json::Value& list, std::vector<NamedMacro>& macros, std::string& error) {
  macros.clear();
  if (!list.isArray()) {
    error = "\"Macros\" is not a list.";
    return false;
  }
  if (list.size() > kMaxMacros) {
    error = "\"Macros\" has " + std::to_string(list.size()) + " entries; a device keeps at most " +
            std::to_string(kMaxMacros) + ".";
    return false;
  }
  for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
    const std::string place = "Macros[" + std::to_string(i) + "]: ";
    if (!list[i].isObject()) {
      error = place + "is not a macro object.";
      return false;
    }
    const Json::Value& name = MemberOf(list[i], "MacroName");
    if (!name.isString()) {
      error = place + "has no \"MacroName\" text.";
      return false;
    }
    if (const MacroNameCheck check = CheckMacroName(name.asString(), {}); check != MacroNameCheck::kAccepted) {
      error = place + DescribeMacroNameCheck(check);
      return false;
    }
    if (!MemberOf(list[i], "Events").isArray()) {
      error = place + "has no \"Events\" list.";
      return false;
    }
    MacroImportCheck check = CheckMacroImportDocument(list[i], MacroEventsKept::kAll);
    if (check.refusal != MacroImportRefusal::kNone) {
      error = place + check.detail;
      return false;
    }
    macros.push_back({name.asString(), std::move(check.events)});
  }
  return true;
}
