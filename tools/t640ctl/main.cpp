// t640ctl: a command-line look at what T640 sees — the supported HID interfaces on this machine
// and the device read of each attached mouse — for people diagnosing their setup, and scripts.

#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "shell/hid_backend_choice.h"
#include "tools/t640ctl/interface_listing.h"
#include "tools/t640ctl/mouse_read.h"
#include "tools/t640ctl/mouse_report.h"
#include "transport/device_scanner.h"
#include "transport/result_codes.h"
#include "transport/usb_command_channel.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: t640ctl [--simulate LIST] list|info\n"
    "  list   every HID interface that matches a supported device\n"
    "  info   read each attached mouse and print the result as JSON\n"
    "  LIST   virtual devices instead of hardware, e.g. mouse,mouse-receiver:unlinked\n"
    "         (also taken from T640_SIMULATE)\n";

int UsageError(const std::string& reason) {
  std::fprintf(stderr, "t640ctl: %s\n", reason.c_str());
  return kExitUsage;
}

int RunList(IHidBackend& backend) {
  std::vector<ListedInterface> interfaces;
  if (!ListSupportedInterfaces(backend, interfaces)) {
    std::fprintf(stderr, "t640ctl: the HID interfaces could not be listed\n");
    return kExitFailed;
  }
  std::fputs(FormatInterfaceListing(interfaces).c_str(), stdout);
  return interfaces.empty() ? kExitFailed : kExitOk;
}

// The same claims the program's scan loop makes, taken in one pass.
class SlotCollector : public IDeviceScanSink {
 public:
  void OnDeviceArrival(size_t, const DeviceEntry& entry, CEvent&) override { arrived.push_back(entry); }
  void OnDeviceRemove(size_t, const DeviceEntry&, CEvent&) override {}
  void PostFirstScanComplete() override {}
  std::vector<DeviceEntry> arrived;
};

int RunInfo(IHidBackend& backend) {
  CDeviceSlotList slots;
  SlotCollector collector;
  CDeviceScanner scanner(backend, slots, collector);
  if (!scanner.RunPass()) {
    std::fprintf(stderr, "t640ctl: the HID interfaces could not be listed\n");
    return kExitFailed;
  }

  Json::Value devices(Json::arrayValue);
  bool allRead = true;
  for (const DeviceEntry& slot : collector.arrived) {
    const bool receiver = slot.DeviceKind == kDeviceKindMouseReceiver;
    if ((slot.DeviceKind != kDeviceKindMouse && !receiver) || slot.InterfaceRole != kInterfaceRoleCommand) continue;

    CUsbCommandChannel channel(backend);
    CHidDevice& port = receiver ? channel.ReceiverPort() : channel.DirectPort();
    MouseReadResult read;
    if (port.Open(slot.DevicePath, true, true, true, false)) {
      channel.SetConnectionType(receiver ? kConnectionTypeReceiver : kConnectionTypeCable);
      channel.SetIsOpen(1);
      read = ReadMouseForDiagnosis(channel);
    } else {
      read.failedStep = "Open";
    }
    if (read.result != 1) {
      allRead = false;
      std::fprintf(stderr, "t640ctl: reading the mouse (%s) failed at %s: %s (result %d); nothing was written\n",
                   receiver ? "receiver" : "cable", read.failedStep.c_str(), ResultCodeText(read.result), read.result);
    }
    devices.append(MouseReportJson(slot, port.GetAttributes(), read));
  }

  Json::Value document(Json::objectValue);
  document["devices"] = devices;
  Json::StreamWriterBuilder writer;
  writer["indentation"] = "";
  std::cout << Json::writeString(writer, document) << "\n";
  return allRead ? kExitOk : kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
  std::string simulate;
  bool simulateGiven = false;
  if (const char* env = std::getenv("T640_SIMULATE"); env && *env) {
    simulate = env;
    simulateGiven = true;
  }
  std::string command;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return kExitOk;
    } else if (arg == "--simulate") {
      if (i + 1 >= argc) return UsageError("--simulate needs a list of virtual devices");
      simulate = argv[++i];
      simulateGiven = true;
    } else if (arg.rfind("--simulate=", 0) == 0) {
      simulate = arg.substr(std::strlen("--simulate="));
      simulateGiven = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError("unknown option \"" + arg + "\"\n" + kUsage);
    } else if (command.empty()) {
      command = arg;
    } else {
      return UsageError("unexpected argument \"" + arg + "\"");
    }
  }
  if (command != "list" && command != "info") {
    return UsageError(command.empty() ? std::string("no command given\n") + kUsage
                                      : "unknown command \"" + command + "\"\n" + kUsage);
  }

  std::string error;
  std::shared_ptr<IHidBackend> backend = MakeHidBackend(simulateGiven, simulate, &error);
  if (!backend) return UsageError(error);
  return command == "list" ? RunList(*backend) : RunInfo(*backend);
}
