#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/hid_interface_path.h"
#include "platform/hidraw/hidraw_backend.h"
#include "sim/uhid/uhid_bridge.h"
#include "sim/uhid/uhid_system.h"
#include "sim/virtual_device.h"

// Virtual devices made real through /dev/uhid, and the hidraw backend that finds them: what a
// kernel check needs. The bridge's destructor removes every device still plugged in, so each
// check leaves the kernel as it found it.
class CKernelRig {
 public:
  ::testing::AssertionResult Plug(const std::shared_ptr<CVirtualDevice>& device);

  CUhidBridge& Bridge() { return bridge_; }
  CHidrawBackend& Backend() { return backend_; }

  // The interface paths the hidraw backend lists for the device's own nodes, in listing order.
  std::vector<std::string> PathsOf(const CVirtualDevice& device);
  // The listed path of one collection ("" when none): collectionNumber counts from 1.
  std::string PathOf(const CVirtualDevice& device, uint8_t interfaceNumber, int collectionNumber);
  std::string CommandPathOf(const CVirtualDevice& device);

 private:
  CKernelUhidSystem system_;
  CHidrawBackend backend_;
  // Declared last, so it goes first and removes the devices while everything else still exists.
  CUhidBridge bridge_{system_};
};

// The node and instance parts of an interface path ("" for a path that does not parse).
std::string NodeOfPath(const std::string& path);
std::string InstanceOfPath(const std::string& path);
