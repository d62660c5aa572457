// t640ctl: a command-line look at what T640 sees — the supported HID interfaces on this machine
// and the device read of each attached mouse — for people diagnosing their setup, and scripts;
// and a profile applied to the mouse, or read from it, without the program's window.

#include <json/json.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "profiles/storage/data_folders.h"
#include "shell/hid_backend_choice.h"
#include "tools/t640ctl/doctor_checks.h"
#include "tools/t640ctl/doctor_facts.h"
#include "tools/t640ctl/interface_listing.h"
#include "tools/t640ctl/mouse_channel.h"
#include "tools/t640ctl/mouse_read.h"
#include "tools/t640ctl/mouse_report.h"
#include "tools/t640ctl/pad_read.h"
#include "tools/t640ctl/profile_commands.h"
#include "transport/result_codes.h"
#include "transport/usb_command_channel.h"

namespace {

constexpr const char* kUsage =
    "usage: t640ctl [--simulate LIST] list|info\n"
    "       t640ctl [--simulate LIST] apply|export FILE\n"
    "       t640ctl [--simulate LIST] doctor [--json]\n"
    "  list         every HID interface that matches a supported device\n"
    "  info         read each attached mouse and mouse pad and print the result as JSON\n"
    "  doctor       check what T640 needs (device access, udev rule, seat, folders, display, tray,\n"
    "               another copy), one line each with the fix for a failure; 1 when any fails\n"
    "  apply FILE   write an exported profile to the mouse as a profile switch does: settings,\n"
    "               then the macros its keys use (the file's own, else the program's), then the keys\n"
    "  export FILE  write what the mouse holds as a profile the program and apply can import\n"
    "  LIST         virtual devices instead of hardware, e.g. mouse,mouse-receiver:unlinked\n"
    "               (also taken from T640_SIMULATE)\n"
    "exit status: 0 done, 1 the device failed or no mouse is attached, 2 a usage error or a refused FILE\n";

int RunDoctor(IHidBackend& backend, bool json) {
  const std::vector<DoctorLine> lines = Diagnose(GatherDoctorFacts(backend));
  std::fputs((json ? FormatDoctorJson(lines) : FormatDoctorText(lines)).c_str(), stdout);
  const bool allOk = std::all_of(lines.begin(), lines.end(), [](const DoctorLine& line) { return line.ok; });
  return allOk ? kExitOk : kExitFailed;
}

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

int RunInfo(IHidBackend& backend) {
  const std::optional<std::vector<DeviceEntry>> mice = FindMouseSlots(backend);
  const std::optional<std::vector<DeviceEntry>> pads = FindCommandSlots(backend, {kDeviceKindMousePad});
  if (!mice || !pads) {
    std::fprintf(stderr, "t640ctl: the HID interfaces could not be listed\n");
    return kExitFailed;
  }

  Json::Value devices(Json::arrayValue);
  bool allRead = true;
  for (const DeviceEntry& slot : *mice) {
    const bool receiver = IsReceiverSlot(slot);
    CUsbCommandChannel channel(backend);
    CHidDevice& port = receiver ? channel.ReceiverPort() : channel.DirectPort();
    MouseReadResult read;
    if (OpenMouseChannel(channel, slot)) {
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
  for (const DeviceEntry& slot : *pads) {
    CUsbCommandChannel channel(backend);
    PadReadResult read;
    if (OpenMouseChannel(channel, slot)) {
      read = ReadPadForDiagnosis(channel);
    } else {
      read.failedStep = "Open";
    }
    if (read.result != 1) {
      allRead = false;
      std::fprintf(stderr, "t640ctl: reading the mouse pad failed at %s: %s (result %d); nothing was written\n",
                   read.failedStep.c_str(), ResultCodeText(read.result), read.result);
    }
    devices.append(PadReportJson(channel.DirectPort().GetAttributes(), read));
  }

  Json::Value document(Json::objectValue);
  document["devices"] = devices;
  Json::StreamWriterBuilder writer;
  writer["indentation"] = "";
  std::cout << Json::writeString(writer, document) << "\n";
  return allRead ? kExitOk : kExitFailed;
}

int Report(const CommandOutcome& outcome) {
  for (const std::string& message : outcome.messages) std::fprintf(stderr, "t640ctl: %s\n", message.c_str());
  return outcome.exitCode;
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
  std::string file;
  bool json = false;
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
    } else if (arg == "--json" && command == "doctor") {
      json = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError("unknown option \"" + arg + "\"\n" + kUsage);
    } else if (command.empty()) {
      command = arg;
    } else if ((command == "apply" || command == "export") && file.empty()) {
      file = arg;
    } else {
      return UsageError("unexpected argument \"" + arg + "\"");
    }
  }
  const bool profileCommand = command == "apply" || command == "export";
  if (command != "list" && command != "info" && command != "doctor" && !profileCommand) {
    return UsageError(command.empty() ? std::string("no command given\n") + kUsage
                                      : "unknown command \"" + command + "\"\n" + kUsage);
  }
  if (profileCommand && file.empty()) return UsageError(command + " needs a FILE\n" + kUsage);

  std::string error;
  std::shared_ptr<IHidBackend> backend = MakeHidBackend(simulateGiven, simulate, &error);
  if (!backend) return UsageError(error);
  if (command == "list") return RunList(*backend);
  if (command == "info") return RunInfo(*backend);
  if (command == "doctor") return RunDoctor(*backend, json);
  const MouseToolFolders folders{DeviceDataFolder(kMouseKindName), DefaultDataPath(kMouseKindName)};
  return Report(command == "apply" ? ApplyProfileCommand(*backend, file, folders)
                                   : ExportProfileCommand(*backend, file, folders));
}
