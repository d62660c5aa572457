#include "platform/desktop_bus/single_instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <cstring>

#include "platform/desktop_bus/window_directory.h"

CSingleInstanceLock::CSingleInstanceLock(std::string folder, std::string name)
    : folder_(std::move(folder)), name_(std::move(name)) {}

std::string CSingleInstanceLock::LockFilePath() const {
  return folder_ + "/" + PercentEscape(name_, true) + ".lock";
}

CSingleInstanceLock::Outcome CSingleInstanceLock::Acquire(std::string& error) {
  if (IsHeld()) return Outcome::First;
  if (name_.empty()) {
    error = "the single-instance lock needs a name";
    return Outcome::Unavailable;
  }
  const std::string path = LockFilePath();
  CUniqueFd file(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (!file.Valid()) {
    error = "cannot open the lock file " + path + ": " + std::strerror(errno);
    return Outcome::Unavailable;
  }
  int locked;
  do {
    locked = flock(file.Get(), LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    if (errno == EWOULDBLOCK) return Outcome::AnotherIsRunning;
    error = "cannot lock " + path + ": " + std::strerror(errno);
    return Outcome::Unavailable;
  }
  file_ = std::move(file);
  return Outcome::First;
}
