#include "ui/toolkit/attribute_values.h"

#include <cctype>
#include <charconv>

namespace {

std::string_view TrimBlanks(std::string_view value) {
  while (!value.empty() && std::isspace(static_cast<unsigned char>(value.front()))) value.remove_prefix(1);
  while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back()))) value.remove_suffix(1);
  return value;
}

// Reads up to `count` comma-separated integers; returns how many were read.
int ReadIntList(std::string_view value, int* out, int count) {
  int read = 0;
  while (read < count) {
    size_t comma = value.find(',');
    out[read++] = ParseIntValue(TrimBlanks(value.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    value.remove_prefix(comma + 1);
  }
  return read;
}

}  // namespace

bool ParseBoolValue(std::string_view value) {
  value = TrimBlanks(value);
  if (value == "1") return true;
  if (value.size() != 4) return false;
  const char* expected = "true";
  for (size_t i = 0; i < 4; ++i) {
    if (std::tolower(static_cast<unsigned char>(value[i])) != expected[i]) return false;
  }
  return true;
}

int ParseIntValue(std::string_view value) { return int(ParseIntValue(value, 10, 0)); }

long ParseIntValue(std::string_view value, int base, long fallback) {
  value = TrimBlanks(value);
  bool negative = false;
  if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
    negative = value.front() == '-';
    value.remove_prefix(1);
  }
  if (base == 16) {
    if (!value.empty() && value.front() == '#') value.remove_prefix(1);
    if (value.size() > 1 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) value.remove_prefix(2);
  }
  unsigned long parsed = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed, base);
  if (error != std::errc() || end == value.data()) return fallback;
  return negative ? -long(parsed) : long(parsed);
}

DWORD ParseColorValue(std::string_view value) {
  value = TrimBlanks(value);
  bool hex = false;
  if (!value.empty() && value.front() == '#') {
    value.remove_prefix(1);
    hex = true;
  } else if (value.size() > 1 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
    value.remove_prefix(2);
    hex = true;
  }
  if (!hex) return DWORD(ParseIntValue(value, 10, 0));
  DWORD color = DWORD(ParseIntValue(value, 16, 0));
  // Six digits name an opaque colour; a skin author writing #RRGGBB never means "invisible".
  if (value.size() <= 6) color |= 0xFF000000u;
  return color;
}

RECT ParseRectValue(std::string_view value) {
  int numbers[4] = {0, 0, 0, 0};
  ReadIntList(value, numbers, 4);
  return RECT{numbers[0], numbers[1], numbers[2], numbers[3]};
}

SIZE ParseSizeValue(std::string_view value) {
  int numbers[2] = {0, 0};
  ReadIntList(value, numbers, 2);
  return SIZE{numbers[0], numbers[1]};
}

TAttributeList ParseAttributeList(std::string_view list) {
  TAttributeList result;
  size_t at = 0;
  while (at < list.size()) {
    while (at < list.size() && std::isspace(static_cast<unsigned char>(list[at]))) ++at;
    size_t equals = list.find('=', at);
    if (equals == std::string_view::npos || equals + 1 >= list.size()) break;
    CDuiString name(TrimBlanks(list.substr(at, equals - at)));
    size_t open = equals + 1;
    while (open < list.size() && std::isspace(static_cast<unsigned char>(list[open]))) ++open;
    if (open >= list.size()) break;
    char quote = list[open];
    if (quote != '"' && quote != '\'') break;
    size_t close = list.find(quote, open + 1);
    if (close == std::string_view::npos) break;
    result.emplace_back(name, CDuiString(list.substr(open + 1, close - open - 1)));
    at = close + 1;
  }
  return result;
}
