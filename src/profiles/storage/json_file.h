#pragma once
#include <json/json.h>

#include <string>
#include <string_view>

// Whole-document JSON files: every stored setting is read whole and written whole.

// What was found at a path. A damaged file exists and has content, but that content is not a
// JSON object (every document this program keeps is one), or it is too large to be one of ours.
enum class JsonFileState {
  kLoaded,
  kMissing,     // no such file
  kEmpty,       // the file holds nothing but white space
  kUnreadable,  // it exists but cannot be opened or read
  kDamaged,
};

struct JsonFileLoad {
  Json::Value document;  // null unless kLoaded
  JsonFileState state = JsonFileState::kMissing;
};

// No file this program keeps comes near this; a bigger one is treated as damaged rather than
// read into memory.
inline constexpr size_t kMaxStoredJsonFileBytes = 16u * 1024 * 1024;

// The whole file as bytes; empty when it cannot be opened (the reason goes to the trace).
std::string ReadJsonFileText(const std::string& path);

// Reads a regular file, stopping once more than `limit` bytes have arrived (so `text` longer than
// `limit` means the file is too large). kLoaded, kMissing or kUnreadable.
JsonFileState ReadTextFile(const std::string& path, size_t limit, std::string& text);

JsonFileLoad LoadJsonDocument(const std::string& path);

// The loader every reader uses: the document, or a null value when the file is missing, empty,
// unreadable or damaged.
Json::Value LoadJsonFile(const std::string& path);

// Parses a whole text with comments allowed and collected. Returns false (and leaves `document`
// null) when the text is not JSON or nests deeper than the reader's limit.
bool ParseJsonText(std::string_view text, Json::Value& document);

// The library's styled form of `document` followed by a line end, as every file is written.
std::string StyledJsonText(const Json::Value& document);

// Writes the styled text of `document` to `path`, replacing the file atomically. False when
// the file could not be written; the old file is then unchanged.
bool WriteJsonFile(const Json::Value& document, const std::string& path);
