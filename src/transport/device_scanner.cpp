#include "transport/device_scanner.h"

#include <algorithm>

#include "platform/debug_output.h"
#include "transport/hid_path_tags.h"

CDeviceScanner::CDeviceScanner(IHidBackend& backend, CDeviceSlotList& slots, IDeviceScanSink& sink, IClock& clock)
    : backend_(backend), clock_(clock), slots_(slots), sink_(sink), port_(backend) {}

CDeviceScanner::~CDeviceScanner() { Stop(); }

void CDeviceScanner::Start() {
  if (thread_.joinable()) return;
  stop_.Reset();
  firstPass_ = true;
  thread_ = std::thread(ScanThreadProc, this);
}

void CDeviceScanner::Stop() {
  stop_.Set();
  wake_.Set();
  if (thread_.joinable()) thread_.join();
}

void ScanThreadProc(CDeviceScanner* scanner) {
  const bool toldOfChanges = scanner->backend_.SetChangeListener([scanner] { scanner->wake_.Set(); });
  scanner->settleUntilMs_ = scanner->clock_.NowMs() + CDeviceScanner::kSettleMs;
  for (;;) {
    if (scanner->stop_.IsSet()) break;
    if (!scanner->RunPass()) break;
    if (scanner->clock_.WaitMs(scanner->wake_, scanner->NextWaitMs(toldOfChanges))) {
      // The interfaces of one device come one after the other; the pass waits for the rest, so
      // it still reports a device's command interface before its event interface.
      if (scanner->clock_.WaitMs(scanner->stop_, CDeviceScanner::kGatherMs)) break;
      scanner->settleUntilMs_ = scanner->clock_.NowMs() + CDeviceScanner::kSettleMs;
    }
  }
  if (toldOfChanges) scanner->backend_.SetChangeListener(nullptr);
  OutputDebugString("抓取设备线程设定退出");
}

uint32_t CDeviceScanner::NextWaitMs(bool toldOfChanges) const {
  if (!toldOfChanges || inaccessibleReported_ || clock_.NowMs() < settleUntilMs_) return kPassIntervalMs;
  return kQuietPassIntervalMs;
}

bool CDeviceScanner::RunPass() {
  if (slots_.HasFreeSlot()) {
    uint64_t generation = backend_.ChangeGeneration();
    if (!havePaths_ || generation != pathsGeneration_) {
      std::vector<std::string> paths;
      if (!backend_.EnumerateInterfaces(paths)) return false;
      paths_ = std::move(paths);
      pathsGeneration_ = generation;
      havePaths_ = true;
    }
    ClaimMatchingInterfaces();
    if (firstPass_) {
      firstPass_ = false;
      sink_.PostFirstScanComplete();
    }
  }
  ProbeClaimedSlots();
  return true;
}

void CDeviceScanner::ClaimMatchingInterfaces() {
  std::vector<size_t> claimed;
  bool inaccessible = false;
  for (const std::string& path : paths_) {
    if (stop_.IsSet()) break;
    const uint16_t vendorId = GetVidFromPath(path);
    const uint16_t productId = GetPidFromPath(path);
    const uint16_t interfaceNumber = GetInterfaceFromPath(path);
    const uint16_t collectionNumber = GetCollectionFromPath(path);
    if (!slots_.FindFreeByPathTags(vendorId, productId, collectionNumber, interfaceNumber)) continue;

    // The path's tags only narrow the search; the interface's own attributes and usage decide.
    if (!port_.Open(path, true, false, true, false)) {
      inaccessible |= port_.GetLastOpenError() == HidOpenError::AccessDenied;
      continue;
    }
    const HidAttributes attributes = port_.GetAttributes();
    const HidCaps caps = port_.GetCaps();
    port_.Close();

    auto slot = slots_.FindFree(attributes.VendorID, attributes.ProductID, collectionNumber, interfaceNumber,
                                caps.UsagePage, caps.Usage);
    if (!slot) continue;
    slots_.Claim(*slot, path);
    claimed.push_back(*slot);
  }
  // The kernel numbers a device's interfaces in whatever order they finish probing; reporting the
  // claims of one pass in slot order lets the main window always see a device's command
  // interface before its event interface.
  std::sort(claimed.begin(), claimed.end());
  for (size_t slot : claimed) sink_.OnDeviceArrival(slot, slots_.Slot(slot), stop_);
  if (inaccessible != inaccessibleReported_) {
    inaccessibleReported_ = inaccessible;
    sink_.OnInaccessibleInterfaces(inaccessible);
  }
}

void CDeviceScanner::ProbeClaimedSlots() {
  for (size_t i = 0; i < slots_.Size(); ++i) {
    DeviceEntry slot = slots_.Slot(i);
    if (slot.Connected != 1 || backend_.IsPresent(slot.DevicePath)) continue;
    slots_.Free(i);
    sink_.OnDeviceRemove(i, slots_.Slot(i), stop_);
  }
}
