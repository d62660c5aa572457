#include "profiles/profile_list/profile_names.h"

#include <iconv.h>

#include "platform/utf8_text.h"
#include "profiles/storage/text_conversions.h"

namespace {

constexpr std::string_view kForbiddenCharacters = "<>: \"/\\|?#%&*=";

// A converter from UTF-8 to code page 936, one per measurement so that threads never share its
// state. glibc knows the code page as "CP936" and as "GBK".
class CodePage936 {
 public:
  CodePage936() {
    converter_ = iconv_open("CP936", "UTF-8");
    if (converter_ == kNotOpened) converter_ = iconv_open("GBK", "UTF-8");
  }
  ~CodePage936() {
    if (converter_ != kNotOpened) iconv_close(converter_);
  }
  CodePage936(const CodePage936&) = delete;
  CodePage936& operator=(const CodePage936&) = delete;

  // Bytes of one valid UTF-8 character in the code page.
  size_t BytesOf(std::string_view character) {
    // Without a converter every character outside ASCII is taken as a double-byte one, which is
    // what nearly all of them are in this code page.
    if (converter_ == kNotOpened) return 2;
    char input[4];
    character.copy(input, sizeof input);
    char output[8];
    char* in = input;
    char* out = output;
    size_t inLeft = character.size();
    size_t outLeft = sizeof output;
    size_t converted = iconv(converter_, &in, &inLeft, &out, &outLeft);
    if (converted == static_cast<size_t>(-1)) {
      iconv(converter_, nullptr, nullptr, nullptr, nullptr);
      return 1;  // not in the code page: Windows writes its one-byte default character
    }
    return sizeof output - outLeft;
  }

 private:
  static inline const iconv_t kNotOpened = reinterpret_cast<iconv_t>(-1);
  iconv_t converter_;
};

// Length of the UTF-8 sequence a lead byte starts; 0 for a byte that cannot start one.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

bool HasControlCharacter(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  }
  return false;
}

bool IsListed(std::string_view name, const std::vector<std::string>& names) {
  return NameTakenByOther(names, name, -1);
}

// One step through a name: a whole character, or a byte that is not part of one.
struct NameUnit {
  size_t length = 0;  // UTF-8 bytes
  size_t ansiBytes = 0;
};

NameUnit UnitAt(std::string_view utf8, size_t i, CodePage936& codePage) {
  const size_t length = SequenceLength(static_cast<unsigned char>(utf8[i]));
  const bool whole = length > 1 && i + length <= utf8.size() && IsValidUtf8(utf8.substr(i, length));
  if (!whole) return {1, 1};  // ASCII, or a stray byte
  return {length, codePage.BytesOf(utf8.substr(i, length))};
}

}  // namespace

size_t AnsiCodePageByteCount(std::string_view utf8) {
  CodePage936 codePage;
  size_t bytes = 0;
  for (size_t i = 0; i < utf8.size();) {
    const NameUnit unit = UnitAt(utf8, i, codePage);
    bytes += unit.ansiBytes;
    i += unit.length;
  }
  return bytes;
}

std::string CutProfileName(std::string_view name, size_t maxAnsiBytes) {
  CodePage936 codePage;
  size_t bytes = 0;
  size_t kept = 0;
  while (kept < name.size()) {
    const NameUnit unit = UnitAt(name, kept, codePage);
    if (bytes + unit.ansiBytes > maxAnsiBytes) break;
    bytes += unit.ansiBytes;
    kept += unit.length;
  }
  return std::string(name.substr(0, kept));
}

bool HasForbiddenProfileCharacter(std::string_view name) {
  // These are all ASCII, and ASCII bytes never occur inside a longer UTF-8 sequence.
  return name.find_first_of(kForbiddenCharacters) != std::string_view::npos;
}

ProfileNameCheck CheckProfileName(std::string_view name) {
  if (name.empty()) return ProfileNameCheck::kEmpty;
  if (AnsiCodePageByteCount(name) > kMaxProfileNameAnsiBytes) return ProfileNameCheck::kTooLong;
  if (HasForbiddenProfileCharacter(name)) return ProfileNameCheck::kForbiddenCharacter;
  if (!IsValidUtf8(name) || HasControlCharacter(name)) return ProfileNameCheck::kNotText;
  return ProfileNameCheck::kAccepted;
}

const char* ProfileNameMessageKey(ProfileNameCheck check) {
  switch (check) {
    case ProfileNameCheck::kAccepted:
      return "";
    case ProfileNameCheck::kEmpty:
      return "message_text_5_1";
    case ProfileNameCheck::kTooLong:
      return "message_text_34";
    case ProfileNameCheck::kForbiddenCharacter:
    case ProfileNameCheck::kNotText:
      return "message_text_35";
  }
  return "";
}

bool IsBlankProfileName(std::string_view name) { return TrimWhiteSpace(name).empty(); }

bool NameTakenByOther(const std::vector<std::string>& names, std::string_view name, int exceptIndex) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (static_cast<int>(i) != exceptIndex && EqualsIgnoringCase(names[i], name)) return true;
  }
  return false;
}

std::string NextFreeProfileName(const std::vector<std::string>& names) {
  for (size_t number = 1;; ++number) {
    std::string name = "Profile" + std::to_string(number);
    if (!IsListed(name, names)) return name;
  }
}

std::string CopyProfileName(const std::string& source, const std::vector<std::string>& names) {
  std::string name = source + " copy";
  while (IsListed(name, names)) name += " copy";
  return name;
}

std::string ImportedProfileName(const std::string& base, const std::vector<std::string>& names) {
  std::string suffix;
  for (size_t number = 1;; ++number) {
    // The suffixes are ASCII, one byte each in the code page; the base gives way to them.
    const size_t room = suffix.size() < kMaxProfileNameAnsiBytes ? kMaxProfileNameAnsiBytes - suffix.size() : 0;
    std::string name = CutProfileName(base, room) + suffix;
    if (!IsListed(name, names)) return name;
    suffix += "(" + std::to_string(number) + ")";
  }
}
