#pragma once
#include <json/json.h>

#include <string>
#include <string_view>
#include <vector>

// Checking a profile file that the user offers for import. Such a file may come from anywhere,
// so it is read into a clean document that holds only the keys this program knows, each with a
// value of the right type in its range; a structural fault refuses the import and nothing is
// stored.
enum class ProfileImportRefusal {
  kNone,
  kUnreadable,       // the file cannot be opened or read
  kTooLarge,         // far larger than any profile
  kNotJson,          // empty, or not a JSON document
  kNotProfile,       // JSON, but not a profile: no "Device" list of device objects
  kMissingName,      // no "profilename" or "profileUUID" text
  kNotText,          // a name in the file is not readable text (not UTF-8, or too long)
  kTooManyEntries,   // a list holds more entries than any device has
};

struct ProfileImportCheck {
  ProfileImportRefusal refusal = ProfileImportRefusal::kNone;
  std::string detail;    // English, names the place of the fault
  Json::Value document;  // the clean document when accepted
  // Values that were dropped (wrong type) or brought into range, for the trace.
  std::vector<std::string> adjustments;
};

ProfileImportCheck CheckProfileImportText(std::string_view text);
ProfileImportCheck ReadProfileForImport(const std::string& path);

// Text that a device object can hold as a name: valid UTF-8 without control characters, at most
// this many bytes.
inline constexpr size_t kMaxImportedNameBytes = 255;
