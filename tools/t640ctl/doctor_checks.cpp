#include "tools/t640ctl/doctor_checks.h"

#include <json/json.h>

#include <algorithm>

namespace {

constexpr const char* kRuleSteps =
    "sudo cmake --install build --component udev && sudo udevadm control --reload && "
    "sudo udevadm trigger --subsystem-match=hidraw (or install the package, which brings the rule), "
    "then re-plug the device";

DoctorLine Passed(std::string check, std::string finding) { return {std::move(check), true, std::move(finding), ""}; }
DoctorLine Failed(std::string check, std::string finding, std::string fix) {
  return {std::move(check), false, std::move(finding), std::move(fix)};
}

DoctorLine DeviceLine(const DoctorFacts& facts) {
  if (!facts.listed) {
    return Failed("devices", "the HID interfaces could not be listed (no /sys/class/hidraw?)",
                  "load the hidraw driver (sudo modprobe hidraw) or run where /sys is mounted");
  }
  if (facts.interfaces.empty()) {
    return Failed("devices", "no supported device is attached",
                  "plug in the device or its receiver; `t640 --simulate mouse` shows the program without one");
  }
  const auto denied = std::count_if(facts.interfaces.begin(), facts.interfaces.end(), [](const ListedInterface& i) {
    return !i.opened && i.openError == HidOpenError::AccessDenied;
  });
  const auto unopened = std::count_if(facts.interfaces.begin(), facts.interfaces.end(),
                                      [](const ListedInterface& i) { return !i.opened; });
  const std::string count = std::to_string(facts.interfaces.size()) + " supported interface(s)";
  if (denied > 0) {
    return Failed("devices", count + ", " + std::to_string(denied) + " that this user may not open",
                  "install the udev rule packaging/70-t640.rules: " + std::string(kRuleSteps));
  }
  if (unopened > 0) {
    return Failed("devices", count + ", " + std::to_string(unopened) + " that would not open",
                  "re-plug the device; `t640ctl list` names each interface and why");
  }
  return Passed("devices", count + ", all of them open");
}

DoctorLine RuleLine(const DoctorFacts& facts) {
  if (!facts.ruleFile.empty()) return Passed("udev rule", "installed: " + facts.ruleFile);
  if (facts.root) return Passed("udev rule", "not installed; root opens the devices without it");
  return Failed("udev rule", "not installed in any folder udev reads", kRuleSteps);
}

DoctorLine SeatLine(const DoctorFacts& facts) {
  if (facts.root) return Passed("seat", "root: no seat needed");
  if (!facts.seat.empty()) {
    return Passed("seat", "this session is on " + facts.seat + ": the rule gives its user the devices (uaccess)");
  }
  return Failed("seat", "this session is on no seat (a remote login, a service or a container)",
                "run T640 in the desktop session at the computer: the rule gives devices to the user at the seat");
}

DoctorLine DataLine(const DoctorFacts& facts) {
  if (facts.dataWritable) return Passed("data folder", facts.dataFolder + " is writable");
  return Failed("data folder", facts.dataFolder + " cannot be written: profiles and settings would be lost",
                "give it back to this user: sudo chown -R \"$USER\" " + facts.dataFolder);
}

DoctorLine LogLine(const DoctorFacts& facts) {
  if (facts.logEnabled) return Passed("support log", "on: " + facts.logFile);
  const std::string folder = facts.logFile.substr(0, facts.logFile.find_last_of('/') + 1);
  return Passed("support log", "off (it is written only when its folder exists; to collect one for a bug report: "
                               "mkdir -p \"" + folder + "\")");
}

DoctorLine DisplayLine(const DoctorFacts& facts) {
  switch (facts.display) {
    case DoctorFacts::Display::kWayland:
      return Passed("display", "Wayland: macros are recorded inside T640's window only; whether there is a tray "
                               "depends on the desktop (without one, the close button minimises)");
    case DoctorFacts::Display::kX11:
      if (facts.trayPresent == std::optional<bool>(false)) {
        return Passed("display", "X11 without a system tray: the close button minimises instead of hiding; "
                                 "macros are recorded from the whole desktop");
      }
      if (!facts.trayPresent) {
        return Failed("display", "DISPLAY is set but no X server answers there",
                      "start T640 from the desktop session, or set DISPLAY to its display");
      }
      return Passed("display", "X11 with a system tray; macros are recorded from the whole desktop");
    case DoctorFacts::Display::kNone:
      break;
  }
  return Failed("display", "no display (neither DISPLAY nor WAYLAND_DISPLAY is set): t640 cannot show its window",
                "run t640 in the desktop session; t640ctl works without a display");
}

DoctorLine OtherCopyLine(const DoctorFacts& facts) {
  switch (facts.otherCopy) {
    case DoctorFacts::OtherCopy::kRunning:
      return Passed("running copy", "T640 runs already; a new start brings its window to the front");
    case DoctorFacts::OtherCopy::kNone:
      return Passed("running copy", "none; T640 is not running");
    case DoctorFacts::OtherCopy::kUnknown:
      break;
  }
  return Failed("running copy", "the single-instance lock cannot be used: two copies could run at once",
                "make sure $XDG_RUNTIME_DIR (or /tmp) belongs to this user and is writable");
}

}  // namespace

std::vector<DoctorLine> Diagnose(const DoctorFacts& facts) {
  return {DeviceLine(facts), RuleLine(facts), SeatLine(facts), DataLine(facts),
          LogLine(facts),    DisplayLine(facts), OtherCopyLine(facts)};
}

std::string FormatDoctorText(const std::vector<DoctorLine>& lines) {
  std::string text;
  for (const DoctorLine& line : lines) {
    text += (line.ok ? "ok    " : "FAIL  ") + line.check + ": " + line.finding + "\n";
    if (!line.ok) text += "      fix: " + line.fix + "\n";
  }
  return text;
}

std::string FormatDoctorJson(const std::vector<DoctorLine>& lines) {
  Json::Value root(Json::objectValue);
  Json::Value checks(Json::arrayValue);
  bool allOk = true;
  for (const DoctorLine& line : lines) {
    Json::Value entry(Json::objectValue);
    entry["check"] = line.check;
    entry["ok"] = line.ok;
    entry["finding"] = line.finding;
    entry["fix"] = line.fix;
    checks.append(entry);
    allOk &= line.ok;
  }
  root["ok"] = allOk;
  root["checks"] = checks;
  Json::StreamWriterBuilder writer;
  writer["indentation"] = "";
  return Json::writeString(writer, root) + "\n";
}
