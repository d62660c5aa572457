#pragma once
#include <optional>
#include <string>
#include <vector>

#include "tools/t640ctl/interface_listing.h"

// What `t640ctl doctor` looks at, gathered from the machine (doctor_facts.h) or made up by tests.
struct DoctorFacts {
  bool listed = false;  // the HID interfaces could be listed at all
  std::vector<ListedInterface> interfaces;
  std::string ruleFile;  // where the udev rule is installed; "" when nowhere udev reads
  bool root = false;
  std::string seat;  // the session's seat (XDG_SEAT); "" outside a local seat session
  std::string dataFolder;
  bool dataWritable = false;
  std::string logFile;
  bool logEnabled = false;  // the log's folder exists, so the program writes the log
  enum class Display { kNone, kX11, kWayland } display = Display::kNone;
  std::optional<bool> trayPresent;  // known on X11 only
  enum class OtherCopy { kNone, kRunning, kUnknown } otherCopy = OtherCopy::kUnknown;
};

// One line of the checklist; a failed one says how to mend it.
struct DoctorLine {
  std::string check;
  bool ok = false;
  std::string finding;
  std::string fix;  // "" when ok
};

std::vector<DoctorLine> Diagnose(const DoctorFacts& facts);

// "ok  check: finding" or "FAIL check: finding" with "      fix: …" under it, one per line.
std::string FormatDoctorText(const std::vector<DoctorLine>& lines);
// {"ok": all passed, "checks": [{"check", "ok", "finding", "fix"}, …]}
std::string FormatDoctorJson(const std::vector<DoctorLine>& lines);
