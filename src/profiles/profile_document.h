#pragma once
#include <json/json.h>

#include <string>
#include <vector>

#include "profiles/storage/damaged_file.h"
#include "profiles/storage/json_file.h"

// The shape every profile and default-data document has: an object whose "Device" is an array
// of device objects. A file that parses but has another shape is treated as damaged, because
// rewriting it would silently drop whatever it held.

// The highest "Device" element a profile may use; every device uses element 0.
inline constexpr Json::ArrayIndex kMaxDeviceIndex = 7;

bool IsProfileDocument(const Json::Value& document, Json::ArrayIndex deviceIndex);

// "Device"[deviceIndex] when the document has the profile shape and that element is an object;
// otherwise null.
const Json::Value& DeviceElementOf(const Json::Value& document, Json::ArrayIndex deviceIndex);

// A profile document read for rewriting: the document to edit (empty when the file was missing
// or damaged) and whether rewriting it is safe.
struct ProfileDocumentForWrite {
  Json::Value document;
  bool writable = false;
};

// Reads the document at `path` for a rewrite. A damaged file, or one of the wrong shape, is kept
// aside first (the notice is appended); a file that exists but cannot be read, or a damaged file
// that cannot be moved, makes the result not writable.
ProfileDocumentForWrite ReadProfileDocumentForWrite(const std::string& path, Json::ArrayIndex deviceIndex,
                                                    std::vector<DamagedFileNotice>& notices);
