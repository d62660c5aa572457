#include "transport/hid_path_tags.h"

#include <gtest/gtest.h>

TEST(HidPathTags, ReadsEachTagRegardlessOfCase) {
  struct Case {
    const char* path;
    uint16_t vid, pid, interface, collection;
  };
  const Case cases[] = {
      {R"(\\?\hid#vid_320f&pid_22a4&mi_01&col02#0003:320F:22A4.0007#hidraw5)", 0x320F, 0x22A4, 1, 2},
      {R"(\\?\HID#VID_320F&PID_22A4&MI_01&COL02#7&1B2C#0)", 0x320F, 0x22A4, 1, 2},
      {R"(\\?\hid#vid_0c76&pid_1630&mi_03#x#y)", 0x0C76, 0x1630, 3, 0},
      {R"(\\?\hid#bus_0005&ven_320f&dev_22a4#x#y)", 0, 0, 0, 0},
      {"", 0, 0, 0, 0},
      {"vid_123456", 0x3456, 0, 0, 0},      // wider than 16 bits: the low bits stay
      {"vid_zz&pid_", 0, 0, 0, 0},          // no digits after a tag
      {"mi_01&col0a&mi_02&col0b", 0, 0, 2, 0x0A},  // "&mi_" needs its ampersand; the first "&col" wins
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(GetVidFromPath(c.path), c.vid);
    EXPECT_EQ(GetPidFromPath(c.path), c.pid);
    EXPECT_EQ(GetInterfaceFromPath(c.path), c.interface);
    EXPECT_EQ(GetCollectionFromPath(c.path), c.collection);
  }
}
