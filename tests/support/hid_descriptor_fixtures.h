#pragma once
#include <cstdint>
#include <span>
#include <vector>

// Hand-written HID report descriptors shaped like the interfaces T640 meets: the parser tests
// check their summaries, the fuzzer seeds its corpus from them, and virtual (uhid) devices can
// present them as they are. The comment above each one gives what it must parse to.

// One collection without report ids (the boot mouse of the HID specification).
// Collection 1: Generic Desktop / Mouse; input ids {0}, input length 4 (3 bytes + the id byte).
inline constexpr uint8_t kBootMouseReportDescriptor[] = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0x09, 0x02,  // Usage (Mouse)
    0xA1, 0x01,  // Collection (Application)
    0x09, 0x01,  //   Usage (Pointer)
    0xA1, 0x00,  //   Collection (Physical)
    0x05, 0x09,  //     Usage Page (Button)
    0x19, 0x01,  //     Usage Minimum (1)
    0x29, 0x03,  //     Usage Maximum (3)
    0x15, 0x00,  //     Logical Minimum (0)
    0x25, 0x01,  //     Logical Maximum (1)
    0x95, 0x03,  //     Report Count (3)
    0x75, 0x01,  //     Report Size (1)
    0x81, 0x02,  //     Input (Data, Variable, Absolute)
    0x95, 0x01,  //     Report Count (1)
    0x75, 0x05,  //     Report Size (5)
    0x81, 0x01,  //     Input (Constant)
    0x05, 0x01,  //     Usage Page (Generic Desktop)
    0x09, 0x30,  //     Usage (X)
    0x09, 0x31,  //     Usage (Y)
    0x15, 0x81,  //     Logical Minimum (-127)
    0x25, 0x7F,  //     Logical Maximum (127)
    0x75, 0x08,  //     Report Size (8)
    0x95, 0x02,  //     Report Count (2)
    0x81, 0x06,  //     Input (Data, Variable, Relative)
    0xC0,        //   End Collection
    0xC0,        // End Collection
};

// A gaming mouse's first interface (interface 0): pointer, keyboard and consumer control on one
// node, told apart by report id.
// Collection 1: Generic Desktop / Mouse; input ids {1}, input length 7.
// Collection 2: Generic Desktop / Keyboard; input ids {2}, input length 9; output ids {2}, length 2.
// Collection 3: Consumer / Consumer Control; input ids {3}, input length 3.
inline constexpr uint8_t kMouseEventInterfaceReportDescriptor[] = {
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x02,        // Usage (Mouse)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report ID (1)
    0x09, 0x01,        //   Usage (Pointer)
    0xA1, 0x00,        //   Collection (Physical)
    0x05, 0x09,        //     Usage Page (Button)
    0x19, 0x01,        //     Usage Minimum (1)
    0x29, 0x05,        //     Usage Maximum (5)
    0x15, 0x00,        //     Logical Minimum (0)
    0x25, 0x01,        //     Logical Maximum (1)
    0x75, 0x01,        //     Report Size (1)
    0x95, 0x05,        //     Report Count (5)
    0x81, 0x02,        //     Input (Data, Variable, Absolute)
    0x75, 0x03,        //     Report Size (3)
    0x95, 0x01,        //     Report Count (1)
    0x81, 0x01,        //     Input (Constant)
    0x05, 0x01,        //     Usage Page (Generic Desktop)
    0x09, 0x30,        //     Usage (X)
    0x09, 0x31,        //     Usage (Y)
    0x16, 0x01, 0x80,  //     Logical Minimum (-32767)
    0x26, 0xFF, 0x7F,  //     Logical Maximum (32767)
    0x75, 0x10,        //     Report Size (16)
    0x95, 0x02,        //     Report Count (2)
    0x81, 0x06,        //     Input (Data, Variable, Relative)
    0x09, 0x38,        //     Usage (Wheel)
    0x15, 0x81,        //     Logical Minimum (-127)
    0x25, 0x7F,        //     Logical Maximum (127)
    0x75, 0x08,        //     Report Size (8)
    0x95, 0x01,        //     Report Count (1)
    0x81, 0x06,        //     Input (Data, Variable, Relative)
    0xC0,              //   End Collection
    0xC0,              // End Collection

    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x06,        // Usage (Keyboard)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x02,        //   Report ID (2)
    0x05, 0x07,        //   Usage Page (Keyboard)
    0x19, 0xE0,        //   Usage Minimum (Left Control)
    0x29, 0xE7,        //   Usage Maximum (Right GUI)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute): modifiers
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x01,        //   Report Count (1)
    0x81, 0x01,        //   Input (Constant): reserved byte
    0x19, 0x00,        //   Usage Minimum (0)
    0x29, 0x65,        //   Usage Maximum (0x65)
    0x25, 0x65,        //   Logical Maximum (0x65)
    0x95, 0x06,        //   Report Count (6)
    0x81, 0x00,        //   Input (Data, Array): six key codes
    0x05, 0x08,        //   Usage Page (LEDs)
    0x19, 0x01,        //   Usage Minimum (Num Lock)
    0x29, 0x05,        //   Usage Maximum (Kana)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x05,        //   Report Count (5)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0x75, 0x03,        //   Report Size (3)
    0x95, 0x01,        //   Report Count (1)
    0x91, 0x01,        //   Output (Constant)
    0xC0,              // End Collection

    0x05, 0x0C,        // Usage Page (Consumer)
    0x09, 0x01,        // Usage (Consumer Control)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x03,        //   Report ID (3)
    0x19, 0x00,        //   Usage Minimum (0)
    0x2A, 0x3C, 0x02,  //   Usage Maximum (0x23C)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0x3C, 0x02,  //   Logical Maximum (0x23C)
    0x75, 0x10,        //   Report Size (16)
    0x95, 0x01,        //   Report Count (1)
    0x81, 0x00,        //   Input (Data, Array)
    0xC0,              // End Collection
};

// The same mouse's second interface (interface 1): a full-key keyboard and the vendor command
// collection with 64-byte reports.
// Collection 1: Generic Desktop / Keyboard; input ids {5}, input length 17.
// Collection 2: 0xFF1C / 0x92; input ids {4}, input length 65; output ids {4}, output length 65.
inline constexpr uint8_t kMouseCommandInterfaceReportDescriptor[] = {
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x06,        // Usage (Keyboard)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x05,        //   Report ID (5)
    0x05, 0x07,        //   Usage Page (Keyboard)
    0x19, 0xE0,        //   Usage Minimum (Left Control)
    0x29, 0xE7,        //   Usage Maximum (Right GUI)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute): modifiers
    0x19, 0x00,        //   Usage Minimum (0)
    0x29, 0x77,        //   Usage Maximum (0x77)
    0x95, 0x78,        //   Report Count (120)
    0x81, 0x02,        //   Input (Data, Variable, Absolute): one bit per key
    0xC0,              // End Collection

    0x06, 0x1C, 0xFF,  // Usage Page (Vendor 0xFF1C)
    0x09, 0x92,        // Usage (0x92)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x04,        //   Report ID (4)
    0x09, 0x01,        //   Usage (1)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x40,        //   Report Count (64)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x09, 0x02,        //   Usage (2)
    0x95, 0x40,        //   Report Count (64)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0xC0,              // End Collection
};

// A headset's only HID interface: one consumer collection that carries both the volume keys
// (id 1) and the vendor frames (id 4), a short vendor output report (id 0xFF) and a feature
// report (id 5).
// Collection 1: Consumer / Consumer Control; input ids {1, 4}, input length 65; output ids
// {4, 0xFF}, output length 65 (the 0xFF report is 17); feature ids {5}, feature length 3.
inline constexpr uint8_t kHeadsetReportDescriptor[] = {
    0x05, 0x0C,        // Usage Page (Consumer)
    0x09, 0x01,        // Usage (Consumer Control)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report ID (1)
    0x09, 0xE9,        //   Usage (Volume Increment)
    0x09, 0xEA,        //   Usage (Volume Decrement)
    0x09, 0xE2,        //   Usage (Mute)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x03,        //   Report Count (3)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x95, 0x05,        //   Report Count (5)
    0x81, 0x01,        //   Input (Constant)
    0x06, 0x1C, 0xFF,  //   Usage Page (Vendor 0xFF1C)
    0x85, 0x04,        //   Report ID (4)
    0x09, 0x01,        //   Usage (1)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x40,        //   Report Count (64)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x09, 0x02,        //   Usage (2)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0x85, 0xFF,        //   Report ID (255)
    0x09, 0x03,        //   Usage (3)
    0x95, 0x10,        //   Report Count (16)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0x85, 0x05,        //   Report ID (5)
    0x09, 0x04,        //   Usage (4)
    0x95, 0x02,        //   Report Count (2)
    0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
    0xC0,              // End Collection
};

struct HidDescriptorFixture {
  const char* name;
  std::span<const uint8_t> bytes;
};

inline constexpr HidDescriptorFixture kWellFormedReportDescriptors[] = {
    {"boot_mouse", kBootMouseReportDescriptor},
    {"mouse_event_interface", kMouseEventInterfaceReportDescriptor},
    {"mouse_command_interface", kMouseCommandInterfaceReportDescriptor},
    {"headset", kHeadsetReportDescriptor},
};

struct MalformedHidDescriptor {
  const char* name;
  std::vector<uint8_t> bytes;
  const char* reason;  // a part of the parser's one-line reason
};

// Descriptors the parser must refuse, each with the reason it has to give.
inline std::vector<MalformedHidDescriptor> MalformedReportDescriptors() {
  return {
      {"empty", {}, "empty"},
      {"item data cut off", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x26, 0xFF}, "offset 6: item is truncated"},
      {"four-byte item cut off", {0x05, 0x01, 0x07, 0x01, 0x00}, "offset 2: item is truncated"},
      {"long item", {0xA1, 0x01, 0xFE, 0x02, 0x10, 0xAA, 0xBB, 0xC0}, "offset 2: long items"},
      {"reserved item type", {0xA1, 0x01, 0x3C, 0xC0}, "offset 2: item type is reserved"},
      {"reserved global tag", {0xC4, 0xA1, 0x01, 0xC0}, "offset 0: global item tag is reserved"},
      {"end collection without collection", {0xA1, 0x01, 0xC0, 0xC0}, "offset 3: end collection"},
      {"collection never closed",
       {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xA1, 0x00, 0xC0},
       "offset 4: collection is never closed"},
      {"pop without push", {0xA1, 0x01, 0xB4, 0xC0}, "offset 2: pop without push"},
      {"push too deep", std::vector<uint8_t>(17, 0xA4), "offset 16: push nests"},
      {"report id 0", {0xA1, 0x01, 0x85, 0x00, 0xC0}, "offset 2: report id is outside"},
      {"report id 256", {0xA1, 0x01, 0x86, 0x00, 0x01, 0xC0}, "offset 2: report id is outside"},
      {"report size past 256 bits", {0x76, 0x01, 0x01}, "offset 0: report size"},
      {"report count past 12288", {0x96, 0x01, 0x30}, "offset 0: report count"},
      {"report past 4096 bytes in one item",
       {0xA1, 0x01, 0x75, 0x08, 0x96, 0x01, 0x10, 0x81, 0x02, 0xC0},
       "offset 7: report is longer than 4096 bytes"},
      {"report past 4096 bytes over two items",
       {0xA1, 0x01, 0x75, 0x08, 0x96, 0x00, 0x08, 0x81, 0x02, 0x96, 0x01, 0x08, 0x81, 0x02, 0xC0},
       "offset 12: report is longer than 4096 bytes"},
      {"usage page wider than 16 bits", {0x07, 0x00, 0x00, 0x01, 0x00}, "offset 0: usage page"},
      {"input outside any collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}, "offset 4: data item outside"},
      {"output after the last collection",
       {0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0, 0x91, 0x02},
       "offset 11: data item outside"},
      {"report ids mixed with unnumbered reports",
       {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0x85, 0x01, 0x81, 0x02, 0xC0},
       "with and without a report id"},
      {"no collection", {0x05, 0x01, 0x75, 0x08, 0x00, 0x00}, "declares no collection"},
  };
}
