#pragma once
#include <cstdint>
#include <string>

// Whether a file the user chose can be a window's background picture: a PNG that decodes
// completely and is not so large that drawing it would hold hundreds of megabytes.
inline constexpr int64_t kLargestPictureFileBytes = 20 * 1024 * 1024;
inline constexpr int kLargestPictureSide = 8192;
// Decoded at 4 bytes a pixel this stays under the 128 MB an image may take when it is drawn.
inline constexpr int64_t kLargestPicturePixels = 30'000'000;

enum class PictureCheck {
  kUsable,
  kUnreadable,  // missing, not a file, or could not be opened
  kNotPng,      // another format, or not a picture at all
  kDamaged,     // a PNG that does not decode completely
  kTooLarge,    // file size, a side or the pixel count over the limits above
};

struct PictureCheckResult {
  PictureCheck verdict = PictureCheck::kUnreadable;
  int width = 0;
  int height = 0;
};

// Reads the whole file; the sizes are those of the PNG's header (0 when it has none).
PictureCheckResult CheckBackgroundPicture(const std::string& path);
