#pragma once
#include <json/json.h>

#include <string>
#include <vector>

// A stored file that exists but does not hold a document is never overwritten unseen: before the
// first write replaces it, it is renamed to "<name>.damaged" (or "<name>.damaged.2", .3 … when
// that is taken), and the caller gets a notice to tell the user where the old content went.
struct DamagedFileNotice {
  std::string path;    // the file that could not be read
  std::string keptAs;  // where its content is now
};

// Renames the file at `path` out of the way; the caller has found it damaged. Returns false when
// the rename failed (the file then stays where it is); `notice` is filled on success.
bool KeepDamagedFileAside(const std::string& path, DamagedFileNotice& notice);

// Writes `document` over `path` after keeping a damaged file there aside; notices are appended
// to `notices`. False when the document could not be written. A damaged file that cannot be
// moved aside is not overwritten, nor is a file that exists but cannot be read.
bool SaveJsonDocument(const Json::Value& document, const std::string& path, std::vector<DamagedFileNotice>& notices);
