#include "sim/uhid/uhid_bridge.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "platform/debug_output.h"
#include "sim/uhid/uhid_events.h"
#include "sim/uhid/uhid_report_descriptor.h"

namespace {

// Plugs are numbered across all bridges of the process, so two bridges never create devices with
// the same uniq string.
std::atomic<uint64_t> g_plugCounter{0};

bool DescriptorUsesReportIds(const SimInterface& interface) {
  for (const SimCollection& collection : interface.collections) {
    const HidTopLevelCollection& layout = collection.layout;
    for (const std::vector<uint8_t>* ids :
         {&layout.inputReportIds, &layout.outputReportIds, &layout.featureReportIds}) {
      if (std::any_of(ids->begin(), ids->end(), [](uint8_t id) { return id != 0; })) return true;
    }
  }
  return false;
}

}  // namespace

CUhidBridge::CUhidBridge(IUhidSystem& system) : system_(system), wake_(std::make_shared<CWakeEventFd>()) {
  if (wake_->IsValid()) worker_ = std::thread(&CUhidBridge::Run, this);
}

CUhidBridge::~CUhidBridge() {
  std::vector<std::shared_ptr<CUhidPlug>> plugs;
  {
    std::lock_guard guard(mutex_);
    plugs = plugs_;
  }
  for (const std::shared_ptr<CUhidPlug>& plug : plugs) plug->Unplug();
  stop_ = true;
  wake_->Signal();
  if (worker_.joinable()) worker_.join();
}

UhidError CUhidBridge::Plug(const std::shared_ptr<CVirtualDevice>& device, std::string* detail) {
  if (!device || !worker_.joinable()) return UhidError::Failed;
  if (device->IsPlugged()) return UhidError::AlreadyPlugged;
  const SimDeviceDescription& description = device->Description();

  std::vector<std::vector<uint8_t>> descriptors;
  for (const SimInterface& interface : description.interfaces) {
    std::string reason;
    std::optional<std::vector<uint8_t>> descriptor = BuildUhidReportDescriptor(interface, &reason);
    if (!descriptor) {
      if (detail) *detail = description.name + ", interface " + std::to_string(interface.number) + ": " + reason;
      return UhidError::BadDescription;
    }
    descriptors.push_back(std::move(*descriptor));
  }

  const uint64_t plugNumber = ++g_plugCounter;
  std::shared_ptr<CUhidPlug> plug;
  for (size_t i = 0; i < description.interfaces.size(); ++i) {
    const SimInterface& interface = description.interfaces[i];
    const UhidDeviceIdentity identity = MakeUhidDeviceIdentity(description, interface, plugNumber);
    if (!plug) plug = std::make_shared<CUhidPlug>(device, identity.uniq, wake_);

    UhidError error = UhidError::None;
    const int fd = system_.OpenDevice(&error);
    if (fd < 0) {
      plug->Unplug();
      return error == UhidError::None ? UhidError::Failed : error;
    }
    UhidInterface added;
    added.number = interface.number;
    added.fd = fd;
    added.numbered = DescriptorUsesReportIds(interface);
    added.phys = identity.phys;
    for (const SimCollectionAddress& address : ListSimCollections(description)) {
      if (address.interfaceNumber == interface.number) added.collections.push_back(address);
    }
    UhidInterface& created = plug->AddInterface(std::move(added));

    uhid_event create{};
    if (!MakeUhidCreateEvent(identity, descriptors[i], &create) || !WriteUhidEvent(fd, create)) {
      plug->Unplug();
      return UhidError::Failed;
    }
    if (!system_.WaitForNode(identity.uniq, identity.phys, kNodeTimeoutMs, &created.node)) {
      plug->Unplug();
      return UhidError::NoNode;
    }
  }
  if (!plug) return UhidError::BadDescription;
  if (!device->AttachPlug(plug)) {
    plug->Unplug();
    return UhidError::AlreadyPlugged;
  }
  {
    std::lock_guard guard(mutex_);
    plugs_.push_back(plug);
  }
  wake_->Signal();
  return UhidError::None;
}

std::vector<UhidInterfaceInfo> CUhidBridge::InterfacesOf(const CVirtualDevice& device) const {
  std::lock_guard guard(mutex_);
  std::vector<UhidInterfaceInfo> list;
  for (const std::shared_ptr<CUhidPlug>& plug : plugs_) {
    if (!plug->IsPresent() || &plug->Device() != &device) continue;
    for (const UhidInterface& interface : plug->Interfaces()) {
      list.push_back({interface.number, interface.phys, interface.node});
    }
  }
  return list;
}

void CUhidBridge::Run() {
  std::vector<pollfd> watched;
  std::vector<std::pair<std::shared_ptr<CUhidPlug>, size_t>> owners;
  while (!stop_) {
    {
      std::lock_guard guard(mutex_);
      std::erase_if(plugs_, [](const std::shared_ptr<CUhidPlug>& plug) { return !plug->IsPresent(); });
      watched.assign(1, pollfd{wake_->Fd(), POLLIN, 0});
      owners.clear();
      for (const std::shared_ptr<CUhidPlug>& plug : plugs_) {
        for (size_t i = 0; i < plug->Interfaces().size(); ++i) {
          watched.push_back({plug->Interfaces()[i].fd, POLLIN, 0});
          owners.emplace_back(plug, i);
        }
      }
    }
    const int ready = poll(watched.data(), watched.size(), MillisecondsToNextDue());
    if (ready < 0 && errno != EINTR) {
      OutputDebugString("uhid bridge: poll failed; the worker stops");
      break;
    }
    if (ready > 0) {
      if (watched[0].revents) wake_->Drain();
      for (size_t k = 1; k < watched.size(); ++k) {
        const auto& [plug, interfaceIndex] = owners[k - 1];
        if (watched[k].revents & POLLIN) HandleEvents(plug, interfaceIndex);
        // /dev/uhid never hangs up; anything standing in for it that does has lost the device.
        if (watched[k].revents & (POLLERR | POLLHUP | POLLNVAL)) plug->Unplug();
      }
    }
    SendDueReports();
    owners.clear();  // an unplugged plug goes (and closes its descriptors) with the last reference
  }
  pending_.clear();
}

void CUhidBridge::HandleEvents(const std::shared_ptr<CUhidPlug>& plug, size_t interfaceIndex) {
  const int fd = plug->Interfaces()[interfaceIndex].fd;
  // A few at a time, so one chatty device cannot starve the others.
  for (int count = 0; count < 16 && plug->IsPresent(); ++count) {
    uhid_event event{};
    ssize_t size = read(fd, &event, sizeof event);
    if (size < 0 && errno == EINTR) continue;
    if (size <= 0) return;
    switch (event.type) {
      case UHID_OUTPUT: {
        const uhid_output_req& output = event.u.output;
        if (output.rtype != UHID_OUTPUT_REPORT || output.size > UHID_DATA_MAX) break;
        if (auto reply = plug->ReceiveOutput(interfaceIndex, output.data, output.size, SimReportPath::Interrupt)) {
          Schedule(plug, interfaceIndex, std::move(*reply));
        }
        break;
      }
      case UHID_SET_REPORT: {
        // Only a report sent as SET_REPORT on the control pipe comes this way; hidraw sends output
        // reports as UHID_OUTPUT. The devices have no feature reports.
        const uhid_set_report_req& request = event.u.set_report;
        uint16_t error = EIO;
        if (request.rtype == UHID_OUTPUT_REPORT && request.size > 0 && request.size <= UHID_DATA_MAX) {
          auto reply = plug->ReceiveOutput(interfaceIndex, request.data, request.size, SimReportPath::Control);
          if (reply) Schedule(plug, interfaceIndex, std::move(*reply));
          error = 0;
        }
        WriteUhidEvent(fd, MakeUhidSetReportReply(request.id, error));
        break;
      }
      case UHID_GET_REPORT:
        // Answered at once: the kernel waits for the reply while holding the device.
        WriteUhidEvent(fd, MakeUhidGetReportReply(event.u.get_report.id, EIO));
        break;
      default:
        break;  // START, STOP, OPEN, CLOSE: nothing to do
    }
  }
}

void CUhidBridge::Schedule(const std::shared_ptr<CUhidPlug>& plug, size_t interfaceIndex, UhidScheduledReport report) {
  PendingReport pending{std::chrono::steady_clock::now() + std::chrono::milliseconds(report.delayMs), plug,
                        interfaceIndex, std::move(report.report)};
  auto position = std::upper_bound(pending_.begin(), pending_.end(), pending.dueAt,
                                   [](auto at, const PendingReport& queued) { return at < queued.dueAt; });
  pending_.insert(position, std::move(pending));
}

int CUhidBridge::MillisecondsToNextDue() const {
  if (pending_.empty()) return -1;
  const auto wait = pending_.front().dueAt - std::chrono::steady_clock::now();
  if (wait <= std::chrono::steady_clock::duration::zero()) return 0;
  // Rounded up, so the worker never wakes just before a reply is due and goes round once more.
  const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
  return static_cast<int>(std::min<int64_t>(milliseconds, INT_MAX));
}

void CUhidBridge::SendDueReports() {
  const auto now = std::chrono::steady_clock::now();
  size_t due = 0;
  while (due < pending_.size() && pending_[due].dueAt <= now) {
    PendingReport& report = pending_[due];
    report.plug->SendInput(report.interfaceIndex, report.report);
    ++due;
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(due));
}
