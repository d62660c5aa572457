#pragma once
#include <optional>
#include <string>

#include "ui/toolkit/ui_types.h"

// A background picture fills its window without being distorted: when the picture's shape differs
// from the window's, its middle part of the window's shape is drawn and the rest is cut off.

// The part of a picture of size `picture` that has the shape of `box`: the whole picture when
// the shapes agree, else its middle cut at the left and right or at the top and bottom. Empty for
// an empty picture or box.
RECT CoverSourceRect(SIZE picture, SIZE box);

// The toolkit image string that draws `image` (a skin-relative name or a full path) cut as above:
// "file='...' source='l,t,r,b'". Nothing for a name the toolkit would read as another one: with
// both quote characters, a backslash, or blanks at either end.
std::optional<std::string> FittedImageString(const std::string& image, SIZE picture, SIZE box);
