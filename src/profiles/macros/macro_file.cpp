#include "profiles/macros/macro_file.h"

#include <algorithm>

#include "profiles/macros/macro_limits.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"

namespace {

constexpr uint32_t kMaxDelay = 0xFFFF;

MacroImportCheck Refuse(MacroImportRefusal refusal, std::string detail) {
  MacroImportCheck check;
  check.refusal = refusal;
  check.detail = std::move(detail);
  return check;
}

// The delay of an imported event, lenient like every delay reader but saturating: a file that
// asks for a longer pause than the device can hold gets the longest one, not its low 16 bits.
uint32_t ImportedDelay(const Json::Value& value) {
  if (value.isString()) {
    const std::string text = value.asString();
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return 0;
    size_t end = text.find_first_not_of("0123456789", begin);
    size_t digits = (end == std::string::npos ? text.size() : end) - begin;
    if (digits > 5) return kMaxDelay;
    return std::min(LenientNumberOf(value), kMaxDelay);
  }
  if (!value.isNumeric() || value.isBool()) return 0;
  int64_t number = IntegerOf(value);
  return number <= 0 ? 0 : static_cast<uint32_t>(std::min<int64_t>(number, kMaxDelay));
}

// A value that must be a whole number 0..limit, given as a number or as decimal digits.
bool ReadStrictNumber(const Json::Value& value, uint32_t limit, uint32_t& number) {
  if (value.isString()) {
    const std::string text = value.asString();
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    uint64_t parsed = 0;
    for (char digit : text) parsed = parsed * 10 + static_cast<uint64_t>(digit - '0');
    if (parsed > limit) return false;
    number = static_cast<uint32_t>(parsed);
    return true;
  }
  if (!value.isNumeric() || value.isBool()) return false;
  int64_t parsed = IntegerOf(value);
  if (value.isDouble() && static_cast<double>(parsed) != value.asDouble()) return false;
  if (parsed < 0 || static_cast<uint64_t>(parsed) > limit) return false;
  number = static_cast<uint32_t>(parsed);
  return true;
}

std::string EventPlace(Json::ArrayIndex index) { return "Event " + std::to_string(index + 1) + " "; }

}  // namespace

Json::Value MacroFileDocument(const std::string& name, const std::string& id, const std::vector<MacroEvent>& events) {
  Json::Value document(Json::objectValue);
  document["MacroName"] = name;
  document["Guid"] = id;
  Json::Value& list = document["Events"] = Json::Value(Json::arrayValue);
  for (const MacroEvent& event : events) list.append(MacroEventToJson(event));
  document["Version"] = kMacroFileVersion;
  return document;
}

std::vector<MacroEvent> MacroEventsOf(const Json::Value& document) {
  std::vector<MacroEvent> events;
  const Json::Value& list = MemberOf(document, "Events");
  if (!list.isArray()) return events;
  for (const Json::Value& event : list) events.push_back(MacroEventFromJson(event));
  return events;
}

std::vector<MacroEvent> ReadMacroFileEvents(const std::string& path) { return MacroEventsOf(LoadJsonFile(path)); }

MacroImportCheck CheckMacroImportText(std::string_view text) {
  if (text.size() > kMaxMacroImportBytes) {
    return Refuse(MacroImportRefusal::kTooLarge, "The file is larger than any macro file can be.");
  }
  Json::Value document;
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos || !ParseJsonText(text, document)) {
    return Refuse(MacroImportRefusal::kNotJson, "The file is empty or is not a JSON document.");
  }
  return CheckMacroImportDocument(document, MacroEventsKept::kFirst60);
}

MacroImportCheck CheckMacroImportDocument(const Json::Value& document, MacroEventsKept kept) {
  const Json::Value& list = MemberOf(document, "Events");
  if (!list.isArray()) {
    return Refuse(MacroImportRefusal::kNotMacro, "The file does not hold a macro: it has no \"Events\" list.");
  }
  MacroImportCheck check;
  check.trimmed = kept == MacroEventsKept::kFirst60 && list.size() > kMaxMacroEvents;
  Json::ArrayIndex count = check.trimmed ? static_cast<Json::ArrayIndex>(kMaxMacroEvents) : list.size();
  for (Json::ArrayIndex i = 0; i < count; ++i) {
    const Json::Value& item = list[i];
    if (!item.isObject()) return Refuse(MacroImportRefusal::kBadEvent, EventPlace(i) + "is not an event object.");
    MacroEvent event;
    if (!ReadStrictNumber(MemberOf(item, "Type"), 0xFF, event.Type) || !IsKnownMacroEventType(event.Type)) {
      return Refuse(MacroImportRefusal::kBadEvent, EventPlace(i) + "has no known \"Type\" (1, 2, 3, 4, 5, 9 or 10).");
    }
    if (!ReadStrictNumber(MemberOf(item, "Button"), 0xFF, event.Button)) {
      return Refuse(MacroImportRefusal::kBadEvent, EventPlace(i) + "has no \"Button\" from 0 to 255.");
    }
    const Json::Value& action = MemberOf(item, "Action");
    if (!action.isString() || (action.asString() != "down" && action.asString() != "up")) {
      return Refuse(MacroImportRefusal::kBadEvent, EventPlace(i) + "has an \"Action\" other than \"down\" or \"up\".");
    }
    event.Down = action.asString() == "down";
    event.Delay = ImportedDelay(MemberOf(item, "Delay"));
    check.events.push_back(event);
  }
  return check;
}
