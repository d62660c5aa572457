#include "platform/debug_output.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace {

struct TraceTarget {
  std::mutex lock;
  bool loaded = false;
  FILE* stream = nullptr;
  bool ownsStream = false;

  void LoadLocked() {
    if (ownsStream && stream) std::fclose(stream);
    stream = nullptr;
    ownsStream = false;
    const char* value = std::getenv("T640_TRACE");
    if (value && std::string_view(value) == "1") {
      stream = stderr;
    } else if (value && *value && std::string_view(value) != "0") {
      stream = std::fopen(value, "a");
      ownsStream = stream != nullptr;
    }
    loaded = true;
  }
};

TraceTarget& Target() {
  static TraceTarget target;
  return target;
}

}  // namespace

void ReloadDebugOutputTarget() {
  auto& target = Target();
  std::lock_guard guard(target.lock);
  target.LoadLocked();
}

void OutputDebugString(std::string_view text) {
  auto& target = Target();
  std::lock_guard guard(target.lock);
  if (!target.loaded) target.LoadLocked();
  if (!target.stream) return;
  std::fwrite(text.data(), 1, text.size(), target.stream);
  if (text.empty() || text.back() != '\n') std::fputc('\n', target.stream);
  std::fflush(target.stream);
}
