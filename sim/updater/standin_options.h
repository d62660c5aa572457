#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the stand-in firmware updater does: how it reports progress, how it ends, and which
// release number the virtual mouse gets.
struct StandInOptions {
  enum class Outcome { kSuccess, kFailure };
  Outcome outcome = Outcome::kSuccess;
  int steps = 10;          // progress reports before the end, evenly from 100/steps to 100 %
  int stepMs = 300;        // between two reports
  int failAtStep = 0;      // a failure comes after this many reports (0: half of them)
  uint16_t version = 0x0103;  // the firmware the update brings
};

inline constexpr const char* kStandInUsage =
    "usage: t640-updater-standin [--outcome=success|failure] [--steps=N] [--step-ms=MS]\n"
    "                            [--fail-at=N] [--version=0xNNNN] [ARGUMENT...]\n"
    "  Reports the progress and the end of a firmware update to T640 over the desktop bus and,\n"
    "  on success, gives a virtual mouse the new firmware. Other arguments (the shipped updater\n"
    "  gets \"On the upgrade\") are taken and ignored. T640_UPDATER_STANDIN_OPTIONS holds options\n"
    "  for a start whose arguments the starter fixes (T640 starts its updater that way).\n";

// The options in `environmentText` (space-separated) first, then `arguments`; null with a
// one-line reason when one of them is malformed.
std::optional<StandInOptions> ParseStandInOptions(const std::vector<std::string>& arguments,
                                                  const char* environmentText, std::string* error);
