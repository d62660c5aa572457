// The single-instance lock: one holder at a time, across processes, and nothing left behind by a
// copy that died.
#include "platform/desktop_bus/single_instance_lock.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/platform/desktop_bus/bus_test_support.h"

namespace {

using Outcome = CSingleInstanceLock::Outcome;

constexpr const char* kName = "Kestrune T640";

TEST(SingleInstanceLock, SecondCopyIsTurnedAwayUntilTheFirstLetsGo) {
  CTempBusFolder folder;
  std::string error;
  auto first = std::make_unique<CSingleInstanceLock>(folder.Path(), kName);
  ASSERT_EQ(first->Acquire(error), Outcome::First) << error;
  EXPECT_EQ(first->LockFilePath(), folder.Path() + "/Kestrune T640.lock");

  CSingleInstanceLock second(folder.Path(), kName);
  EXPECT_EQ(second.Acquire(error), Outcome::AnotherIsRunning);
  EXPECT_FALSE(second.IsHeld());
  CSingleInstanceLock otherProgram(folder.Path(), "Another program");
  EXPECT_EQ(otherProgram.Acquire(error), Outcome::First);

  first->Release();
  EXPECT_EQ(second.Acquire(error), Outcome::First);
  second.Release();
  first.reset();
  CSingleInstanceLock third(folder.Path(), kName);
  EXPECT_EQ(third.Acquire(error), Outcome::First);
}

TEST(SingleInstanceLock, CopyInAnotherProcessHoldsItUntilItExits) {
  CTempBusFolder folder;
  int held[2];
  int release[2];
  ASSERT_EQ(pipe(held), 0);
  ASSERT_EQ(pipe(release), 0);
  const pid_t child = fork();
  if (child == 0) {
    close(held[0]);
    close(release[1]);
    std::string error;
    CSingleInstanceLock lock(folder.Path(), kName);
    const char state = lock.Acquire(error) == Outcome::First ? 'y' : 'n';
    [[maybe_unused]] ssize_t ignored = write(held[1], &state, 1);
    char byte;
    ignored = read(release[0], &byte, 1);
    _exit(0);  // holds the lock until here, and never releases it itself
  }
  close(held[1]);
  close(release[0]);
  char state = 0;
  ASSERT_EQ(read(held[0], &state, 1), 1);
  ASSERT_EQ(state, 'y');

  std::string error;
  CSingleInstanceLock lock(folder.Path(), kName);
  EXPECT_EQ(lock.Acquire(error), Outcome::AnotherIsRunning);
  close(release[1]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(std::filesystem::exists(lock.LockFilePath())) << "the dead copy's lock file is still there";
  EXPECT_EQ(lock.Acquire(error), Outcome::First) << "and blocks nobody";
  close(held[0]);
}

TEST(SingleInstanceLock, MissingFolderMakesTheLockUnavailableWithAReason) {
  CTempBusFolder folder;
  CSingleInstanceLock lock(folder.Path() + "/missing", kName);
  std::string error;
  EXPECT_EQ(lock.Acquire(error), Outcome::Unavailable);
  EXPECT_NE(error.find("missing/Kestrune T640.lock"), std::string::npos) << error;
}

TEST(SingleInstanceLock, NameCannotPointOutsideTheFolder) {
  CTempBusFolder folder;
  CSingleInstanceLock lock(folder.Path(), "../escape");
  std::string error;
  ASSERT_EQ(lock.Acquire(error), Outcome::First) << error;
  EXPECT_EQ(lock.LockFilePath(), folder.Path() + "/%2E.%2Fescape.lock");
}

}  // namespace
