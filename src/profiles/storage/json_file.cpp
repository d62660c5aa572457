#include "profiles/storage/json_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/debug_output.h"
#include "profiles/storage/atomic_file.h"

namespace {

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

}  // namespace

JsonFileState ReadTextFile(const std::string& path, size_t limit, std::string& text) {
  text.clear();
  // Non-blocking, so that a named pipe picked by mistake is refused instead of hanging the open;
  // for a regular file the flag changes nothing.
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    int error = errno;
    OutputDebugString("readjsonFile error " + std::to_string(error) + " (" + std::strerror(error) + "): " + path);
    return error == ENOENT || error == ENOTDIR ? JsonFileState::kMissing : JsonFileState::kUnreadable;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return JsonFileState::kUnreadable;
  }
  char buffer[16384];
  for (;;) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      close(fd);
      text.clear();
      return JsonFileState::kUnreadable;
    }
    if (got == 0) break;
    text.append(buffer, static_cast<size_t>(got));
    if (text.size() > limit) break;
  }
  close(fd);
  return JsonFileState::kLoaded;
}

std::string ReadJsonFileText(const std::string& path) {
  std::string text;
  ReadTextFile(path, kMaxStoredJsonFileBytes, text);
  return text;
}

JsonFileLoad LoadJsonDocument(const std::string& path) {
  JsonFileLoad load;
  std::string text;
  load.state = ReadTextFile(path, kMaxStoredJsonFileBytes, text);
  if (load.state != JsonFileState::kLoaded) return load;
  if (IsBlank(text)) {
    OutputDebugString("LoadJsonFile: empty file " + path);
    load.state = JsonFileState::kEmpty;
    return load;
  }
  if (text.size() > kMaxStoredJsonFileBytes || !ParseJsonText(text, load.document) || !load.document.isObject()) {
    OutputDebugString("LoadJsonFile: not a JSON object: " + path);
    load.document = Json::Value();
    load.state = JsonFileState::kDamaged;
  }
  return load;
}

Json::Value LoadJsonFile(const std::string& path) { return LoadJsonDocument(path).document; }

bool ParseJsonText(std::string_view text, Json::Value& document) {
  document = Json::Value();
  Json::CharReaderBuilder builder;
  builder["collectComments"] = true;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  std::string errors;
  Json::Value parsed;
  try {
    // The reader throws instead of returning false when the nesting passes its depth limit.
    if (!reader->parse(text.data(), text.data() + text.size(), &parsed, &errors)) return false;
  } catch (const Json::Exception&) {
    return false;
  }
  document = std::move(parsed);
  return true;
}

std::string StyledJsonText(const Json::Value& document) {
  Json::StyledWriter writer;
  return writer.write(document) + "\n";
}

bool WriteJsonFile(const Json::Value& document, const std::string& path) {
  bool written = WriteFileAtomically(path, StyledJsonText(document));
  if (!written) OutputDebugString("WriteJsonFile failed: " + path);
  return written;
}
