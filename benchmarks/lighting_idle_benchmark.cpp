// Measures what the lighting costs while nobody changes anything: the whole program, started as a
// user starts it against one virtual mouse, in three situations: (a) hidden in the tray, (b) shown
// with a static effect, (c) shown with the mouse's factory breathing. For each, the CPU of the
// process (user + system time from /proc) and its wake-ups (the context switches of all its
// threads) over the measured time, after the start has settled. Prints the figures; it is not a
// test and asserts nothing.
//
//   lighting_idle_benchmark [--seconds S] [--settle S] [--display :N] [--program PATH]
//
// It starts its own X server on --display (default :93) with a window manager and a system tray
// (Xvfb, openbox, trayer), so that the window is really hidden in a tray in (a), and ends them at
// the end.

#include <dirent.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

double WallSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void SleepSeconds(double seconds) {
  timespec pause{static_cast<time_t>(seconds), static_cast<long>((seconds - static_cast<time_t>(seconds)) * 1e9)};
  nanosleep(&pause, nullptr);
}

pid_t Spawn(const std::vector<std::string>& command, const char* log) {
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (log) {
    if (FILE* out = std::freopen(log, "w", stdout)) dup2(fileno(out), STDERR_FILENO);
  }
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}

void End(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 40; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    SleepSeconds(0.05);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// Clock ticks of user and system time of the whole process.
long long ProcessTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  long long utime = 0, stime = 0;
  // After the name: state is field 3; utime and stime are fields 14 and 15.
  for (int index = 3; fields >> field; ++index) {
    if (index == 14) utime = std::atoll(field.c_str());
    if (index == 15) {
      stime = std::atoll(field.c_str());
      break;
    }
  }
  return utime + stime;
}

// Context switches (voluntary and not) of every thread, by thread id, with the thread's name.
// Also the thread's time on a CPU in nanoseconds (schedstat): the clock ticks of stat are too coarse
// for what an idle thread spends.
struct ThreadSwitches {
  std::string name;
  long long switches = 0;
  long long cpuNs = 0;
};
std::map<int, ThreadSwitches> Switches(pid_t pid) {
  std::map<int, ThreadSwitches> threads;
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  DIR* dir = opendir(tasks.c_str());
  if (!dir) return threads;
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    std::ifstream status(tasks + "/" + entry->d_name + "/status");
    ThreadSwitches thread;
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind("Name:", 0) == 0) thread.name = line.substr(line.find_first_not_of(" \t", 5));
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0 || line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) {
        thread.switches += std::atoll(line.c_str() + line.find(':') + 1);
      }
    }
    std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
    schedstat >> thread.cpuNs;
    threads[std::atoi(entry->d_name)] = thread;
  }
  closedir(dir);
  return threads;
}

struct Situation {
  const char* name;
  std::string simulate;
  bool tray;
};

void Measure(const std::string& program, const Situation& situation, double settle, double seconds) {
  char dataTemplate[] = "/tmp/t640-bench-XXXXXX";
  if (!mkdtemp(dataTemplate)) return;
  setenv("XDG_DATA_HOME", dataTemplate, 1);
  std::vector<std::string> command = {program, "--simulate", situation.simulate};
  if (situation.tray) command.push_back("--tray");
  const pid_t pid = Spawn(command, "/dev/null");
  SleepSeconds(settle);
  const std::map<int, ThreadSwitches> before = Switches(pid);
  const long long ticksBefore = ProcessTicks(pid);
  const double start = WallSeconds();
  SleepSeconds(seconds);
  const long long ticksAfter = ProcessTicks(pid);
  const std::map<int, ThreadSwitches> after = Switches(pid);
  const double wall = WallSeconds() - start;
  End(pid);
  if (ticksBefore < 0 || ticksAfter < 0) {
    std::printf("%s: the program did not keep running\n", situation.name);
    return;
  }

  const double cpu = static_cast<double>(ticksAfter - ticksBefore) / static_cast<double>(sysconf(_SC_CLK_TCK));
  long long wakeups = 0;
  long long cpuNs = 0;
  struct Busy {
    long long switches;
    long long cpuNs;
    std::string name;
    bool operator<(const Busy& other) const { return switches < other.switches; }
  };
  std::vector<Busy> busiest;
  for (const auto& [tid, thread] : after) {
    const auto earlier = before.find(tid);
    const bool old = earlier != before.end();
    const long long count = thread.switches - (old ? earlier->second.switches : 0);
    const long long ns = thread.cpuNs - (old ? earlier->second.cpuNs : 0);
    wakeups += count;
    cpuNs += ns;
    if (count > 0) busiest.push_back({count, ns, thread.name + "(" + std::to_string(tid) + ")"});
  }
  std::sort(busiest.rbegin(), busiest.rend());
  std::printf("%s, %.1f s: CPU %.3f s = %.3f %% of one core (stat; schedstat: %.4f s = %.3f %%), %.1f wake-ups/s over "
              "%zu threads\n",
              situation.name, wall, cpu, 100.0 * cpu / wall, static_cast<double>(cpuNs) / 1e9,
              100.0 * static_cast<double>(cpuNs) / 1e9 / wall, static_cast<double>(wakeups) / wall, after.size());
  for (size_t i = 0; i < busiest.size() && i < 4; ++i) {
    std::printf("    %-28s %.1f wake-ups/s, %.3f %% CPU\n", busiest[i].name.c_str(),
                static_cast<double>(busiest[i].switches) / wall,
                100.0 * static_cast<double>(busiest[i].cpuNs) / 1e9 / wall);
  }
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 30;
  double settle = 8;
  std::string display = ":93";
  std::string program = T640_PROGRAM;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::max(1.0, std::atof(argv[i + 1]));
    if (std::strcmp(argv[i], "--settle") == 0) settle = std::max(1.0, std::atof(argv[i + 1]));
    if (std::strcmp(argv[i], "--display") == 0) display = argv[i + 1];
    if (std::strcmp(argv[i], "--program") == 0) program = argv[i + 1];
  }
  setenv("T640_PROGRAM_FOLDER", T640_SOURCE_DIR, 0);
  setenv("DISPLAY", display.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);

  const pid_t server = Spawn({"Xvfb", display, "-screen", "0", "1600x1000x24", "-nolisten", "tcp"}, "/dev/null");
  SleepSeconds(1.5);
  const pid_t manager = Spawn({"openbox"}, "/dev/null");
  const pid_t tray = Spawn({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request", "--height",
                            "32", "--SetDockType", "true"},
                           "/dev/null");
  SleepSeconds(1.5);

  std::printf("t640 with one virtual mouse on %s (Xvfb, openbox, trayer); %.0f s settle, then %.0f s measured\n",
              display.c_str(), settle, seconds);
  const Situation situations[] = {
      {"(a) hidden in the tray, breathing", "mouse", true},
      {"(b) shown, static effect", "mouse:light=0", false},
      {"(c) shown, breathing", "mouse", false},
  };
  for (const Situation& situation : situations) Measure(program, situation, settle, seconds);

  End(tray);
  End(manager);
  End(server);
  return 0;
}
