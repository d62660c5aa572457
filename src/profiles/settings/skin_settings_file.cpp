#include "profiles/settings/skin_settings_file.h"

#include <fstream>
#include <sstream>

#include "profiles/storage/atomic_file.h"
#include "profiles/storage/ini_text.h"

namespace {

// INI files are small; anything larger is not this program's.
constexpr std::streamoff kLargestSkinFile = 64 * 1024;

std::optional<std::string> ReadSmallText(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return std::nullopt;
  const std::streamoff size = file.tellg();
  if (size < 0 || size > kLargestSkinFile) return std::nullopt;
  file.seekg(0);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

bool WriteSkinChoice(const std::string& path, const SkinChoice& choice) {
  const std::string text = ReadSmallText(path).value_or(std::string());
  std::optional<std::string> changed = WithIniValue(text, kSkinSection, kSkinFlagsKey, choice.imageChosen ? "1" : "0");
  if (changed) changed = WithIniValue(*changed, kSkinSection, kSkinImageKey, choice.image);
  return changed && WriteFileAtomically(path, *changed);
}

std::optional<SkinChoice> ReadSkinChoice(const std::string& path) {
  const std::optional<std::string> text = ReadSmallText(path);
  if (!text) return std::nullopt;
  const std::optional<std::string> flags = IniValue(*text, kSkinSection, kSkinFlagsKey);
  const std::optional<std::string> image = IniValue(*text, kSkinSection, kSkinImageKey);
  if (!flags || !image || (*flags != "0" && *flags != "1")) return std::nullopt;
  return SkinChoice{*flags == "1", *image};
}
