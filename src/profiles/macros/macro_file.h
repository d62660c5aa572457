#pragma once
#include <json/json.h>

#include <string>
#include <string_view>
#include <vector>

#include "profiles/macros/macro_event.h"

// A macro file: {"MacroName": text, "Guid": the macro id, "Events": [MacroEvent…], "Version": 64}.
// The name and id are informational (the list file is authoritative); a macro that was never
// saved has no file and reads as no events.

Json::Value MacroFileDocument(const std::string& name, const std::string& id, const std::vector<MacroEvent>& events);

// Every event of a macro file's document, read leniently.
std::vector<MacroEvent> MacroEventsOf(const Json::Value& document);

// The events of the file at `path`; empty when it is missing or not a macro document.
std::vector<MacroEvent> ReadMacroFileEvents(const std::string& path);

// Why an imported macro file is refused. The UI shows each through a language key of its own;
// `detail` says the same in English with the place of the fault.
enum class MacroImportRefusal {
  kNone,
  kFileNameTooLong,  // the name with its extension has 15 or more characters, or 11 without it
  kBadFileName,      // the file's name gives no usable macro name (empty, a leading space, not text)
  kListFull,         // the device already keeps 50 macros
  kUnreadable,       // the file cannot be opened or read
  kTooLarge,         // far larger than any macro file
  kNotJson,          // empty, or not a JSON document
  kNotMacro,         // JSON, but without an "Events" list
  kBadEvent,         // an event whose type, button or action is not one a macro can hold
  kWriteFailed,      // the macro could not be stored; nothing was changed
};

struct MacroImportCheck {
  MacroImportRefusal refusal = MacroImportRefusal::kNone;
  std::string detail;
  std::vector<MacroEvent> events;  // the first 60, normalised
  bool trimmed = false;            // the file held more than 60 events and the rest were dropped
};

// Validates the text of a file offered for import. Checks everything the macro's use depends
// on and keeps only the first 60 events; a missing or unreadable "Delay" reads as 0 and one
// above 65535 as 65535.
MacroImportCheck CheckMacroImportText(std::string_view text);

// How many events a checked macro keeps: an import keeps the first 60; a macro that is sent as it
// stands keeps them all, so that the device's length rule refuses it rather than cutting it short.
enum class MacroEventsKept { kFirst60, kAll };

// The same checks on a document already parsed (an entry of a list that carries macros).
MacroImportCheck CheckMacroImportDocument(const Json::Value& document, MacroEventsKept kept);
