#include "profiles/storage/ini_text.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The section a line opens, or nothing for any other line.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trimmed(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trimmed(line.substr(1, close - 1));
}

// The key and value of a "KEY=value" line.
std::optional<std::pair<std::string_view, std::string_view>> EntryOf(std::string_view line) {
  line = Trimmed(line);
  if (line.empty() || line.front() == ';') return std::nullopt;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return std::make_pair(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::optional<std::string> IniValue(std::string_view text, std::string_view section, std::string_view key) {
  bool inSection = false;
  for (std::string_view line : Lines(text)) {
    if (const std::optional<std::string_view> opened = SectionOf(line)) {
      inSection = SameName(*opened, section);
    } else if (inSection) {
      const auto entry = EntryOf(line);
      if (entry && SameName(entry->first, key)) return std::string(entry->second);
    }
  }
  return std::nullopt;
}

std::optional<std::string> WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                                        std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) || key.empty() ||
      key.find('=') != std::string_view::npos || section.find(']') != std::string_view::npos) {
    return std::nullopt;
  }
  const std::string entry = std::string(key) + "=" + std::string(value);
  std::vector<std::string> out;
  bool inSection = false;
  bool sectionSeen = false;
  bool written = false;
  // Where a key missing from the section goes: after its last entry, before blank lines.
  size_t insertAt = 0;
  for (std::string_view line : Lines(text)) {
    if (const std::optional<std::string_view> opened = SectionOf(line)) {
      inSection = !written && SameName(*opened, section);
      if (inSection) {
        sectionSeen = true;
        out.emplace_back(line);
        insertAt = out.size();
        continue;
      }
    } else if (inSection) {
      const auto existing = EntryOf(line);
      if (existing && SameName(existing->first, key)) {
        out.push_back(entry);
        written = true;
        inSection = false;
        continue;
      }
      if (!Trimmed(line).empty()) insertAt = out.size() + 1;
    }
    out.emplace_back(line);
  }
  if (!written && sectionSeen) {
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
  } else if (!written) {
    // A blank line between sections, as a hand-written file has it.
    if (!out.empty() && !Trimmed(out.back()).empty()) out.emplace_back();
    out.push_back("[" + std::string(section) + "]");
    out.push_back(entry);
  }
  std::string result;
  for (const std::string& line : out) result += line + "\n";
  return result;
}
