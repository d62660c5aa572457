// t640-updater-standin: stands in for the firmware updater T640 ships, for demonstrations and
// tests against the virtual mouse. T640 starts it as it starts the real one; it reports over the
// desktop bus as the real one does.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop_bus/bus_folder.h"
#include "sim/updater/standin_options.h"
#include "sim/updater/standin_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      std::fputs(kStandInUsage, stdout);
      return 0;
    }
  }
  std::string error;
  const std::optional<StandInOptions> options =
      ParseStandInOptions(arguments, std::getenv("T640_UPDATER_STANDIN_OPTIONS"), &error);
  if (!options) {
    std::fprintf(stderr, "t640-updater-standin: %s\n%s", error.c_str(), kStandInUsage);
    return 2;
  }
  const std::string folder = OpenDesktopBusFolder(error);
  if (folder.empty()) {
    std::fprintf(stderr, "t640-updater-standin: %s\n", error.c_str());
    return kStandInNoProgram;
  }
  return RunStandInUpdate(
      *options, CDesktopBus(folder),
      [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); },
      [](const std::string& line) { std::fprintf(stderr, "t640-updater-standin: %s\n", line.c_str()); });
}
