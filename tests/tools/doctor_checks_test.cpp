// The doctor's checklist: each line passes or fails on its own fact, and a failure names its fix.

#include "tools/t640ctl/doctor_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

// A healthy desktop session of a plain user, with the mouse attached and the rule installed.
DoctorFacts Healthy() {
  DoctorFacts facts;
  facts.listed = true;
  ListedInterface command;
  command.opened = true;
  facts.interfaces = {command, command};
  facts.ruleFile = "/usr/lib/udev/rules.d/70-t640.rules";
  facts.seat = "seat0";
  facts.dataFolder = "/home/u/.local/share/T640/";
  facts.dataWritable = true;
  facts.logFile = "/home/u/.local/share/R318PX-DOV/Zorbel.log";
  facts.display = DoctorFacts::Display::kX11;
  facts.trayPresent = true;
  facts.otherCopy = DoctorFacts::OtherCopy::kNone;
  return facts;
}

const DoctorLine& LineOf(const std::vector<DoctorLine>& lines, const std::string& check) {
  for (const DoctorLine& line : lines) {
    if (line.check == check) return line;
  }
  static const DoctorLine missing{"missing", false, "", ""};
  return missing;
}

TEST(DoctorChecks, AHealthySessionPassesEveryLine) {
  const std::vector<DoctorLine> lines = Diagnose(Healthy());
  ASSERT_EQ(lines.size(), 7u);
  for (const DoctorLine& line : lines) EXPECT_TRUE(line.ok) << line.check << ": " << line.finding;
  EXPECT_THAT(FormatDoctorJson(lines), testing::StartsWith(R"({"checks":)"));
  EXPECT_THAT(FormatDoctorJson(lines), testing::HasSubstr(R"("ok":true})"));
}

TEST(DoctorChecks, EachFaultFailsItsOwnLineAndNamesTheFix) {
  struct Case {
    const char* what;
    std::function<void(DoctorFacts&)> spoil;
    const char* check;
    const char* fixMentions;
  };
  const Case cases[] = {
      {"no device", [](DoctorFacts& f) { f.interfaces.clear(); }, "devices", "--simulate"},
      {"permission",
       [](DoctorFacts& f) {
         f.interfaces[0].opened = false;
         f.interfaces[0].openError = HidOpenError::AccessDenied;
       },
       "devices", "packaging/70-t640.rules"},
      {"no listing", [](DoctorFacts& f) { f.listed = false; }, "devices", "modprobe hidraw"},
      {"no rule", [](DoctorFacts& f) { f.ruleFile.clear(); }, "udev rule", "udevadm control --reload"},
      {"no seat", [](DoctorFacts& f) { f.seat.clear(); }, "seat", "desktop session"},
      {"data folder", [](DoctorFacts& f) { f.dataWritable = false; }, "data folder", "chown"},
      {"no display", [](DoctorFacts& f) { f.display = DoctorFacts::Display::kNone; }, "display", "desktop session"},
      {"dead X server", [](DoctorFacts& f) { f.trayPresent.reset(); }, "display", "DISPLAY"},
      {"no lock", [](DoctorFacts& f) { f.otherCopy = DoctorFacts::OtherCopy::kUnknown; }, "running copy",
       "XDG_RUNTIME_DIR"},
  };
  for (const Case& c : cases) {
    DoctorFacts facts = Healthy();
    c.spoil(facts);
    const std::vector<DoctorLine> lines = Diagnose(facts);
    const DoctorLine& line = LineOf(lines, c.check);
    EXPECT_FALSE(line.ok) << c.what;
    EXPECT_THAT(line.fix, testing::HasSubstr(c.fixMentions)) << c.what;
    for (const DoctorLine& other : lines) {
      if (other.check == c.check) continue;
      EXPECT_TRUE(other.ok) << c.what << " also failed " << other.check;
    }
    EXPECT_THAT(FormatDoctorText(lines), testing::HasSubstr("FAIL  " + std::string(c.check) + ": ")) << c.what;
  }
}

TEST(DoctorChecks, WhatOnlyInformsNeverFails) {
  DoctorFacts facts = Healthy();
  facts.trayPresent = false;                           // no tray: the window minimises instead
  facts.otherCopy = DoctorFacts::OtherCopy::kRunning;  // a start brings it to the front
  const std::vector<DoctorLine> lines = Diagnose(facts);
  EXPECT_TRUE(LineOf(lines, "display").ok);
  EXPECT_TRUE(LineOf(lines, "running copy").ok);
  EXPECT_THAT(LineOf(lines, "support log").finding, testing::HasSubstr("mkdir -p \"/home/u/.local/share/R318PX-DOV/\""));

  facts = Healthy();
  facts.root = true;
  facts.seat.clear();
  facts.ruleFile.clear();
  for (const DoctorLine& line : Diagnose(facts)) EXPECT_TRUE(line.ok) << "root needs no seat or rule: " << line.check;
}

}  // namespace
