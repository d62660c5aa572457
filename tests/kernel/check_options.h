#pragma once
#include <string>

// Options of the kernel check programs, after googletest has taken its own:
//   --t640ctl=PATH --t640-uhid=PATH   the tools the tools check runs (inside the VM, /t640/bin/...)
struct KernelCheckOptions {
  std::string t640ctl;
  std::string t640Uhid;
};

// False (with a message on stderr) for an argument it does not know.
bool ParseKernelCheckOptions(int argc, char** argv);
const KernelCheckOptions& CheckOptions();
