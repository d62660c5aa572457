#include "check_options.h"

#include <cstdio>
#include <cstring>

namespace {

KernelCheckOptions g_options;

}  // namespace

bool ParseKernelCheckOptions(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--t640ctl=", 0) == 0) {
      g_options.t640ctl = arg.substr(std::strlen("--t640ctl="));
    } else if (arg.rfind("--t640-uhid=", 0) == 0) {
      g_options.t640Uhid = arg.substr(std::strlen("--t640-uhid="));
    } else {
      std::fprintf(stderr, "unknown argument \"%s\" (known: --t640ctl=PATH --t640-uhid=PATH)\n", arg.c_str());
      return false;
    }
  }
  return true;
}

const KernelCheckOptions& CheckOptions() { return g_options; }
