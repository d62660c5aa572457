// Machines without a system bus or without logind: Start() fails with a reason and the program
// carries on without notices.
#include <gtest/gtest.h>

#include <QDBusConnection>

#include <ostream>
#include <string>

#include "platform/sleep_notices/sleep_notices.h"
#include "sleep_test_support.h"

namespace {

struct UnreachableBusCase {
  const char* name;
  const char* busAddress;  // empty: the system bus, pointed at a missing socket for all tests
};

void PrintTo(const UnreachableBusCase& c, std::ostream* out) { *out << c.name; }

class SleepNoticesUnreachableBusTest : public CQtDBusTest, public testing::WithParamInterface<UnreachableBusCase> {};
using SleepNoticesTest = CQtDBusTest;

TEST_P(SleepNoticesUnreachableBusTest, StartFailsWithAReasonAndNothingIsSubscribed) {
  CSleepNotices notices(GetParam().busAddress);
  int calls = 0;
  EXPECT_FALSE(notices.Start([&](bool) { ++calls; }));
  EXPECT_FALSE(notices.IsStarted());
  EXPECT_NE(notices.FailureReason().find("cannot reach"), std::string::npos) << notices.FailureReason();
  notices.Stop();
  EXPECT_FALSE(notices.IsStarted());
  EXPECT_EQ(calls, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Buses, SleepNoticesUnreachableBusTest,
    testing::Values(UnreachableBusCase{"SystemBusSocketMissing", ""},
                    UnreachableBusCase{"PrivateBusSocketMissing", "unix:path=/nonexistent/t640-tests/private_bus_socket"},
                    UnreachableBusCase{"NotADBusAddress", "no bus here"}),
    [](const testing::TestParamInfo<UnreachableBusCase>& info) { return std::string(info.param.name); });

TEST_F(SleepNoticesTest, MissingSystemBusSocketIsReportedAsNotConnected) {
  // What the failure above rests on: Qt D-Bus gives up at once on a socket that is not there.
  EXPECT_FALSE(QDBusConnection::systemBus().isConnected());
}

TEST(SleepNoticesHandlerTest, EmptyHandlerIsRefused) {
  CSleepNotices notices;
  EXPECT_FALSE(notices.Start(nullptr));
  EXPECT_FALSE(notices.IsStarted());
  EXPECT_FALSE(notices.FailureReason().empty());
}

TEST_F(SleepNoticesTest, BusWithoutLogindIsRefused) {
  CPrivateBus bus;
  if (!bus.IsRunning()) GTEST_SKIP() << "no private bus: " << bus.Problem();
  CSleepNotices notices(bus.Address());
  EXPECT_FALSE(notices.Start([](bool) {}));
  EXPECT_FALSE(notices.IsStarted());
  EXPECT_NE(notices.FailureReason().find("logind is not running"), std::string::npos) << notices.FailureReason();
}

}  // namespace
