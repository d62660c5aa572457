// The session's end signals become one orderly request each, and the handlers go back as found.

#include "platform/termination_signals.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

class TerminationSignalsTest : public testing::Test {
 protected:
  void SetUp() override {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_IGN);
  }
  void TearDown() override {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_DFL);
  }

  bool Start() {
    return signals_.Start([this](int signal) {
      std::lock_guard guard(mutex_);
      requests_.push_back(signal);
      changed_.notify_all();
    });
  }
  std::vector<int> RequestsWhenCount(size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(5), [&] { return requests_.size() >= count; });
    return requests_;
  }
  static void (*HandlerOf(int signal))(int) {
    struct sigaction current = {};
    sigaction(signal, nullptr, &current);
    return current.sa_handler;
  }

  CTerminationSignals signals_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<int> requests_;
};

TEST_F(TerminationSignalsTest, EachEndSignalIsOneRequestAndTheNextOfItsKindWouldEndTheProgram) {
  ASSERT_TRUE(Start());
  raise(SIGTERM);
  raise(SIGINT);
  raise(SIGHUP);
  EXPECT_EQ(RequestsWhenCount(3), (std::vector<int>{SIGTERM, SIGINT, SIGHUP}));
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) EXPECT_EQ(HandlerOf(signal), SIG_DFL) << signal;
  signals_.Stop();
}

TEST_F(TerminationSignalsTest, StopPutsBackTheHandlersItFound) {
  ASSERT_TRUE(Start());
  EXPECT_NE(HandlerOf(SIGTERM), SIG_IGN);
  signals_.Stop();
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) EXPECT_EQ(HandlerOf(signal), SIG_IGN) << signal;
  EXPECT_TRUE(Start()) << "can start again after a stop";
}

}  // namespace
