// What can be checked of the backend on any machine, with or without HID devices attached.
#include "platform/hidraw/hidraw_backend.h"

#include <gtest/gtest.h>

#include "platform/hid/hid_interface_path.h"

namespace {

TEST(HidrawBackend, EnumeratesThisMachineIntoParsablePaths) {
  CHidrawBackend backend;
  std::vector<std::string> paths = {"stale"};
  ASSERT_TRUE(backend.EnumerateInterfaces(paths));  // an empty list is fine: there may be no HID devices
  for (const std::string& path : paths) {
    auto parts = ParseHidInterfacePath(path);
    ASSERT_TRUE(parts) << path;
    EXPECT_EQ(parts->node.rfind("hidraw", 0), 0u) << path;
  }
}

TEST(HidrawBackend, PathsThatNameNoAttachedNodeAreNotFoundAndNotPresent) {
  CHidrawBackend backend;
  for (const char* path : {R"(\\?\hid#vid_320f&pid_22a4&mi_01&col02#0003:320F:22A4.FFFF#hidraw999999)",
                           R"(\\?\hid#vid_320f&pid_22a4#0003:320F:22A4.0001#hidraw0/../../null)",
                           R"(\\?\hid#vid_320f&pid_22a4##hidraw0)", "/dev/hidraw0", ""}) {
    HidOpenError error = HidOpenError::None;
    EXPECT_EQ(backend.Open(path, HidOpenMode{}, &error), nullptr) << path;
    EXPECT_EQ(error, HidOpenError::NotFound) << path;
    EXPECT_FALSE(backend.IsPresent(path)) << path;
  }
}

TEST(HidrawBackend, ChangeGenerationNeverGoesBack) {
  CHidrawBackend backend;
  const uint64_t first = backend.ChangeGeneration();
  EXPECT_GE(backend.ChangeGeneration(), first);
}

}  // namespace
