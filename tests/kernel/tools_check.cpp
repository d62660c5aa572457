// The tools against the kernel: t640-uhid runs virtual devices until it is stopped, t640ctl finds
// and reads them as hardware, and a plain user without the udev rule is told what is wrong (by
// `list` and by `doctor`).
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <regex>

#include "check_options.h"
#include "child_process.h"

namespace {

// Generous: these are sanitizer builds under software emulation.
constexpr uint32_t kToolTimeoutMs = 30000;

// The /dev/hidrawN nodes t640-uhid says it made.
std::vector<std::string> NodesIn(const std::string& output) {
  std::vector<std::string> nodes;
  const std::regex node(R"((/dev/hidraw[0-9]+))");
  for (auto match = std::sregex_iterator(output.begin(), output.end(), node); match != std::sregex_iterator();
       ++match) {
    nodes.push_back((*match)[1]);
  }
  return nodes;
}

size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

class KernelTools : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(CheckOptions().t640ctl.empty() || CheckOptions().t640Uhid.empty())
        << "run with --t640ctl=PATH --t640-uhid=PATH";
  }

  // Starts t640-uhid as root and waits until its devices are there.
  ::testing::AssertionResult StartDevices(const std::string& list) {
    if (!devices_.Start({CheckOptions().t640Uhid, list}, false)) return ::testing::AssertionFailure() << "no start";
    if (!devices_.WaitForOutput("ready", kToolTimeoutMs)) {
      return ::testing::AssertionFailure() << "t640-uhid never got ready:\n" << devices_.Output();
    }
    return ::testing::AssertionSuccess();
  }

  std::optional<ChildResult> T640ctl(const std::string& command, bool asPlayer) {
    return RunChild({CheckOptions().t640ctl, command}, asPlayer, kToolTimeoutMs);
  }

  CChildProcess devices_;
};

TEST_F(KernelTools, T640ctlReadsTheDevicesOfT640UhidAsHardwareUntilTheyAreStopped) {
  ASSERT_TRUE(StartDevices("mouse:sensor=12548,mouse-receiver"));
  const std::vector<std::string> nodes = NodesIn(devices_.Output());
  ASSERT_EQ(nodes.size(), 4u) << devices_.Output();
  for (const std::string& node : nodes) EXPECT_EQ(access(node.c_str(), F_OK), 0) << node;

  std::optional<ChildResult> list = T640ctl("list", false);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->status, 0) << list->output;
  EXPECT_EQ(CountOf(list->output, "  yes\n"), 4u) << list->output;

  std::optional<ChildResult> info = T640ctl("info", false);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->status, 0) << info->output;
  EXPECT_NE(info->output.find(R"("connection":"cable")"), std::string::npos) << info->output;
  EXPECT_NE(info->output.find(R"("connection":"receiver")"), std::string::npos) << info->output;
  EXPECT_EQ(CountOf(info->output, R"("sensorId":12548)"), 2u) << "both connections reach the same mouse";
  EXPECT_EQ(info->output.find(R"("error")"), std::string::npos) << info->output;

  devices_.Signal(SIGTERM);
  std::optional<int> status = devices_.WaitForExit(kToolTimeoutMs);
  ASSERT_TRUE(status);
  EXPECT_EQ(*status, 0) << devices_.Output();
  for (const std::string& node : nodes) EXPECT_NE(access(node.c_str(), F_OK), 0) << node << " outlived t640-uhid";
}

TEST_F(KernelTools, ListAsAPlainUserNamesThePermissionProblemAndTheRule) {
  ASSERT_TRUE(StartDevices("mouse"));
  std::optional<ChildResult> list = T640ctl("list", true);
  ASSERT_TRUE(list);
  // Enumeration needs only sysfs, so the user sees both interfaces and why they cannot be used.
  EXPECT_EQ(CountOf(list->output, "no: permission denied"), 2u) << list->output;
  EXPECT_EQ(CountOf(list->output, "packaging/70-t640.rules"), 2u) << list->output;
  EXPECT_EQ(list->output.find("  yes\n"), std::string::npos) << list->output;
}

TEST_F(KernelTools, DoctorFindsTheDevicesOpenForRootAndNamesTheRuleToAPlainUser) {
  ASSERT_TRUE(StartDevices("mouse"));
  std::optional<ChildResult> root = RunChild({CheckOptions().t640ctl, "doctor", "--json"}, false, kToolTimeoutMs);
  ASSERT_TRUE(root);
  EXPECT_NE(root->output.find(R"({"check":"devices","finding":"2 supported interface(s), all of them open","fix":"",)"
                              R"("ok":true})"),
            std::string::npos)
      << root->output;
  EXPECT_EQ(root->status, 1) << "no display here: " << root->output;

  std::optional<ChildResult> player = RunChild({CheckOptions().t640ctl, "doctor"}, true, kToolTimeoutMs);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->status, 1) << player->output;
  EXPECT_NE(player->output.find("FAIL  devices: 2 supported interface(s), 2 that this user may not open\n"
                                "      fix: install the udev rule packaging/70-t640.rules"),
            std::string::npos)
      << player->output;
}

TEST_F(KernelTools, T640UhidSaysWhyItCannotMakeDevices) {
  std::optional<ChildResult> forbidden = RunChild({CheckOptions().t640Uhid, "mouse"}, true, kToolTimeoutMs);
  ASSERT_TRUE(forbidden);
  EXPECT_EQ(forbidden->status, 1);
  EXPECT_NE(forbidden->output.find("no permission to open /dev/uhid"), std::string::npos) << forbidden->output;

  std::optional<ChildResult> missing =
      RunChild({CheckOptions().t640Uhid, "--uhid=/dev/t640-no-uhid", "mouse"}, false, kToolTimeoutMs);
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->status, 1);
  EXPECT_NE(missing->output.find("/dev/t640-no-uhid does not exist"), std::string::npos) << missing->output;
  EXPECT_NE(missing->output.find("modprobe uhid"), std::string::npos) << missing->output;
}

}  // namespace
