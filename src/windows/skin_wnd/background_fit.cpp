#include "windows/skin_wnd/background_fit.h"

#include <algorithm>
#include <cstdint>

RECT CoverSourceRect(SIZE picture, SIZE box) {
  if (picture.cx <= 0 || picture.cy <= 0 || box.cx <= 0 || box.cy <= 0) return RECT{};
  // Compared as cross products, so no rounding decides which side is cut.
  const int64_t pictureWide = int64_t{picture.cx} * box.cy;
  const int64_t boxWide = int64_t{box.cx} * picture.cy;
  if (pictureWide > boxWide) {
    const int width = std::max(1, static_cast<int>(boxWide / box.cy));
    const int left = (picture.cx - width) / 2;
    return RECT{left, 0, left + width, picture.cy};
  }
  if (pictureWide < boxWide) {
    const int height = std::max(1, static_cast<int>(pictureWide / box.cx));
    const int top = (picture.cy - height) / 2;
    return RECT{0, top, picture.cx, top + height};
  }
  return RECT{0, 0, picture.cx, picture.cy};
}

std::optional<std::string> FittedImageString(const std::string& image, SIZE picture, SIZE box) {
  const bool hasSingle = image.find('\'') != std::string::npos;
  const bool hasDouble = image.find('"') != std::string::npos;
  // The toolkit reads a backslash as a folder separator and trims blanks around the name.
  const bool trimmed = !image.empty() && image.front() != ' ' && image.back() != ' ';
  if ((hasSingle && hasDouble) || !trimmed || image.find('\\') != std::string::npos) return std::nullopt;
  const char quote = hasSingle ? '"' : '\'';
  std::string result = std::string("file=") + quote + image + quote;
  const RECT source = CoverSourceRect(picture, box);
  if (source.right > source.left && source.bottom > source.top) {
    result += " source='" + std::to_string(source.left) + "," + std::to_string(source.top) + "," +
              std::to_string(source.right) + "," + std::to_string(source.bottom) + "'";
  }
  return result;
}
