#include "transport/device_slots.h"

CDeviceSlotList::CDeviceSlotList() {
  slots_.reserve(kSupportedDevices.size());
  for (const SupportedDevice& row : kSupportedDevices) slots_.push_back(DeviceEntry{row, {}});
}

size_t CDeviceSlotList::Size() const {
  std::lock_guard guard(mutex_);
  return slots_.size();
}

DeviceEntry CDeviceSlotList::Slot(size_t index) const {
  std::lock_guard guard(mutex_);
  return slots_.at(index);
}

std::vector<DeviceEntry> CDeviceSlotList::Snapshot() const {
  std::lock_guard guard(mutex_);
  return slots_;
}

bool CDeviceSlotList::IsFree(size_t index) const {
  std::lock_guard guard(mutex_);
  return slots_.at(index).IsFree();
}

bool CDeviceSlotList::HasFreeSlot() const {
  std::lock_guard guard(mutex_);
  for (const DeviceEntry& slot : slots_) {
    if (slot.IsFree()) return true;
  }
  return false;
}

std::optional<size_t> CDeviceSlotList::FindFreeByPathTags(uint16_t vendorId, uint16_t productId,
                                                          uint16_t collectionNumber, uint16_t interfaceNumber) const {
  std::lock_guard guard(mutex_);
  for (size_t i = 0; i < slots_.size(); ++i) {
    const DeviceEntry& slot = slots_[i];
    if (slot.IsFree() && slot.VendorId == vendorId && slot.ProductId == productId &&
        slot.CollectionNumber == collectionNumber && slot.InterfaceNumber == interfaceNumber) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<size_t> CDeviceSlotList::FindFree(uint16_t vendorId, uint16_t productId, uint16_t collectionNumber,
                                                uint16_t interfaceNumber, uint16_t usagePage, uint16_t usage) const {
  std::lock_guard guard(mutex_);
  for (size_t i = 0; i < slots_.size(); ++i) {
    const DeviceEntry& slot = slots_[i];
    if (slot.IsFree() && slot.VendorId == vendorId && slot.ProductId == productId &&
        slot.CollectionNumber == collectionNumber && slot.InterfaceNumber == interfaceNumber &&
        slot.UsagePage == usagePage && slot.Usage == usage) {
      return i;
    }
  }
  return std::nullopt;
}

void CDeviceSlotList::Claim(size_t index, const std::string& path) {
  std::lock_guard guard(mutex_);
  slots_.at(index).Connected = 1;
  slots_.at(index).DevicePath = path;
}

void CDeviceSlotList::Free(size_t index) {
  std::lock_guard guard(mutex_);
  slots_.at(index).Connected = 0;
  slots_.at(index).DevicePath.clear();
}
