#include "devices/mouse/profile_write/button_places.h"

#include "devices/mouse/button_map_memory.h"

void FixButtonPlaces(CMouseDriver& driver, const std::string& folder, const DeviceInfoBlock& info) {
  CButtonMapMemory memory(folder + kButtonMapMemoryFile);
  const uint16_t firmware = driver.CableFirmwareVersion();
  const size_t records = info.RecordCount();
  const std::optional<ButtonRecordMap> kept = memory.Find(records, firmware);
  const ButtonRecordMap map = MergeButtonRecordMaps(kept.value_or(UnmappedButtons()), driver.ButtonMap(), records);
  driver.SetButtonMap(map);
  if (kept != map) memory.Remember(records, firmware, map);
}
