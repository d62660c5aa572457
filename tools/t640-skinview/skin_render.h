#pragma once
#include <QImage>

#include <string>

#include "ui/toolkit/ui_types.h"

// Renders a layout of the skin offscreen, the way a window built from it would paint at the
// given DPI: the skin folder (the nearest folder above the layout holding res.xml) becomes the
// resource path, the program's controls are registered, the language file is loaded and the
// preview states the layout asks for are applied (see preview_states.h).
struct SkinRenderOptions {
  std::string layout;
  int dpi = 96;
  // A language file: a path, or a name looked for in the skin folder and in "DefaultData/" beside
  // it. Empty: the default language, "lan_cn.xml".
  std::string language;
  // Layout units (96 DPI); empty: the window's own size from the layout.
  SIZE size;
};

// False with a reason in error when the layout, the skin or the language cannot be loaded. The
// process must have a CUiApplication.
bool RenderSkinLayout(const SkinRenderOptions& options, QImage& image, std::string& error);

// The skin folder for a layout path (absolute, with a trailing '/'), or empty.
std::string FindSkinFolder(const std::string& layoutPath);
