// main() of the kernel check programs: googletest with one "PASS: Suite.Test" or "FAIL: Suite.Test"
// line per check on standard output, which the stage's log shows next to the VM's own lines.
// googletest's own output is cut down to the failures and their messages.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "check_options.h"

namespace {

class CPassFailPrinter : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo& info) override {
    const testing::TestResult& result = *info.result();
    // A skipped check counts as failed: the stage must never pass on something it did not check.
    std::printf("%s: %s.%s (%lld ms)\n", result.Passed() ? "PASS" : "FAIL", info.test_suite_name(), info.name(),
                static_cast<long long>(result.elapsed_time()));
    std::fflush(stdout);
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Before InitGoogleTest, which picks the printer, so a --gtest_brief=0 given by hand still wins.
  GTEST_FLAG_SET(brief, true);
  testing::InitGoogleTest(&argc, argv);
  if (!ParseKernelCheckOptions(argc, argv)) return 2;
  if (geteuid() != 0) {
    std::printf("FAIL: the kernel checks create uhid devices and must run as root\n");
    return 1;
  }
  testing::UnitTest::GetInstance()->listeners().Append(new CPassFailPrinter);
  return RUN_ALL_TESTS();
}
