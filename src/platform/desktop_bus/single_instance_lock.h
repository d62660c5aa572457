#pragma once
#include <string>

#include "platform/desktop_bus/bus_socket.h"

// The name T640's own lock goes by; the tools look at it to tell whether the program runs.
inline constexpr const char* kT640InstanceName = "Kestrune T640";

// Makes sure one copy of a program runs per user: an exclusive flock on "<folder>/<name>.lock"
// (the name percent-escaped where a file name needs it). The kernel drops the lock when the
// holder exits however it ends, so a lock file left by a crashed copy blocks nobody. The file is
// never removed: removing it while another copy has it open would let two copies hold locks on
// two different files.
class CSingleInstanceLock {
 public:
  enum class Outcome {
    First,             // we hold the lock until Release or destruction
    AnotherIsRunning,  // a running copy holds it
    Unavailable,       // the lock file could not be opened or locked; the reason is in `error`
  };

  // `folder` is normally the bus folder (bus_folder.h), prepared by the caller.
  CSingleInstanceLock(std::string folder, std::string name);

  Outcome Acquire(std::string& error);
  bool IsHeld() const { return file_.Valid(); }
  void Release() { file_.Reset(); }
  std::string LockFilePath() const;

 private:
  const std::string folder_;
  const std::string name_;
  CUniqueFd file_;
};
