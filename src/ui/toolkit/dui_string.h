#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "ui/toolkit/ui_types.h"

// The toolkit's string: UTF-8 text in a std::string, everywhere (control names, texts, paths,
// language keys). Lengths and positions (GetLength, Find, Left, Mid, Right) count bytes, not
// characters; names and keys are ASCII, and code that cuts user text should cut at a position
// Find returned. Case-insensitive operations fold the whole Unicode range.
class CDuiString {
 public:
  CDuiString() = default;
  CDuiString(const char* text);  // NOLINT(google-explicit-constructor): used like a C string
  CDuiString(const char* text, int length);
  CDuiString(std::string text);  // NOLINT(google-explicit-constructor)
  // Explicit: an implicit one would make string_view == "literal" ambiguous everywhere.
  explicit CDuiString(std::string_view text);
  explicit CDuiString(char ch);

  const char* GetData() const { return text_.c_str(); }
  const std::string& str() const { return text_; }
  operator const char*() const { return text_.c_str(); }  // NOLINT(google-explicit-constructor)
  operator std::string_view() const { return text_; }     // NOLINT(google-explicit-constructor)

  int GetLength() const { return int(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  char GetAt(int index) const;
  void SetAt(int index, char ch);
  char operator[](int index) const { return GetAt(index); }

  void Append(std::string_view text) { text_.append(text); }
  void Assign(std::string_view text) { text_.assign(text); }
  CDuiString& operator+=(std::string_view text);
  CDuiString& operator+=(const char* text);
  CDuiString& operator+=(const CDuiString& text);
  CDuiString& operator+=(char ch);

  int Compare(std::string_view other) const;
  int CompareNoCase(std::string_view other) const;

  CDuiString& MakeUpper();
  CDuiString& MakeLower();

  CDuiString Left(int length) const;
  CDuiString Mid(int position, int length = -1) const;
  CDuiString Right(int length) const;

  // Byte index of the first match at or after start, or -1.
  int Find(char ch, int start = 0) const;
  int Find(std::string_view text, int start = 0) const;
  int ReverseFind(char ch) const;
  // Replaces every occurrence; returns how many were replaced.
  int Replace(std::string_view from, std::string_view to);

  void TrimLeft();
  void TrimRight();
  void Trim();

  // printf-style formatting; returns the new length.
  int Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  int AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  std::string text_;
};

CDuiString operator+(const CDuiString& a, std::string_view b);
CDuiString operator+(const CDuiString& a, const char* b);
CDuiString operator+(const CDuiString& a, const CDuiString& b);
CDuiString operator+(const char* a, const CDuiString& b);
bool operator==(const CDuiString& a, const CDuiString& b);
bool operator==(const CDuiString& a, const char* b);
bool operator<(const CDuiString& a, const CDuiString& b);

template <>
struct std::hash<CDuiString> {
  size_t operator()(const CDuiString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
