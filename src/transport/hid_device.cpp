#include "transport/hid_device.h"

#include <algorithm>

#include "transport/hid_path_tags.h"

CHidDevice::CHidDevice(IHidBackend& backend) : backend_(backend) {}

CHidDevice::~CHidDevice() { Close(); }

int CHidDevice::EnumerateDevicePaths() {
  pathCursor_ = 0;
  paths_.clear();
  std::vector<std::string> found;
  if (!backend_.EnumerateInterfaces(found)) return 0;
  paths_ = std::move(found);
  return 1;
}

std::optional<std::string> CHidDevice::NextDevicePath() {
  if (pathCursor_ >= paths_.size()) return std::nullopt;
  return paths_[pathCursor_++];
}

void CHidDevice::FreeDevicePaths() {
  paths_.clear();
  paths_.shrink_to_fit();
  pathCursor_ = 0;
}

int CHidDevice::Open(const std::string& path, bool read, bool write, bool overlapped, bool exclusive) {
  {
    std::lock_guard guard(mutex_);
    mode_ = HidOpenMode{read, write, overlapped, exclusive};
    devicePath_ = path;
  }
  return Reopen();
}

int CHidDevice::Reopen() {
  std::lock_guard guard(mutex_);
  ReleaseConnectionLocked();
  if (devicePath_.size() > kMaxPathLength) {
    lastOpenError_ = HidOpenError::NotFound;
    return 0;
  }
  HidOpenError error = HidOpenError::None;
  std::shared_ptr<IHidConnection> connection = backend_.Open(devicePath_, mode_, &error);
  if (!connection) {
    lastOpenError_ = error == HidOpenError::None ? HidOpenError::Failed : error;
    return 0;
  }
  connection_ = std::move(connection);
  lastOpenError_ = HidOpenError::None;
  caps_ = connection_->Caps();
  attributes_ = connection_->Attributes();
  interfaceNumber_ = GetInterfaceFromPath(devicePath_);
  collectionNumber_ = GetCollectionFromPath(devicePath_);
  std::fill_n(inputBuffer_.begin(), std::min<size_t>(caps_.InputReportByteLength, inputBuffer_.size()), 0);
  return 1;
}

void CHidDevice::Close() {
  std::lock_guard guard(mutex_);
  ReleaseConnectionLocked();
}

void CHidDevice::ReleaseConnectionLocked() {
  if (connection_) {
    // Wakes a reader blocked on another thread; the connection itself is freed by whichever of
    // us lets go of it last.
    connection_->Abort();
    connection_.reset();
  }
  caps_ = HidCaps{};
  attributes_ = HidAttributes{};
  interfaceNumber_ = 0;
  collectionNumber_ = 0;
}

std::shared_ptr<IHidConnection> CHidDevice::Connection() const {
  std::lock_guard guard(mutex_);
  return connection_;
}

int CHidDevice::ReadReport(uint8_t* buffer, uint32_t length, uint32_t* bytesRead, uint32_t timeoutMs) {
  if (bytesRead) *bytesRead = 0;
  std::shared_ptr<IHidConnection> connection = Connection();
  if (!connection || !buffer) return 0;
  size_t count = 0;
  if (connection->Read(buffer, length, timeoutMs, &count) != HidIoStatus::Ok) return 0;
  if (bytesRead) *bytesRead = static_cast<uint32_t>(count);
  return 1;
}

int CHidDevice::WriteReport(const uint8_t* buffer, uint32_t length, uint32_t* bytesWritten, uint32_t timeoutMs) {
  if (bytesWritten) *bytesWritten = 0;
  std::shared_ptr<IHidConnection> connection = Connection();
  if (!connection || !buffer) return 0;
  size_t count = 0;
  if (connection->Write(buffer, length, timeoutMs, &count) != HidIoStatus::Ok) return 0;
  if (bytesWritten) *bytesWritten = static_cast<uint32_t>(count);
  return 1;
}

int CHidDevice::FlushQueue() {
  std::shared_ptr<IHidConnection> connection = Connection();
  if (!connection) return 0;
  connection->FlushInput();
  return 1;
}

int CHidDevice::SetOutputReport(const uint8_t* buffer, uint32_t length) {
  std::shared_ptr<IHidConnection> connection = Connection();
  if (!connection || !buffer) return 0;
  return connection->SetOutputReport(buffer, length) ? 1 : 0;
}

bool CHidDevice::IsOpen() const {
  std::lock_guard guard(mutex_);
  return connection_ != nullptr;
}

HidCaps CHidDevice::GetCaps() const {
  std::lock_guard guard(mutex_);
  return caps_;
}

HidAttributes CHidDevice::GetAttributes() const {
  std::lock_guard guard(mutex_);
  return attributes_;
}

std::string CHidDevice::GetDevicePath() const {
  std::lock_guard guard(mutex_);
  return devicePath_;
}

uint16_t CHidDevice::GetInterfaceNumber() const {
  std::lock_guard guard(mutex_);
  return interfaceNumber_;
}

uint16_t CHidDevice::GetCollectionNumber() const {
  std::lock_guard guard(mutex_);
  return collectionNumber_;
}

HidOpenError CHidDevice::GetLastOpenError() const {
  std::lock_guard guard(mutex_);
  return lastOpenError_;
}
