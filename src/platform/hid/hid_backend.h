#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The seam between the HID port and the machine: the hidraw backend talks to the kernel, the
// simulated backend to virtual devices. Everything above CHidDevice runs unchanged on either.

struct HidAttributes {
  uint16_t VendorID = 0;
  uint16_t ProductID = 0;
  uint16_t VersionNumber = 0;  // the USB release number (bcdDevice)
};

// What one top-level collection offers. Report byte lengths count the report-id byte, which is
// present (as 0) even when the descriptor uses no report ids, as on Windows.
struct HidCaps {
  uint16_t Usage = 0;
  uint16_t UsagePage = 0;
  uint16_t InputReportByteLength = 0;
  uint16_t OutputReportByteLength = 0;
  uint16_t FeatureReportByteLength = 0;
};

struct HidOpenMode {
  bool read = true;
  bool write = false;
  bool overlapped = true;
  bool exclusive = false;
};

enum class HidIoStatus {
  Ok,
  TimedOut,
  Aborted,  // the connection was aborted by its owner (close or reopen on another thread)
  Failed,   // the device is gone or refused the transfer
};

enum class HidOpenError {
  None,
  NotFound,      // no such interface (unplugged, or the node now belongs to another device)
  AccessDenied,  // present, but this user may not open it
  Failed,        // present, but its description could not be read or it refused to open
};

// One opened top-level collection. Read and Write may run on one thread while Abort is called on
// another; after Abort every pending and later transfer returns Aborted at once, and the
// underlying descriptor is released only when the last reference goes away, so a late reader can
// never touch a descriptor number that has been reused.
class IHidConnection {
 public:
  virtual ~IHidConnection() = default;

  virtual const HidAttributes& Attributes() const = 0;
  virtual const HidCaps& Caps() const = 0;

  // Waits for one input report of this collection (kInfiniteWait from platform/event.h: no
  // limit) and copies at most `length` bytes of it, report id first.
  virtual HidIoStatus Read(uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesRead) = 0;
  // Writes one output report; byte 0 is the report id (0 when the descriptor has none).
  virtual HidIoStatus Write(const uint8_t* buffer, size_t length, uint32_t timeoutMs, size_t* bytesWritten) = 0;
  // Sends an output report through the control pipe rather than the interrupt pipe.
  virtual bool SetOutputReport(const uint8_t* buffer, size_t length) = 0;
  // Discards the input reports of this collection that are waiting to be read.
  virtual void FlushInput() = 0;
  virtual void Abort() = 0;
};

class IHidBackend {
 public:
  virtual ~IHidBackend() = default;

  // Every present HID interface path, one per top-level collection, in a stable order.
  // False when the listing itself failed.
  virtual bool EnumerateInterfaces(std::vector<std::string>& paths) = 0;

  virtual std::shared_ptr<IHidConnection> Open(const std::string& path, const HidOpenMode& mode,
                                               HidOpenError* error) = 0;

  // True while the interface named by the path is still attached, checked without opening it.
  virtual bool IsPresent(const std::string& path) = 0;

  // Changes whenever interfaces may have come or gone since the previous call; a caller that
  // sees the same number twice may reuse its last enumeration.
  virtual uint64_t ChangeGeneration() = 0;

  // Asks to be told, from any thread, whenever ChangeGeneration may have moved, so a caller can
  // sleep until then instead of asking again and again; nothing stops the telling. The listener
  // must be quick and must not call back into the backend. False when this backend cannot tell:
  // the caller has to ask on its own schedule.
  virtual bool SetChangeListener(std::function<void()> /*listener*/) { return false; }
};
