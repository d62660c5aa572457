#pragma once
// What the desktop bus tests share: a private bus folder per test, windows that run on their own
// owner thread, and raw connections that write whatever bytes a test wants.
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop_bus/bus_socket.h"
#include "platform/desktop_bus/desktop_bus_endpoint.h"

// Guards waits for something that should happen at once, so a broken build fails instead of
// hanging; no test depends on how long anything takes.
inline constexpr int kBusTestGuardMs = 10000;

// A fresh 0700 folder for one test's bus, removed with everything in it afterwards.
class CTempBusFolder {
 public:
  CTempBusFolder() {
    std::string pattern = "/tmp/t640-bus-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create a temporary folder";
    path_ = pattern;
  }
  ~CTempBusFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  CTempBusFolder(const CTempBusFolder&) = delete;
  CTempBusFolder& operator=(const CTempBusFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
    return names;
  }

 private:
  std::string path_;
};

inline DesktopMessage MakeMessage(std::string name, int64_t wParam = 0, int64_t lParam = 0, std::string data = {}) {
  DesktopMessage message;
  message.name = std::move(name);
  message.wParam = wParam;
  message.lParam = lParam;
  message.payload.assign(data.begin(), data.end());
  return message;
}

// True once `fd` is readable, within the guard.
inline bool WaitReadable(int fd) {
  pollfd watched{fd, POLLIN, 0};
  return poll(&watched, 1, kBusTestGuardMs) == 1;
}

// A window on the bus whose owner thread opens it, dispatches until the object goes and closes
// it. Every message is recorded before `reaction` runs; the reaction's result is the answer.
class CBusWindowThread {
 public:
  using Reaction = std::function<int64_t(CDesktopBusEndpoint& self, const DesktopMessage& message)>;

  CBusWindowThread(const std::string& folder, std::string className, std::string title, Reaction reaction = {})
      : reaction_(std::move(reaction)), stop_(MakeEventFd()) {
    thread_ = std::thread([this, folder, className, title] {
      CDesktopBusEndpoint endpoint(folder, [this, &endpoint](const DesktopMessage& message) {
        Record(message);
        return reaction_ ? reaction_(endpoint, message) : 0;
      });
      std::string error;
      const bool ok = endpoint.Open(className, title, error);
      EXPECT_TRUE(ok) << error;
      {
        std::lock_guard guard(lock_);
        address_ = endpoint.Address();
        opened_ = true;
      }
      changed_.notify_all();
      if (ok) endpoint.DispatchUntil(stop_.Get());
    });
    std::unique_lock guard(lock_);
    changed_.wait(guard, [&] { return opened_; });
  }
  ~CBusWindowThread() {
    SignalEventFd(stop_.Get());
    thread_.join();
  }

  const std::string& Address() const { return address_; }

  // Waits (within the guard) until `count` messages have arrived; returns all so far.
  std::vector<DesktopMessage> WaitForMessages(size_t count) {
    std::unique_lock guard(lock_);
    changed_.wait_for(guard, std::chrono::milliseconds(kBusTestGuardMs), [&] { return received_.size() >= count; });
    return received_;
  }

 private:
  void Record(const DesktopMessage& message) {
    {
      std::lock_guard guard(lock_);
      received_.push_back(message);
    }
    changed_.notify_all();
  }

  const Reaction reaction_;
  CUniqueFd stop_;
  std::string address_;
  std::mutex lock_;
  std::condition_variable changed_;
  bool opened_ = false;
  std::vector<DesktopMessage> received_;
  std::thread thread_;
};

// Names of the messages, in arrival order.
inline std::vector<std::string> NamesOf(const std::vector<DesktopMessage>& messages) {
  std::vector<std::string> names;
  for (const DesktopMessage& message : messages) names.push_back(message.name);
  return names;
}

// A plain connection to a socket path, for writing bytes that no client of the bus would.
inline CUniqueFd ConnectRaw(const std::string& path) {
  CUniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  if (connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) fd.Reset();
  return fd;
}

// True when the other end closes the connection (within the guard).
inline bool WaitForPeerClose(int fd) {
  char byte;
  return WaitReadable(fd) && recv(fd, &byte, 1, 0) <= 0;
}
