#pragma once
#include <string>
#include <string_view>
#include <vector>

// The windows on the bus, as files in the bus folder. A window with address A has
//   A.sock    its listening Unix socket;
//   A.window  its record: three lines, "t640-bus-window 1", "class " and "title " each followed by
//             the text with '%', control characters and DEL written as %XX. Written to
//             A.window.tmp and renamed, so a reader sees a whole record or none.
// The socket is bound and listening before the record appears, and the record goes first when
// the window closes. A socket that refuses connections belongs to a process that died: its
// files are removed by whoever finds them.

struct BusWindow {
  std::string address;
  std::string className;
  std::string title;
};

std::string WindowSocketPath(const std::string& folder, const std::string& address);
std::string WindowRecordPath(const std::string& folder, const std::string& address);

// Percent-escapes '%', control characters and DEL; for a file name also '/' and a leading '.'.
std::string PercentEscape(std::string_view text, bool forFileName = false);
// False for a malformed escape.
bool PercentUnescape(std::string_view text, std::string& out);

std::string EncodeWindowRecord(const BusWindow& window);
// Takes class and title; false when the text is not a whole record or the texts are not UTF-8.
bool DecodeWindowRecord(std::string_view text, BusWindow& window);

bool WriteWindowRecord(const std::string& folder, const BusWindow& window, std::string& error);
void RemoveWindowFiles(const std::string& folder, const std::string& address);

// Windows whose sockets still take connections, by address. Files of dead windows found on the
// way are removed.
std::vector<BusWindow> ListLiveWindows(const std::string& folder);

// Empty class or title matches any; otherwise equal apart from ASCII letter case.
bool WindowMatches(const BusWindow& window, std::string_view className, std::string_view title);
