#pragma once
#include <optional>
#include <string>

// "main.ini" in the user folder: which offered background the user chose last, or that they went
// back to the stock one. Colours and pictures of the user's own are not recorded.
//
//   [SKINIMAGE]
//   FLAGS=1          1 after an offered image was chosen, 0 after going back to the stock one
//   IMAGE=skin/...   the image, as the skin names it
inline constexpr const char* kSkinSection = "SKINIMAGE";
inline constexpr const char* kSkinFlagsKey = "FLAGS";
inline constexpr const char* kSkinImageKey = "IMAGE";

struct SkinChoice {
  bool imageChosen = false;
  std::string image;
};

// Replaces the file atomically with both keys set (other lines of the file are kept); false when
// it could not be written, and the old file is then as it was.
bool WriteSkinChoice(const std::string& path, const SkinChoice& choice);

// The recorded choice, or nothing when the file is missing, unreadable or holds no FLAGS of 0 or 1
// with an IMAGE.
std::optional<SkinChoice> ReadSkinChoice(const std::string& path);
