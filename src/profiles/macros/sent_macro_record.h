#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/macros/named_macro.h"

// The device cannot be asked for the macros in its memory, so the host keeps a record of the last
// macro image it sent: the macros in image order (a key's macro assignment names its macro by that
// position), with their names and events as sent. It lives in the kind's data folder and is
// replaced atomically; it is removed when an upload fails, since the device's macro memory is then
// unknown.
//
// {"SentMacros": [{"MacroName": text, "Events": [MacroEvent…]}, …], "Version": 64}
inline constexpr std::string_view kSentMacroRecordFile = "sent_macros.config";

// `folder` ends with '/'. False when the file could not be written (the old one is then unchanged).
bool WriteSentMacroRecord(const std::string& folder, const std::vector<NamedMacro>& macros);
// True when no record is left behind.
bool ForgetSentMacroRecord(const std::string& folder);
// Nothing when no record was kept or the file is damaged.
std::optional<std::vector<NamedMacro>> ReadSentMacroRecord(const std::string& folder);
