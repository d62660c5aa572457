#include "platform/desktop_bus/window_directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <map>

#include "platform/desktop_bus/bus_socket.h"
#include "platform/desktop_bus/desktop_message.h"

namespace {

constexpr std::string_view kRecordFirstLine = "t640-bus-window 1";
constexpr std::string_view kSocketSuffix = ".sock";
constexpr std::string_view kRecordSuffix = ".window";
constexpr std::string_view kTemporarySuffix = ".window.tmp";
constexpr size_t kMaxRecordBytes = 16 * 1024;
constexpr int kProbeTimeoutMs = 500;
// A socket is bound a moment before its record is written; one without a record is taken for a
// leftover only after this long.
constexpr time_t kOrphanGraceSeconds = 60;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool TakeLine(std::string_view& text, std::string_view prefix, std::string_view& value) {
  const size_t end = text.find('\n');
  if (end == std::string_view::npos) return false;
  const std::string_view line = text.substr(0, end);
  text.remove_prefix(end + 1);
  if (line.substr(0, prefix.size()) != prefix) return false;
  value = line.substr(prefix.size());
  return true;
}

bool ReadSmallFile(const std::string& path, std::string& text) {
  CUniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
  if (!fd.Valid()) return false;
  text.clear();
  char buffer[4096];
  for (;;) {
    const ssize_t count = read(fd.Get(), buffer, sizeof buffer);
    if (count == 0) return true;
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.append(buffer, size_t(count));
    if (text.size() > kMaxRecordBytes) return false;
  }
}

bool IsOlderThan(const std::string& path, time_t seconds) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && info.st_mtime + seconds < std::time(nullptr);
}

struct FilesOfAddress {
  bool socket = false;
  bool record = false;
  bool temporary = false;  // noted only so that a half-written record of a dead window is found
};

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() > suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::map<std::string, FilesOfAddress> ScanFolder(const std::string& folder) {
  std::map<std::string, FilesOfAddress> found;
  DIR* listing = opendir(folder.c_str());
  if (listing == nullptr) return found;
  while (const dirent* entry = readdir(listing)) {
    const std::string_view name = entry->d_name;
    for (auto [suffix, flag] : {std::pair{kSocketSuffix, &FilesOfAddress::socket},
                                std::pair{kRecordSuffix, &FilesOfAddress::record},
                                std::pair{kTemporarySuffix, &FilesOfAddress::temporary}}) {
      if (!EndsWith(name, suffix)) continue;
      const std::string address(name.substr(0, name.size() - suffix.size()));
      if (IsValidBusAddress(address)) found[address].*flag = true;
    }
  }
  closedir(listing);
  return found;
}

}  // namespace

std::string WindowSocketPath(const std::string& folder, const std::string& address) {
  return folder + "/" + address + std::string(kSocketSuffix);
}

std::string WindowRecordPath(const std::string& folder, const std::string& address) {
  return folder + "/" + address + std::string(kRecordSuffix);
}

std::string PercentEscape(std::string_view text, bool forFileName) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = uint8_t(text[i]);
    const bool escape = byte == '%' || byte < 0x20 || byte == 0x7F ||
                        (forFileName && (byte == '/' || (i == 0 && byte == '.')));
    if (escape) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += char(byte);
    }
  }
  return out;
}

bool PercentUnescape(std::string_view text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return false;
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return false;
    out += char(high * 16 + low);
    i += 2;
  }
  return true;
}

std::string EncodeWindowRecord(const BusWindow& window) {
  return std::string(kRecordFirstLine) + "\nclass " + PercentEscape(window.className) + "\ntitle " +
         PercentEscape(window.title) + "\n";
}

bool DecodeWindowRecord(std::string_view text, BusWindow& window) {
  std::string_view first, className, title;
  if (!TakeLine(text, "", first) || first != kRecordFirstLine) return false;
  if (!TakeLine(text, "class ", className) || !TakeLine(text, "title ", title) || !text.empty()) return false;
  std::string decodedClass, decodedTitle;
  if (!PercentUnescape(className, decodedClass) || !PercentUnescape(title, decodedTitle)) return false;
  if (!IsValidUtf8(decodedClass) || !IsValidUtf8(decodedTitle)) return false;
  window.className = std::move(decodedClass);
  window.title = std::move(decodedTitle);
  return true;
}

bool WriteWindowRecord(const std::string& folder, const BusWindow& window, std::string& error) {
  const std::string path = WindowRecordPath(folder, window.address);
  const std::string temporary = folder + "/" + window.address + std::string(kTemporarySuffix);
  const std::string text = EncodeWindowRecord(window);
  CUniqueFd fd(open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
  bool written = fd.Valid();
  for (size_t done = 0; written && done < text.size();) {
    const ssize_t count = write(fd.Get(), text.data() + done, text.size() - done);
    if (count < 0 && errno == EINTR) continue;
    written = count > 0;
    if (written) done += size_t(count);
  }
  if (written) written = close(fd.Release()) == 0;
  if (written) written = rename(temporary.c_str(), path.c_str()) == 0;
  if (!written) {
    error = "cannot write the window record " + path + ": " + std::strerror(errno);
    unlink(temporary.c_str());
  }
  return written;
}

void RemoveWindowFiles(const std::string& folder, const std::string& address) {
  unlink(WindowRecordPath(folder, address).c_str());
  unlink((folder + "/" + address + std::string(kTemporarySuffix)).c_str());
  unlink(WindowSocketPath(folder, address).c_str());
}

std::vector<BusWindow> ListLiveWindows(const std::string& folder) {
  std::vector<BusWindow> windows;
  for (const auto& [address, files] : ScanFolder(folder)) {
    const std::string socketPath = WindowSocketPath(folder, address);
    // The socket comes first on open and goes last on close: a record without it is a leftover.
    // Looked for again, as the listing may have missed a socket made while it was being read.
    struct stat info {};
    if (!files.socket && lstat(socketPath.c_str(), &info) != 0) {
      RemoveWindowFiles(folder, address);
      continue;
    }
    CUniqueFd probe;
    const ConnectResult reach = ConnectToSocket(socketPath, DeadlineAfterMs(kProbeTimeoutMs), probe);
    const bool dead = reach == ConnectResult::NoListener || reach == ConnectResult::Missing;
    if (!files.record) {
      if (dead && IsOlderThan(socketPath, kOrphanGraceSeconds)) RemoveWindowFiles(folder, address);
      continue;
    }
    if (dead) {
      RemoveWindowFiles(folder, address);
      continue;
    }
    BusWindow window;
    std::string text;
    if (!ReadSmallFile(WindowRecordPath(folder, address), text) || !DecodeWindowRecord(text, window)) continue;
    window.address = address;
    windows.push_back(std::move(window));
  }
  return windows;
}

bool WindowMatches(const BusWindow& window, std::string_view className, std::string_view title) {
  return (className.empty() || EqualIgnoringAsciiCase(window.className, className)) &&
         (title.empty() || EqualIgnoringAsciiCase(window.title, title));
}
