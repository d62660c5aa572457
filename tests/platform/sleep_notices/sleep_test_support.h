#pragma once
// What the suspend-notice tests share: the Qt application they run under (created once per test
// program, with the system bus address pointed at a socket that does not exist), a private bus
// daemon per test and a stand-in for logind on it.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

#include <functional>
#include <string>

// Guards waits for something that should happen at once, so a broken build fails instead of
// hanging; no test depends on how long anything takes.
inline constexpr int kSleepTestGuardMs = 10000;

// Where every test program looks for the system bus: nowhere, so no test reaches the real one.
inline constexpr const char* kMissingSystemBus = "unix:path=/nonexistent/t640-tests/system_bus_socket";

#if defined(__SANITIZE_THREAD__)
inline constexpr bool kThreadSanitizerBuild = true;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
inline constexpr bool kThreadSanitizerBuild = true;
#else
inline constexpr bool kThreadSanitizerBuild = false;
#endif
#else
inline constexpr bool kThreadSanitizerBuild = false;
#endif

// For every test that opens a D-Bus connection. Qt D-Bus runs each connection on a worker thread
// and hands its results over with Qt's own locks inside the uninstrumented Qt libraries, which
// ThreadSanitizer reports as races. The notices share nothing between threads themselves, so
// these tests are left to the other builds.
class CQtDBusTest : public testing::Test {
 protected:
  void SetUp() override {
    if (kThreadSanitizerBuild) GTEST_SKIP() << "Qt D-Bus synchronises where ThreadSanitizer cannot see it";
  }
};

// Runs the user-interface thread's events until the condition holds or the guard runs out.
bool PumpUntil(const std::function<bool()>& condition);

// A dbus-daemon of this test alone, listening in a temporary folder. Not running (with the
// reason in Problem()) when dbus-daemon is not installed or did not start.
class CPrivateBus {
 public:
  CPrivateBus();
  ~CPrivateBus();
  CPrivateBus(const CPrivateBus&) = delete;
  CPrivateBus& operator=(const CPrivateBus&) = delete;

  bool IsRunning() const { return !address_.empty(); }
  const std::string& Address() const { return address_; }
  const std::string& Problem() const { return problem_; }

 private:
  QTemporaryDir folder_;
  QProcess daemon_;
  std::string address_;
  std::string problem_;
};

// A process on the bus that sends logind's PrepareForSleep. With `ownsLogindName` it holds
// logind's well-known name, as the real one does; without it, it is some other program sending
// on logind's object path and interface.
class CFakeLogind {
 public:
  explicit CFakeLogind(const std::string& busAddress, bool ownsLogindName = true);
  ~CFakeLogind();
  CFakeLogind(const CFakeLogind&) = delete;
  CFakeLogind& operator=(const CFakeLogind&) = delete;

  bool IsReady() const { return ready_; }
  void SendPrepareForSleep(bool start) { SendPrepareForSleepWith({start}); }
  // The signal with any arguments, including ones logind never sends.
  void SendPrepareForSleepWith(const QVariantList& arguments);
  // Returns once the bus has passed on everything sent so far: it handles one sender's messages
  // in order, so a round trip after them proves they were routed.
  void Flush();

 private:
  QString connectionName_;
  QDBusConnection bus_;
  bool ready_ = false;
};
