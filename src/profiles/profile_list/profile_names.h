#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The rules for profile names: how many profiles a device kind keeps, how long and which
// characters a name may have, and how new names are made unique.

inline constexpr size_t kMaxProfiles = 50;
inline constexpr size_t kMaxProfileNameAnsiBytes = 16;

// Bytes of a UTF-8 name in the Windows Chinese code page 936, the way the stored names have
// always been measured: ASCII 1 byte, a character the code page encodes 2 bytes, a character it
// cannot encode 1 byte (Windows writes its default character '?' for it). Invalid UTF-8 bytes
// count 1 each. Safe from any thread.
size_t AnsiCodePageByteCount(std::string_view utf8);

// The longest start of `name` that takes at most `maxAnsiBytes` bytes as measured above. It ends
// on a character boundary: a character that does not fit whole is left out whole.
std::string CutProfileName(std::string_view name, size_t maxAnsiBytes = kMaxProfileNameAnsiBytes);

// One of the fourteen characters a name may not hold: < > : " space / \ | ? # % & * =
bool HasForbiddenProfileCharacter(std::string_view name);

// Why a typed name is refused, in the order the user is told. The panel shows each through its
// language key (ProfileNameMessageKey).
enum class ProfileNameCheck {
  kAccepted,
  kEmpty,               // no text at all
  kTooLong,             // 17 or more code-page bytes
  kForbiddenCharacter,  // one of the fourteen
  kNotText,             // invalid UTF-8 or a control character
};

ProfileNameCheck CheckProfileName(std::string_view name);

// "message_text_5_1", "message_text_34" or "message_text_35"; empty for an accepted name. A name
// that is not text is shown as holding a character that is not allowed.
const char* ProfileNameMessageKey(ProfileNameCheck check);

// Nothing but white space (or nothing at all).
bool IsBlankProfileName(std::string_view name);

// Whether a listed name other than the one at `exceptIndex` (-1: none) equals `name`, ignoring case.
bool NameTakenByOther(const std::vector<std::string>& names, std::string_view name, int exceptIndex);

// "Profile%d" with the smallest number from 1 up that no listed name has (ignoring case).
std::string NextFreeProfileName(const std::vector<std::string>& names);

// "<source> copy"; while that is listed (ignoring case), " copy" is appended again:
// A copy, A copy copy, …
std::string CopyProfileName(const std::string& source, const std::vector<std::string>& names);

// `base`; while that is listed (ignoring case), "(n)" is appended with n = 1, 2, … and the
// suffixes accumulate: A, A(1), A(1)(2), … The base is cut so that base and suffixes keep to the
// length rule while they can; from six suffixes on, they alone are longer than the rule and stand
// without the base.
std::string ImportedProfileName(const std::string& base, const std::vector<std::string>& names);
