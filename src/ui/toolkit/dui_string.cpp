#include "ui/toolkit/dui_string.h"

#include <QString>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

QString ToQt(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

std::string FormatArgs(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed <= 0) return {};
  std::vector<char> buffer(size_t(needed) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  return std::string(buffer.data(), size_t(needed));
}

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

}  // namespace

CDuiString::CDuiString(const char* text) : text_(text ? text : "") {}
CDuiString::CDuiString(const char* text, int length) {
  if (text && length < 0) text_ = text;
  if (text && length >= 0) text_.assign(text, size_t(length));
}
CDuiString::CDuiString(std::string text) : text_(std::move(text)) {}
CDuiString::CDuiString(std::string_view text) : text_(text) {}
CDuiString::CDuiString(char ch) : text_(1, ch) {}

char CDuiString::GetAt(int index) const {
  if (index < 0 || index >= GetLength()) return '\0';
  return text_[size_t(index)];
}

void CDuiString::SetAt(int index, char ch) {
  if (index >= 0 && index < GetLength()) text_[size_t(index)] = ch;
}

CDuiString& CDuiString::operator+=(std::string_view text) {
  text_.append(text);
  return *this;
}
CDuiString& CDuiString::operator+=(const char* text) {
  if (text) text_.append(text);
  return *this;
}
CDuiString& CDuiString::operator+=(const CDuiString& text) {
  text_.append(text.text_);
  return *this;
}
CDuiString& CDuiString::operator+=(char ch) {
  text_.push_back(ch);
  return *this;
}

int CDuiString::Compare(std::string_view other) const {
  int result = std::string_view(text_).compare(other);
  return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

int CDuiString::CompareNoCase(std::string_view other) const {
  // ASCII is by far the common case (names, keys); only fall back to Unicode folding when needed.
  bool ascii = true;
  for (char ch : text_) ascii = ascii && (static_cast<unsigned char>(ch) < 0x80);
  for (char ch : other) ascii = ascii && (static_cast<unsigned char>(ch) < 0x80);
  if (!ascii) {
    int result = ToQt(text_).compare(ToQt(other), Qt::CaseInsensitive);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
  }
  size_t n = std::min(text_.size(), other.size());
  for (size_t i = 0; i < n; ++i) {
    int a = std::tolower(static_cast<unsigned char>(text_[i]));
    int b = std::tolower(static_cast<unsigned char>(other[i]));
    if (a != b) return a < b ? -1 : 1;
  }
  if (text_.size() == other.size()) return 0;
  return text_.size() < other.size() ? -1 : 1;
}

CDuiString& CDuiString::MakeUpper() {
  text_ = ToQt(text_).toUpper().toStdString();
  return *this;
}

CDuiString& CDuiString::MakeLower() {
  text_ = ToQt(text_).toLower().toStdString();
  return *this;
}

CDuiString CDuiString::Left(int length) const {
  if (length <= 0) return {};
  return CDuiString(text_.substr(0, size_t(length)));
}

CDuiString CDuiString::Mid(int position, int length) const {
  if (position < 0) position = 0;
  if (position >= GetLength()) return {};
  if (length < 0) return CDuiString(text_.substr(size_t(position)));
  return CDuiString(text_.substr(size_t(position), size_t(length)));
}

CDuiString CDuiString::Right(int length) const {
  if (length <= 0) return {};
  if (length >= GetLength()) return *this;
  return CDuiString(text_.substr(text_.size() - size_t(length)));
}

int CDuiString::Find(char ch, int start) const {
  if (start < 0 || start >= GetLength()) return -1;
  size_t at = text_.find(ch, size_t(start));
  return at == std::string::npos ? -1 : int(at);
}

int CDuiString::Find(std::string_view text, int start) const {
  if (start < 0 || start > GetLength()) return -1;
  size_t at = text_.find(text, size_t(start));
  return at == std::string::npos ? -1 : int(at);
}

int CDuiString::ReverseFind(char ch) const {
  size_t at = text_.rfind(ch);
  return at == std::string::npos ? -1 : int(at);
}

int CDuiString::Replace(std::string_view from, std::string_view to) {
  if (from.empty()) return 0;
  int count = 0;
  size_t at = 0;
  while ((at = text_.find(from, at)) != std::string::npos) {
    text_.replace(at, from.size(), to);
    at += to.size();
    ++count;
  }
  return count;
}

void CDuiString::TrimLeft() {
  size_t first = 0;
  while (first < text_.size() && IsBlank(text_[first])) ++first;
  text_.erase(0, first);
}

void CDuiString::TrimRight() {
  while (!text_.empty() && IsBlank(text_.back())) text_.pop_back();
}

void CDuiString::Trim() {
  TrimRight();
  TrimLeft();
}

int CDuiString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  text_ = FormatArgs(format, args);
  va_end(args);
  return GetLength();
}

int CDuiString::AppendFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  text_ += FormatArgs(format, args);
  va_end(args);
  return GetLength();
}

CDuiString operator+(const CDuiString& a, std::string_view b) {
  CDuiString result(a);
  result += b;
  return result;
}
CDuiString operator+(const CDuiString& a, const char* b) {
  CDuiString result(a);
  result += b;
  return result;
}
CDuiString operator+(const CDuiString& a, const CDuiString& b) {
  CDuiString result(a);
  result += b;
  return result;
}
CDuiString operator+(const char* a, const CDuiString& b) {
  CDuiString result(a);
  result += b;
  return result;
}
bool operator==(const CDuiString& a, const CDuiString& b) { return a.str() == b.str(); }
bool operator==(const CDuiString& a, const char* b) { return a.str() == (b ? b : ""); }
bool operator<(const CDuiString& a, const CDuiString& b) { return a.str() < b.str(); }
