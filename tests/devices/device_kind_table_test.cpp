// The per-kind rules agree with the supported-device and device-kind tables they stand beside.
#include "devices/device_kind_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "devices/device_page_table.h"
#include "profiles/storage/data_folders.h"

TEST(DeviceKindTable, EverySupportedKindHasItsRulesAndThePageOfItsCableKind) {
  for (const SupportedDevice& row : kSupportedDevices) {
    const DeviceKindTraits* traits = FindDeviceKindTraits(row.DeviceKind);
    ASSERT_NE(traits, nullptr) << "kind " << row.DeviceKind;
    ASSERT_GE(traits->pageRow, 0) << "kind " << row.DeviceKind;
    ASSERT_LT(static_cast<size_t>(traits->pageRow), kDeviceKindRows.size());
    EXPECT_EQ(kDeviceKindRows[static_cast<size_t>(traits->pageRow)].DeviceKind, CableKindOf(row.DeviceKind))
        << "a receiver kind is served by its cable kind's page";
    EXPECT_NE(FindDevicePageRow(traits->pageRow), nullptr);
    const DeviceKindTraits* cable = FindDeviceKindTraits(CableKindOf(row.DeviceKind));
    EXPECT_EQ(traits->hiddenTabs, cable->hiddenTabs) << "kind " << row.DeviceKind << " shows its cable kind's tabs";
  }
}

TEST(DeviceKindTable, NoKindHidesAndShowsTheSameTab) {
  for (uint16_t kind = 0; kind < 16; ++kind) {
    if (const DeviceKindTraits* traits = FindDeviceKindTraits(kind)) {
      EXPECT_EQ(traits->hiddenTabs & traits->shownTabs, 0) << "kind " << kind;
      EXPECT_EQ(traits->kind, kind);
    }
  }
  EXPECT_EQ(FindDeviceKindTraits(8), nullptr);
  EXPECT_TRUE(IsReceiverKind(kDeviceKindMouseReceiver));
  EXPECT_FALSE(IsReceiverKind(kDeviceKindMouse));
}

TEST(DataFolders, KindNamesAreThoseOfTheDeviceKindTable) {
  std::set<std::string_view> tableNames;
  for (const DeviceKindRow& row : kDeviceKindRows) tableNames.insert(row.KindName);
  EXPECT_EQ(tableNames, (std::set<std::string_view>{kMouseKindName, kKeyboardKindName, kMousePadKindName,
                                                    kHeadsetKindName}));
}
