// t640-modaliases TEMPLATE OUTPUT: writes the AppStream metainfo with the supported devices'
// <modalias> lines in place of the template's @T640_MODALIASES@ line. Run by the build.

#include <cstdio>
#include <fstream>
#include <sstream>

#include "modalias_lines.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: t640-modaliases TEMPLATE OUTPUT\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1]);
  std::stringstream text;
  text << in.rdbuf();
  if (!in) {
    std::fprintf(stderr, "t640-modaliases: cannot read %s\n", argv[1]);
    return 1;
  }
  std::string result;
  if (!ReplaceMarkerLine(text.str(), "@T640_MODALIASES@", SupportedModaliasLines("    "), &result)) {
    std::fprintf(stderr, "t640-modaliases: %s has no @T640_MODALIASES@ line\n", argv[1]);
    return 1;
  }
  std::ofstream out(argv[2], std::ios::trunc);
  out << result;
  if (!out.flush()) {
    std::fprintf(stderr, "t640-modaliases: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
