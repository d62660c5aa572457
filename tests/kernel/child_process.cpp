#include "child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/clock.h"

extern char** environ;

namespace {

// The player's environment: ours (sanitizer options included) with the player's home and name.
std::vector<std::string> PlayerEnvironment() {
  std::vector<std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    const std::string variable = *entry;
    if (variable.rfind("HOME=", 0) == 0 || variable.rfind("USER=", 0) == 0 || variable.rfind("LOGNAME=", 0) == 0) {
      continue;
    }
    variables.push_back(variable);
  }
  variables.insert(variables.end(), {"HOME=/home/player", "USER=player", "LOGNAME=player"});
  return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

CChildProcess::~CChildProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (pipe_ >= 0) close(pipe_);
}

bool CChildProcess::Start(const std::vector<std::string>& argv, bool asPlayer) {
  if (argv.empty() || pid_ > 0) return false;
  // Everything the child needs is prepared here: after fork it may only make plain system calls.
  std::vector<std::string> arguments = argv;
  std::vector<char*> argumentPointers = Pointers(arguments);
  std::vector<std::string> environment = asPlayer ? PlayerEnvironment() : std::vector<std::string>{};
  std::vector<char*> environmentPointers = Pointers(environment);
  char** childEnvironment = asPlayer ? environmentPointers.data() : environ;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);

  pid_ = fork();
  if (pid_ == 0) {
    dup2(devNull, STDIN_FILENO);
    dup2(fds[1], STDOUT_FILENO);
    dup2(fds[1], STDERR_FILENO);
    if (asPlayer && (setgroups(0, nullptr) != 0 || setgid(kPlayerId) != 0 || setuid(kPlayerId) != 0 ||
                     chdir("/home/player") != 0)) {
      _exit(126);
    }
    execve(argumentPointers[0], argumentPointers.data(), childEnvironment);
    _exit(127);
  }
  close(fds[1]);
  if (devNull >= 0) close(devNull);
  if (pid_ < 0) {
    close(fds[0]);
    return false;
  }
  pipe_ = fds[0];
  return true;
}

bool CChildProcess::ReadSome(uint64_t deadlineMs) {
  const uint64_t now = GetTickCountMs();
  if (pipe_ < 0 || now >= deadlineMs) return false;
  pollfd watched{pipe_, POLLIN, 0};
  const int ready = poll(&watched, 1, static_cast<int>(std::min<uint64_t>(deadlineMs - now, INT_MAX)));
  if (ready < 0) return errno == EINTR;
  if (ready == 0) return false;
  char chunk[4096];
  const ssize_t count = read(pipe_, chunk, sizeof chunk);
  if (count < 0) return errno == EINTR;
  if (count == 0) {
    close(pipe_);
    pipe_ = -1;
    return false;
  }
  output_.append(chunk, static_cast<size_t>(count));
  return true;
}

bool CChildProcess::WaitForOutput(const std::string& text, uint32_t timeoutMs) {
  const uint64_t deadline = GetTickCountMs() + timeoutMs;
  while (output_.find(text) == std::string::npos) {
    if (!ReadSome(deadline)) return output_.find(text) != std::string::npos;
  }
  return true;
}

std::optional<int> CChildProcess::WaitForExit(uint32_t timeoutMs) {
  if (pid_ <= 0) return std::nullopt;
  const uint64_t deadline = GetTickCountMs() + timeoutMs;
  while (pipe_ >= 0) {
    if (!ReadSome(deadline) && pipe_ >= 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
      return std::nullopt;
    }
  }
  // The output ended, so the child has closed its end: it has exited or is about to.
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + WTERMSIG(status);
}

void CChildProcess::Signal(int signalNumber) {
  if (pid_ > 0) kill(pid_, signalNumber);
}

std::optional<ChildResult> RunChild(const std::vector<std::string>& argv, bool asPlayer, uint32_t timeoutMs) {
  CChildProcess child;
  if (!child.Start(argv, asPlayer)) return std::nullopt;
  std::optional<int> status = child.WaitForExit(timeoutMs);
  if (!status) return std::nullopt;
  return ChildResult{*status, child.Output()};
}
