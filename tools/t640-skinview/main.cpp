// t640-skinview: renders a layout of the skin to a PNG without a display, for skin authors and
// for render tests.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "skin_render.h"
#include "ui/toolkit/ui_application.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: t640-skinview LAYOUT [--dpi N] [--lang FILE] [--size WxH] -o OUT.png\n"
               "  LAYOUT   a layout file inside a skin folder (the folder holding res.xml)\n"
               "  --dpi    48, 72, 96, 120, 144, 168 or 192 (default 96)\n"
               "  --lang   language file (default lan_cn.xml, looked for beside the skin in DefaultData)\n"
               "  --size   size in layout units at 96 DPI (default: the layout's window size)\n");
  return 2;
}

bool ParseSize(const std::string& text, SIZE& size) {
  int width = 0;
  int height = 0;
  char extra = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &extra) != 2 || width <= 0 || height <= 0) return false;
  size = SIZE{width, height};
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  SkinRenderOptions options;
  std::string output;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--dpi" && hasValue) {
      options.dpi = std::atoi(argv[++i]);
    } else if (arg == "--lang" && hasValue) {
      options.language = argv[++i];
    } else if (arg == "--size" && hasValue) {
      if (!ParseSize(argv[++i], options.size)) return Usage();
    } else if (arg == "-o" && hasValue) {
      output = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && options.layout.empty()) {
      options.layout = arg;
    } else {
      return Usage();
    }
  }
  if (options.layout.empty() || output.empty()) return Usage();

  // No display is needed or wanted: the render is the same on a desktop and on a build machine.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  CUiApplication app(qtArgc, qtArgv);

  QImage image;
  std::string error;
  if (!RenderSkinLayout(options, image, error)) {
    std::fprintf(stderr, "t640-skinview: %s\n", error.c_str());
    return 1;
  }
  if (!image.save(QString::fromStdString(output), "PNG")) {
    std::fprintf(stderr, "t640-skinview: cannot write %s\n", output.c_str());
    return 1;
  }
  std::printf("%s: %dx%d\n", output.c_str(), image.width(), image.height());
  return 0;
}
