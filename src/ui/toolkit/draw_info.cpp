#include "ui/toolkit/draw_info.h"

#include <cctype>
#include <string_view>

#include "ui/toolkit/attribute_values.h"

namespace {

// Calls apply(key, value) for every key='value' pair; returns false when the text holds no '='
// (then it is a bare file name).
template <typename Apply>
bool ForEachPair(std::string_view text, Apply apply) {
  if (text.find('=') == std::string_view::npos) return false;
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    size_t equals = text.find('=', at);
    if (equals == std::string_view::npos) break;
    std::string_view key = text.substr(at, equals - at);
    while (!key.empty() && std::isspace(static_cast<unsigned char>(key.back()))) key.remove_suffix(1);
    at = equals + 1;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    std::string_view value;
    if (at < text.size() && (text[at] == '\'' || text[at] == '"')) {
      char quote = text[at];
      size_t close = text.find(quote, at + 1);
      if (close == std::string_view::npos) close = text.size();
      value = text.substr(at + 1, close - at - 1);
      at = close + 1;
    } else {
      size_t end = at;
      while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end]))) ++end;
      value = text.substr(at, end - at);
      at = end;
    }
    apply(key, value);
  }
  return true;
}

CDuiString NormalisePath(std::string_view path) {
  CDuiString result(path);
  result.Replace("\\", "/");
  result.Trim();
  return result;
}

}  // namespace

void TDrawInfo::Parse(LPCTSTR pStrImage, LPCTSTR pStrModify) {
  *this = TDrawInfo{};
  sDrawString = pStrImage;
  auto apply = [this](std::string_view key, std::string_view value) {
    if (key == "file" || key == "res") {
      sImageName = NormalisePath(value);
    } else if (key == "restype") {
      sResType = CDuiString(value);
    } else if (key == "dest") {
      rcDest = ParseRectValue(value);
      bHasDest = true;
    } else if (key == "source") {
      rcSource = ParseRectValue(value);
      bHasSource = true;
    } else if (key == "corner") {
      rcCorner = ParseRectValue(value);
    } else if (key == "mask") {
      dwMask = ParseColorValue(value);
    } else if (key == "fade") {
      int fade = ParseIntValue(value);
      uFade = BYTE(fade < 0 ? 0 : (fade > 255 ? 255 : fade));
    } else if (key == "hole") {
      bHole = ParseBoolValue(value);
    } else if (key == "xtiled") {
      bTiledX = ParseBoolValue(value);
    } else if (key == "ytiled") {
      bTiledY = ParseBoolValue(value);
    }
  };
  std::string_view image = pStrImage ? pStrImage : "";
  if (!ForEachPair(image, apply)) sImageName = NormalisePath(image);
  if (pStrModify) ForEachPair(pStrModify, apply);
}
