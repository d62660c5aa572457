#include "transport/supported_devices.h"

#include <gtest/gtest.h>

TEST(SupportedDevices, PartnerLinksPointBothWaysBetweenCableAndReceiverRows) {
  for (size_t i = 0; i < kSupportedDevices.size(); ++i) {
    const SupportedDevice& row = kSupportedDevices[i];
    if (!row.HasPartner) continue;
    SCOPED_TRACE(i);
    ASSERT_LT(row.PartnerIndex, kSupportedDevices.size());
    const SupportedDevice& partner = kSupportedDevices[row.PartnerIndex];
    EXPECT_TRUE(partner.HasPartner);
    EXPECT_EQ(partner.PartnerIndex, i);
    EXPECT_EQ(partner.InterfaceRole, row.InterfaceRole);
    EXPECT_NE(partner.DeviceKind, row.DeviceKind);
  }
}

TEST(SupportedDevices, NoTwoRowsNameTheSameInterface) {
  for (size_t i = 0; i < kSupportedDevices.size(); ++i) {
    for (size_t j = i + 1; j < kSupportedDevices.size(); ++j) {
      EXPECT_FALSE(IsSameInterface(kSupportedDevices[i], kSupportedDevices[j])) << i << " " << j;
    }
    EXPECT_EQ(kSupportedDevices[i].Connected, 0);
  }
}

TEST(SupportedDevices, EveryKindRowNamesTheCommandRowOfItsKind) {
  for (const DeviceKindRow& kind : kDeviceKindRows) {
    SCOPED_TRACE(kind.KindName);
    int row = FindSupportedDevice(kind.VendorId, kind.ProductId, kind.DeviceKind, kind.InterfaceRole);
    ASSERT_GE(row, 0);
    EXPECT_EQ(kSupportedDevices[row].InterfaceRole, kInterfaceRoleCommand);
  }
}

TEST(SupportedDevices, LookupsReturnTheFirstMatchOrMinusOne) {
  struct Case {
    uint16_t vid, pid, kind, role;
    int supported, kindRow;
  };
  const Case cases[] = {
      {0x320F, 0x22A4, kDeviceKindMouse, kInterfaceRoleCommand, 4, 0},
      {0x320F, 0x22A4, kDeviceKindMouse, kInterfaceRoleEvent, 5, -1},
      {0x320F, 0x226F, kDeviceKindMouseReceiver, kInterfaceRoleCommand, 6, -1},
      {0x320F, 0x0000, kDeviceKindKeyboard, kInterfaceRoleCommand, 0, 1},
      {0x320F, 0x1004, kDeviceKindMousePad, kInterfaceRoleCommand, 8, 2},
      {0x0C76, 0x1630, kDeviceKindHeadset, kInterfaceRoleCommand, 10, 3},
      {0x0C76, 0x1630, kDeviceKindMouse, kInterfaceRoleCommand, -1, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindSupportedDevice(c.vid, c.pid, c.kind, c.role), c.supported);
    EXPECT_EQ(FindDeviceKindRow(c.vid, c.pid, c.kind, c.role), c.kindRow);
  }
}
