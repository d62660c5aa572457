#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/event.h"
#include "platform/hid/hid_backend.h"

// One open HID interface (one top-level collection) with whole-report reads and writes that
// time out and that another thread can abort by closing or reopening the object. The object is
// reused: opened and closed many times over its life.
//
// Per-usage decoding of input reports is left out: nothing reads decoded usages, and every
// listener works on the raw report bytes.
class CHidDevice {
 public:
  static constexpr size_t kMaxPathLength = 259;
  static constexpr size_t kInputBufferCapacity = 1024;

  explicit CHidDevice(IHidBackend& backend);
  ~CHidDevice();
  CHidDevice(const CHidDevice&) = delete;
  CHidDevice& operator=(const CHidDevice&) = delete;

  // Lists every present interface and rewinds the cursor. 1 on success, 0 on failure.
  int EnumerateDevicePaths();
  // The next listed path, or nullopt past the end or before any enumeration.
  std::optional<std::string> NextDevicePath();
  void FreeDevicePaths();
  size_t DevicePathCount() const { return paths_.size(); }

  int Open(const std::string& path, bool read, bool write, bool overlapped, bool exclusive);
  int Reopen();
  void Close();

  // 1 when a report arrived (or was written), else 0. The optional byte count is 0 on failure.
  int ReadReport(uint8_t* buffer, uint32_t length, uint32_t* bytesRead, uint32_t timeoutMs);
  int WriteReport(const uint8_t* buffer, uint32_t length, uint32_t* bytesWritten, uint32_t timeoutMs);
  // Discards this collection's buffered input reports. 1 on success, 0 when closed.
  int FlushQueue();
  int SetOutputReport(const uint8_t* buffer, uint32_t length);

  bool IsOpen() const;
  HidCaps GetCaps() const;
  HidAttributes GetAttributes() const;
  std::string GetDevicePath() const;
  uint16_t GetInterfaceNumber() const;
  uint16_t GetCollectionNumber() const;
  // Why the last Open failed; None after a successful one.
  HidOpenError GetLastOpenError() const;
  // The buffer listener threads read into. It lives as long as the object, so a reader racing a
  // Close never writes into freed memory; Open zeroes its first InputReportByteLength bytes.
  uint8_t* GetInputReportBuffer() { return inputBuffer_.data(); }

 private:
  std::shared_ptr<IHidConnection> Connection() const;
  void ReleaseConnectionLocked();

  IHidBackend& backend_;

  std::vector<std::string> paths_;
  size_t pathCursor_ = 0;

  // Guards everything below against a Close or Reopen on another thread. Transfers take a
  // reference to the connection under the lock and run without it.
  mutable std::mutex mutex_;
  std::shared_ptr<IHidConnection> connection_;
  HidOpenMode mode_;
  std::string devicePath_;
  HidCaps caps_;
  HidAttributes attributes_;
  uint16_t interfaceNumber_ = 0;
  uint16_t collectionNumber_ = 0;
  HidOpenError lastOpenError_ = HidOpenError::None;

  std::array<uint8_t, kInputBufferCapacity> inputBuffer_{};
};
