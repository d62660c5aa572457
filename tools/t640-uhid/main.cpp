// t640-uhid: runs virtual devices through the kernel's HID stack (/dev/uhid) until it is stopped,
// so that t640ctl and t640 find them exactly as they find hardware, without --simulate. Needs the
// uhid module and, without a udev rule for /dev/uhid, root.

#include <signal.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "sim/simulation.h"
#include "sim/uhid/uhid_bridge.h"
#include "sim/uhid/uhid_system.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: t640-uhid [--uhid PATH] LIST\n"
    "  Runs the virtual devices of LIST through the kernel until interrupted (Ctrl+C or SIGTERM),\n"
    "  then removes them. LIST is the same as for t640ctl --simulate, e.g. mouse,mouse-receiver:unlinked\n"
    "  --uhid PATH   the uhid device file (default /dev/uhid)\n";

int UsageError(const std::string& reason) {
  std::fprintf(stderr, "t640-uhid: %s\n", reason.c_str());
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  std::string uhidPath = CKernelUhidSystem::kDefaultPath;
  std::string listText;
  bool listGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return kExitOk;
    } else if (arg == "--uhid") {
      if (i + 1 >= argc) return UsageError("--uhid needs a path");
      uhidPath = argv[++i];
    } else if (arg.rfind("--uhid=", 0) == 0) {
      uhidPath = arg.substr(7);
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError("unknown option \"" + arg + "\"\n" + kUsage);
    } else if (!listGiven) {
      listText = arg;
      listGiven = true;
    } else {
      return UsageError("unexpected argument \"" + arg + "\"");
    }
  }
  if (!listGiven) return UsageError(std::string("no device list given\n") + kUsage);
  std::string error;
  std::optional<SimulationList> list = ParseSimulationList(listText, &error);
  if (!list) return UsageError(error);
  SimDeviceSet devices = BuildSimDevices(*list);
  if (devices.toPlug.empty()) return UsageError("the list names no device to plug in");

  // Blocked before the bridge starts its thread, so the signals stay pending for sigwait below
  // instead of ending the process with the devices still attached.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  CKernelUhidSystem system(uhidPath);
  int status = kExitOk;
  {
    CUhidBridge bridge(system);
    for (const std::shared_ptr<CVirtualDevice>& device : devices.toPlug) {
      std::string detail;
      const UhidError plugged = bridge.Plug(device, &detail);
      const std::string& name = device->Description().name;
      if (plugged != UhidError::None) {
        std::fprintf(stderr, "t640-uhid: cannot plug in %s: %s%s%s\n", name.c_str(),
                     DescribeUhidError(plugged, uhidPath).c_str(), detail.empty() ? "" : ": ", detail.c_str());
        status = kExitFailed;
        break;
      }
      for (const UhidInterfaceInfo& interface : bridge.InterfacesOf(*device)) {
        std::printf("t640-uhid: %s interface %u: /dev/%s (%s)\n", name.c_str(), interface.interfaceNumber,
                    interface.node.node.c_str(), interface.node.instance.c_str());
      }
    }
    if (status == kExitOk) {
      std::printf("t640-uhid: ready; stop with Ctrl+C\n");
      std::fflush(stdout);
      int received = 0;
      sigwait(&stopSignals, &received);
      std::printf("t640-uhid: removing the devices\n");
    }
  }
  std::fflush(stdout);
  return status;
}
