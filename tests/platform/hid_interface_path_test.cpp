#include "platform/hid/hid_interface_path.h"

#include <gtest/gtest.h>

TEST(HidInterfacePath, BuildsTheWindowsTagLayoutAndParsesItBack) {
  struct Case {
    HidInterfacePathParts parts;
    const char* expected;
  };
  const Case cases[] = {
      {{true, 3, 0x320F, 0x22A4, 1, 2, "0003:320F:22A4.0007", "hidraw5"},
       R"(\\?\hid#vid_320f&pid_22a4&mi_01&col02#0003:320F:22A4.0007#hidraw5)"},
      {{true, 3, 0x0C76, 0x1630, 3, 0, "0003:0C76:1630.0001", "hidraw0"},
       R"(\\?\hid#vid_0c76&pid_1630&mi_03#0003:0C76:1630.0001#hidraw0)"},
      {{true, 3, 0x046D, 0xC077, -1, 0, "x", "y"}, R"(\\?\hid#vid_046d&pid_c077#x#y)"},
      {{false, 5, 0x320F, 0x22A4, -1, 3, "0005:320F:22A4.0009", "hidraw9"},
       R"(\\?\hid#bus_0005&ven_320f&dev_22a4&col03#0005:320F:22A4.0009#hidraw9)"},
  };
  for (const Case& c : cases) {
    std::string path = BuildHidInterfacePath(c.parts);
    EXPECT_EQ(path, c.expected);
    auto parsed = ParseHidInterfacePath(path);
    ASSERT_TRUE(parsed) << path;
    EXPECT_EQ(parsed->usb, c.parts.usb);
    EXPECT_EQ(parsed->vendorId, c.parts.vendorId);
    EXPECT_EQ(parsed->productId, c.parts.productId);
    EXPECT_EQ(parsed->interfaceNumber, c.parts.interfaceNumber);
    EXPECT_EQ(parsed->collectionNumber, c.parts.collectionNumber);
    EXPECT_EQ(parsed->instance, c.parts.instance);
    EXPECT_EQ(parsed->node, c.parts.node);
  }
}

TEST(HidInterfacePath, RejectsForeignPaths) {
  for (const char* path : {"", "/dev/hidraw0", R"(\\?\hid#vid_zz&pid_1#a#b)", R"(\\?\hid#vid_1&pid_2#a)",
                           R"(\\?\hid#vid_1&pid_2&extra#a#b)", R"(\\?\hid#vid_1#a#b)"}) {
    EXPECT_FALSE(ParseHidInterfacePath(path)) << path;
  }
}
