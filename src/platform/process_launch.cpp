#include "platform/process_launch.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;

bool StartDetachedProgram(const std::string& path, const std::vector<std::string>& arguments) {
  if (access(path.c_str(), X_OK) != 0) return false;
  const std::string folder = path.substr(0, path.find_last_of('/') + 1);
  std::vector<std::string> argv = {path};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> raw;
  for (std::string& argument : argv) raw.push_back(argument.data());
  raw.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // Its own session, so closing our terminal or our process group leaves it running.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t child = 0;
  const int result = posix_spawn(&child, path.c_str(), &actions, &attributes, raw.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) return false;
  // Reaped by a thread of its own, so the program never keeps a zombie and no process-wide
  // SIGCHLD setting changes under code that waits for its own children.
  std::thread([child] { waitpid(child, nullptr, 0); }).detach();
  return true;
}
