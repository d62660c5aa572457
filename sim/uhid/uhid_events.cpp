#include "sim/uhid/uhid_events.h"

#include <linux/input.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

template <size_t N>
void CopyText(__u8 (&field)[N], const std::string& text) {
  const size_t count = std::min(text.size(), N - 1);
  std::memcpy(field, text.data(), count);
  field[count] = 0;
}

}  // namespace

UhidDeviceIdentity MakeUhidDeviceIdentity(const SimDeviceDescription& description, const SimInterface& interface,
                                          uint64_t plugNumber) {
  UhidDeviceIdentity identity;
  identity.name = "T640 virtual " + description.name;
  const bool usb = description.bus == SimBus::Usb;
  identity.bus = usb ? BUS_USB : BUS_BLUETOOTH;
  identity.phys = (usb ? "usb-t640-uhid-" : "bt-t640-uhid-") + std::to_string(plugNumber);
  if (usb && description.composite) identity.phys += "/input" + std::to_string(interface.number);
  identity.uniq = "t640-" + std::to_string(getpid()) + "-" + std::to_string(plugNumber);
  identity.vendor = description.vendorId;
  identity.product = description.productId;
  identity.version = description.version;
  return identity;
}

bool MakeUhidCreateEvent(const UhidDeviceIdentity& identity, const std::vector<uint8_t>& descriptor,
                         uhid_event* event) {
  std::memset(event, 0, sizeof *event);
  if (descriptor.empty() || descriptor.size() > sizeof event->u.create2.rd_data) return false;
  event->type = UHID_CREATE2;
  uhid_create2_req& create = event->u.create2;
  CopyText(create.name, identity.name);
  CopyText(create.phys, identity.phys);
  CopyText(create.uniq, identity.uniq);
  create.rd_size = static_cast<__u16>(descriptor.size());
  create.bus = identity.bus;
  create.vendor = identity.vendor;
  create.product = identity.product;
  create.version = identity.version;
  std::memcpy(create.rd_data, descriptor.data(), descriptor.size());
  return true;
}

bool MakeUhidInputEvent(const uint8_t* report, size_t size, uhid_event* event) {
  if (size == 0 || size > UHID_DATA_MAX) return false;
  event->type = UHID_INPUT2;
  event->u.input2.size = static_cast<__u16>(size);
  std::memcpy(event->u.input2.data, report, size);
  return true;
}

uhid_event MakeUhidDestroyEvent() {
  uhid_event event{};
  event.type = UHID_DESTROY;
  return event;
}

uhid_event MakeUhidGetReportReply(uint32_t requestId, uint16_t error) {
  uhid_event event{};
  event.type = UHID_GET_REPORT_REPLY;
  event.u.get_report_reply.id = requestId;
  event.u.get_report_reply.err = error;
  return event;
}

uhid_event MakeUhidSetReportReply(uint32_t requestId, uint16_t error) {
  uhid_event event{};
  event.type = UHID_SET_REPORT_REPLY;
  event.u.set_report_reply.id = requestId;
  event.u.set_report_reply.err = error;
  return event;
}

bool WriteUhidEvent(int fd, const uhid_event& event) {
  for (;;) {
    ssize_t written = write(fd, &event, sizeof event);
    if (written == static_cast<ssize_t>(sizeof event)) return true;
    if (written < 0 && errno == EINTR) continue;
    return false;
  }
}
