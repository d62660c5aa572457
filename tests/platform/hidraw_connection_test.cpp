// The connection's routing, draining, time-outs and abort, against a SOCK_SEQPACKET socket pair
// that stands in for a hidraw node: one message per report, as hidraw delivers them.
#include "platform/hidraw/hidraw_connection.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/clock.h"
#include "platform/event.h"

namespace {

using Report = std::vector<uint8_t>;

// The device end of the pair; the other end goes to the connection.
class CFakeHidrawNode {
 public:
  CFakeHidrawNode() {
    int fds[2];
    EXPECT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
    hostEnd_ = fds[0];
    device_ = fds[1];
    EXPECT_EQ(fcntl(hostEnd_, F_SETFL, fcntl(hostEnd_, F_GETFL) | O_NONBLOCK), 0);
  }
  ~CFakeHidrawNode() {
    if (device_ >= 0) close(device_);
    if (observer_ >= 0) close(observer_);
  }

  // Hands the host end over. Reports of collection ids `ids`; no ids means the descriptor has none.
  std::shared_ptr<CHidrawConnection> Connect(std::vector<uint8_t> ids) {
    observer_ = dup(hostEnd_);
    HidrawReportRouting routing{!ids.empty(), std::move(ids)};
    return CHidrawConnection::Create(hostEnd_, HidAttributes{0x320F, 0x22A4, 0x0103},
                                     HidCaps{0x92, 0xFF1C, 65, 65, 0}, std::move(routing));
  }
  void Send(const Report& report) { ASSERT_EQ(write(device_, report.data(), report.size()), ssize_t(report.size())); }
  Report Receive() {
    Report report(256);
    ssize_t count = recv(device_, report.data(), report.size(), MSG_DONTWAIT);
    report.resize(count > 0 ? size_t(count) : 0);
    return report;
  }
  // True while reports wait on the host end that the connection has not taken yet.
  bool HostHasPending() {
    pollfd watched{observer_, POLLIN, 0};
    return poll(&watched, 1, 0) == 1;
  }
  // Fills the host end's send buffer, so the next write there would block.
  void FillHostSendBuffer() {
    const Report filler(4096, 0x04);
    while (write(observer_, filler.data(), filler.size()) > 0) {
    }
  }
  void UnplugDevice() {
    close(device_);
    device_ = -1;
  }

 private:
  int hostEnd_ = -1;
  int device_ = -1;
  int observer_ = -1;  // a duplicate of the host end, to look at what is left in it
};

Report ReadOne(IHidConnection& connection, uint32_t timeoutMs = 1000, HidIoStatus expected = HidIoStatus::Ok) {
  Report report(128);
  size_t count = 0;
  EXPECT_EQ(connection.Read(report.data(), report.size(), timeoutMs, &count), expected);
  report.resize(count);
  return report;
}

TEST(HidrawConnection, ReadDeliversOnlyThisCollectionsReportsInOrder) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4, 6});
  ASSERT_TRUE(connection);
  for (const Report& report : {Report{1, 9, 9}, Report{4, 0xAA}, Report{2, 0}, Report{6, 0xBB}, Report{3}}) {
    node.Send(report);
  }
  EXPECT_EQ(ReadOne(*connection), (Report{4, 0xAA}));
  EXPECT_EQ(ReadOne(*connection), (Report{6, 0xBB}));
  EXPECT_TRUE(ReadOne(*connection, 0, HidIoStatus::TimedOut).empty());
}

TEST(HidrawConnection, DescriptorWithoutReportIdsGetsAZeroByteInFront) {
  CFakeHidrawNode node;
  auto connection = node.Connect({});
  node.Send({0x01, 0x02, 0x03});
  EXPECT_EQ(ReadOne(*connection), (Report{0x00, 0x01, 0x02, 0x03}));
}

TEST(HidrawConnection, ReadCopiesNoMoreThanTheCallerAskedFor) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4});
  node.Send({4, 1, 2, 3, 4});
  uint8_t buffer[3] = {};
  size_t count = 0;
  ASSERT_EQ(connection->Read(buffer, sizeof buffer, 1000, &count), HidIoStatus::Ok);
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(Report(buffer, buffer + 3), (Report{4, 1, 2}));
}

TEST(HidrawConnection, ReplyArrivesBehindAHundredForeignReports) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4});
  for (int i = 0; i < 100; ++i) node.Send({1, uint8_t(i), 0, 0, 0, 0, 0});
  node.Send({4, 0x11});  // a report of ours already waiting behind them

  const Report command = {4, 0x80, 0x01};
  size_t written = 0;
  ASSERT_EQ(connection->Write(command.data(), command.size(), 1000, &written), HidIoStatus::Ok);
  EXPECT_EQ(written, command.size());
  EXPECT_EQ(node.Receive(), command);
  // The write emptied the node first, so the kernel's queue would have room for the reply.
  EXPECT_FALSE(node.HostHasPending());

  node.Send({2, 0});
  node.Send({4, 0x80, 0x00});
  EXPECT_EQ(ReadOne(*connection), (Report{4, 0x11}));
  EXPECT_EQ(ReadOne(*connection), (Report{4, 0x80, 0x00}));
}

TEST(HidrawConnection, OnlyTheNewestQueuedReportsOfThisCollectionAreKept) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4});
  const size_t sent = CHidrawConnection::kMaxQueuedReports + 5;
  for (size_t i = 0; i < sent; ++i) node.Send({4, uint8_t(i)});
  connection->Write(Report{4}.data(), 1, 1000, nullptr);
  EXPECT_EQ(ReadOne(*connection), (Report{4, 5}));
}

TEST(HidrawConnection, ReadTimesOutAfterItsTimeOut) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4});
  node.Send({1, 0});  // a foreign report wakes the wait but must not end it
  const uint64_t start = GetTickCountMs();
  ReadOne(*connection, 200, HidIoStatus::TimedOut);
  const uint64_t elapsed = GetTickCountMs() - start;
  EXPECT_GE(elapsed, 199u);
  EXPECT_LT(elapsed, 1500u);
}

TEST(HidrawConnection, WriteTimesOutWhileTheNodeTakesNothing) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4});
  node.FillHostSendBuffer();
  const Report command = {4, 0x80};
  EXPECT_EQ(connection->Write(command.data(), command.size(), 100, nullptr), HidIoStatus::TimedOut);
}

TEST(HidrawConnection, AbortReleasesAnUnlimitedReadAtOnceAndEveryLaterTransfer) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4});
  std::atomic<uint64_t> returnedAt{0};
  HidIoStatus status = HidIoStatus::Ok;
  std::thread reader([&] {
    uint8_t buffer[65];
    status = connection->Read(buffer, sizeof buffer, kInfiniteWait, nullptr);
    returnedAt = GetTickCountMs();
  });
  SleepMs(50);
  const uint64_t abortedAt = GetTickCountMs();
  connection->Abort();
  reader.join();
  EXPECT_EQ(status, HidIoStatus::Aborted);
  EXPECT_LT(returnedAt - abortedAt, 500u);

  node.Send({4, 1});
  ReadOne(*connection, 1000, HidIoStatus::Aborted);
  const Report command = {4, 0x80};
  EXPECT_EQ(connection->Write(command.data(), command.size(), 1000, nullptr), HidIoStatus::Aborted);
  EXPECT_FALSE(connection->SetOutputReport(command.data(), command.size()));
}

TEST(HidrawConnection, AbortReleasesAWriteWaitingForTheNode) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4});
  node.FillHostSendBuffer();
  HidIoStatus status = HidIoStatus::Ok;
  std::thread writer([&] {
    const Report command = {4, 0x80};
    status = connection->Write(command.data(), command.size(), kInfiniteWait, nullptr);
  });
  SleepMs(50);
  connection->Abort();
  writer.join();
  EXPECT_EQ(status, HidIoStatus::Aborted);
}

TEST(HidrawConnection, UnpluggedDeviceFailsAfterItsLastReply) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4});
  node.Send({4, 0x42});
  node.UnplugDevice();
  EXPECT_EQ(ReadOne(*connection), (Report{4, 0x42}));
  ReadOne(*connection, kInfiniteWait, HidIoStatus::Failed);
  const Report command = {4, 0x80};
  EXPECT_EQ(connection->Write(command.data(), command.size(), 1000, nullptr), HidIoStatus::Failed);
}

TEST(HidrawConnection, UnplugWakesAReaderWaitingWithoutLimit) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4});
  HidIoStatus status = HidIoStatus::Ok;
  std::thread reader([&] {
    uint8_t buffer[65];
    status = connection->Read(buffer, sizeof buffer, kInfiniteWait, nullptr);
  });
  SleepMs(20);
  node.UnplugDevice();
  reader.join();
  EXPECT_EQ(status, HidIoStatus::Failed);
}

TEST(HidrawConnection, FlushDiscardsQueuedAndWaitingReports) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4});
  node.Send({4, 1});
  connection->Write(Report{4}.data(), 1, 1000, nullptr);  // moves report 1 into the local queue
  node.Receive();
  node.Send({4, 2});
  connection->FlushInput();
  node.Send({4, 3});
  EXPECT_EQ(ReadOne(*connection), (Report{4, 3}));
}

TEST(HidrawConnection, SetOutputReportFallsBackToAWriteWithoutTheIoctl) {
  CFakeHidrawNode node;
  auto connection = node.Connect({4});
  const Report report = {0xFF, 1, 2, 3};
  EXPECT_TRUE(connection->SetOutputReport(report.data(), report.size()));
  EXPECT_EQ(node.Receive(), report);
}

}  // namespace
