#pragma once
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "transport/supported_devices.h"

// The main window's slot list, one slot per supported-device row. The scan thread claims and
// frees slots while the user-interface thread reads them, so every access goes through the lock
// and readers get copies.
class CDeviceSlotList {
 public:
  // Fills one slot per row of the supported-device table, in table order.
  CDeviceSlotList();

  size_t Size() const;
  DeviceEntry Slot(size_t index) const;
  std::vector<DeviceEntry> Snapshot() const;

  bool IsFree(size_t index) const;
  bool HasFreeSlot() const;
  // First free slot that names the same interface as the candidate in the given fields.
  std::optional<size_t> FindFreeByPathTags(uint16_t vendorId, uint16_t productId, uint16_t collectionNumber,
                                           uint16_t interfaceNumber) const;
  std::optional<size_t> FindFree(uint16_t vendorId, uint16_t productId, uint16_t collectionNumber,
                                 uint16_t interfaceNumber, uint16_t usagePage, uint16_t usage) const;

  // Only the scan thread claims and frees slots.
  void Claim(size_t index, const std::string& path);
  void Free(size_t index);

 private:
  mutable std::mutex mutex_;
  std::vector<DeviceEntry> slots_;
};
