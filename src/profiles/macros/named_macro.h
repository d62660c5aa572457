#pragma once
#include <json/json.h>

#include <string>
#include <vector>

#include "profiles/macros/macro_event.h"

// A macro carried outside the macro store: in an exported profile's "Macros" list, where its
// position is the macro number the profile's keys name, and in the record of the macros last
// sent to a device. In JSON {"MacroName": text, "Events": [MacroEvent…]}, as in a macro file.
struct NamedMacro {
  std::string name;
  std::vector<MacroEvent> events;

  bool operator==(const NamedMacro&) const = default;
};

Json::Value NamedMacroJson(const NamedMacro& macro);
Json::Value NamedMacroListJson(const std::vector<NamedMacro>& macros);

// A list from a file offered by the user, checked as strictly as a macro import, except that
// every event is kept (a macro too long for the device is refused when it is to be sent). False
// with `error` naming the entry and the fault when the list is not an array of at most 50 macros,
// an entry's "MacroName" is not a name a macro can have, or an event is not one a macro can hold.
bool ReadNamedMacroList(const Json::Value& list, std::vector<NamedMacro>& macros, std::string& error);
