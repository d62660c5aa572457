// Field layouts follow the HID usage tables' boot and common layouts, so hid-input treats the
// collections as it treats a real mouse's: pointer (buttons, X, Y, wheel, pan), keyboard (boot
// layout, or a key bitmap when the report is longer), keyboard LEDs, system control and a 16-bit
// consumer-control array. Whatever a report has beyond its fields is constant padding; a report
// too short for its shape, the command reports and anything vendor-defined carry plain bytes.
//
// The consumer array declares the usual 0..0x3FF range although the devices also send their own
// event codes (0x0401, 0x10nn ...) in it: the kernel ignores values outside the range for input
// events while hidraw still passes the report on, which is exactly what the host relies on.
#include "sim/uhid/uhid_report_descriptor.h"

#include <algorithm>
#include <cstdio>

#include "platform/hid/report_descriptor.h"
#include "sim/sim_frame.h"

namespace {

enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };

enum Tag : uint8_t {
  // main
  kInput = 0x8,
  kOutput = 0x9,
  kCollection = 0xA,
  kFeature = 0xB,
  kEndCollection = 0xC,
  // global
  kUsagePage = 0x0,
  kLogicalMinimum = 0x1,
  kLogicalMaximum = 0x2,
  kReportSize = 0x7,
  kReportId = 0x8,
  kReportCount = 0x9,
  // local
  kUsage = 0x0,
  kUsageMinimum = 0x1,
  kUsageMaximum = 0x2,
};

// Main item data bits.
constexpr uint8_t kDataArrayAbsolute = 0x00;
constexpr uint8_t kConstant = 0x03;  // constant, variable, absolute
constexpr uint8_t kDataVariableAbsolute = 0x02;
constexpr uint8_t kDataVariableRelative = 0x06;
constexpr uint8_t kDataArrayNullState = 0x40;

constexpr uint8_t kApplicationCollection = 0x01;
constexpr uint8_t kPhysicalCollection = 0x00;

constexpr uint16_t kGenericDesktopPage = 0x01;
constexpr uint16_t kKeyboardPage = 0x07;
constexpr uint16_t kLedPage = 0x08;
constexpr uint16_t kButtonPage = 0x09;
constexpr uint16_t kConsumerPage = 0x0C;
constexpr uint16_t kFirstVendorPage = 0xFF00;

constexpr uint16_t kPointerUsage = 0x01;
constexpr uint16_t kMouseUsage = 0x02;
constexpr uint16_t kKeyboardUsage = 0x06;
constexpr uint16_t kSystemControlUsage = 0x80;
constexpr uint16_t kConsumerControlUsage = 0x01;

constexpr uint32_t kMaxPaddingBytesPerItem = 255;
constexpr uint32_t kMaxKeyboardBytes = 64;

enum class Shape { Vendor, Pointer, Keyboard, KeyboardLeds, SystemControl, ConsumerArray };

class CDescriptorWriter {
 public:
  void Unsigned(ItemType type, uint8_t tag, uint32_t value) {
    Item(type, tag, value, value <= 0xFF ? 1 : value <= 0xFFFF ? 2 : 4);
  }
  void Signed(ItemType type, uint8_t tag, int32_t value) {
    const size_t size = (value >= -128 && value <= 127) ? 1 : (value >= -32768 && value <= 32767) ? 2 : 4;
    Item(type, tag, static_cast<uint32_t>(value), size);
  }
  void EndCollection() { bytes_.push_back(static_cast<uint8_t>(kEndCollection << 4 | kMain << 2)); }

  void UsagePage(uint16_t page) { Unsigned(kGlobal, kUsagePage, page); }
  void Usage(uint16_t usage) { Unsigned(kLocal, kUsage, usage); }
  void UsageRange(uint16_t first, uint16_t last) {
    Unsigned(kLocal, kUsageMinimum, first);
    Unsigned(kLocal, kUsageMaximum, last);
  }
  void LogicalRange(int32_t minimum, int32_t maximum) {
    Signed(kGlobal, kLogicalMinimum, minimum);
    Signed(kGlobal, kLogicalMaximum, maximum);
  }
  void Collection(uint8_t type) { Unsigned(kMain, kCollection, type); }

  // Report size, count and the main item of the report kind.
  void Field(SimReportKind kind, uint32_t sizeBits, uint32_t count, uint8_t flags) {
    Unsigned(kGlobal, kReportSize, sizeBits);
    Unsigned(kGlobal, kReportCount, count);
    const uint8_t tag = kind == SimReportKind::Input ? kInput : kind == SimReportKind::Output ? kOutput : kFeature;
    Unsigned(kMain, tag, flags);
  }

  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  void Item(ItemType type, uint8_t tag, uint32_t value, size_t size) {
    const uint8_t sizeCode = size == 4 ? 3 : static_cast<uint8_t>(size);
    bytes_.push_back(static_cast<uint8_t>(tag << 4 | type << 2 | sizeCode));
    for (size_t i = 0; i < size; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }

  std::vector<uint8_t> bytes_;
};

const std::vector<uint8_t>& IdsOf(const HidTopLevelCollection& layout, SimReportKind kind) {
  if (kind == SimReportKind::Input) return layout.inputReportIds;
  if (kind == SimReportKind::Output) return layout.outputReportIds;
  return layout.featureReportIds;
}

uint16_t LongestOf(const HidTopLevelCollection& layout, SimReportKind kind) {
  if (kind == SimReportKind::Input) return layout.inputReportByteLength;
  if (kind == SimReportKind::Output) return layout.outputReportByteLength;
  return layout.featureReportByteLength;
}

uint16_t ReportLength(const SimCollection& collection, SimReportKind kind, uint8_t id) {
  for (const SimReportLength& shorter : collection.shorterReports) {
    if (shorter.kind == kind && shorter.reportId == id) return shorter.byteLength;
  }
  return LongestOf(collection.layout, kind);
}

uint32_t MinimumBytes(Shape shape) {
  switch (shape) {
    case Shape::Pointer:
      return 7;
    case Shape::Keyboard:
      return 2;
    case Shape::ConsumerArray:
      return 2;
    case Shape::KeyboardLeds:
    case Shape::SystemControl:
    case Shape::Vendor:
      return 1;
  }
  return 1;
}

Shape ShapeOf(const SimCollection& collection, SimReportKind kind, uint8_t id, uint32_t dataBytes) {
  const HidTopLevelCollection& layout = collection.layout;
  const bool input = kind == SimReportKind::Input;
  Shape shape = Shape::Vendor;
  if (collection.commands && id == kSimCommandReportId) {
    shape = Shape::Vendor;
  } else if (input && collection.events && id == collection.eventReportId) {
    shape = Shape::ConsumerArray;
  } else if (layout.usagePage == kGenericDesktopPage && layout.usage == kMouseUsage && input) {
    shape = Shape::Pointer;
  } else if (layout.usagePage == kGenericDesktopPage && layout.usage == kKeyboardUsage) {
    shape = input ? Shape::Keyboard : kind == SimReportKind::Output ? Shape::KeyboardLeds : Shape::Vendor;
  } else if (layout.usagePage == kGenericDesktopPage && layout.usage == kSystemControlUsage && input) {
    shape = Shape::SystemControl;
  } else if (layout.usagePage == kConsumerPage && layout.usage == kConsumerControlUsage && input) {
    shape = Shape::ConsumerArray;
  }
  // A key bitmap past 64 bytes would need more usages than a field may hold.
  if (shape == Shape::Keyboard && dataBytes > kMaxKeyboardBytes) return Shape::Vendor;
  return dataBytes >= MinimumBytes(shape) ? shape : Shape::Vendor;
}

// Emits the fields of one shape; returns the bits they take.
uint32_t EmitShape(CDescriptorWriter& out, Shape shape, SimReportKind kind, uint16_t collectionPage,
                   uint32_t dataBytes) {
  switch (shape) {
    case Shape::Pointer:
      out.Usage(kPointerUsage);
      out.Collection(kPhysicalCollection);
      out.UsagePage(kButtonPage);
      out.UsageRange(1, 8);
      out.LogicalRange(0, 1);
      out.Field(kind, 1, 8, kDataVariableAbsolute);
      out.UsagePage(kGenericDesktopPage);
      out.Usage(0x30);  // X
      out.Usage(0x31);  // Y
      out.LogicalRange(-32767, 32767);
      out.Field(kind, 16, 2, kDataVariableRelative);
      out.Usage(0x38);  // wheel
      out.LogicalRange(-127, 127);
      out.Field(kind, 8, 1, kDataVariableRelative);
      out.UsagePage(kConsumerPage);
      out.Usage(0x0238);  // AC pan
      out.Field(kind, 8, 1, kDataVariableRelative);
      out.EndCollection();
      return 56;
    case Shape::Keyboard:
      out.UsagePage(kKeyboardPage);
      out.UsageRange(0xE0, 0xE7);
      out.LogicalRange(0, 1);
      out.Field(kind, 1, 8, kDataVariableAbsolute);
      if (dataBytes == 8) {
        out.Field(kind, 8, 1, kConstant);
        out.UsageRange(0x00, 0xFF);
        out.LogicalRange(0, 0xFF);
        out.Field(kind, 8, 6, kDataArrayAbsolute);
        return 64;
      }
      // A longer report is a key bitmap, as keyboards with full rollover send it.
      out.UsageRange(0x00, static_cast<uint16_t>((dataBytes - 1) * 8 - 1));
      out.Field(kind, 1, (dataBytes - 1) * 8, kDataVariableAbsolute);
      return dataBytes * 8;
    case Shape::KeyboardLeds:
      out.UsagePage(kLedPage);
      out.UsageRange(1, 5);
      out.LogicalRange(0, 1);
      out.Field(kind, 1, 5, kDataVariableAbsolute);
      return 5;
    case Shape::SystemControl:
      out.UsagePage(kGenericDesktopPage);
      out.UsageRange(0x81, 0x83);  // power down, sleep, wake up
      out.LogicalRange(1, 3);
      out.Field(kind, 2, 1, kDataArrayAbsolute | kDataArrayNullState);
      return 2;
    case Shape::ConsumerArray:
      out.UsagePage(kConsumerPage);
      out.UsageRange(0, 0x3FF);
      out.LogicalRange(0, 0x3FF);
      out.Field(kind, 16, 1, kDataArrayAbsolute);
      return 16;
    case Shape::Vendor:
      out.UsagePage(collectionPage >= kFirstVendorPage ? collectionPage : kFirstVendorPage);
      out.Usage(kind == SimReportKind::Input ? 0x01 : kind == SimReportKind::Output ? 0x02 : 0x03);
      out.LogicalRange(0, 0xFF);
      out.Field(kind, 8, dataBytes, kDataVariableAbsolute);
      return dataBytes * 8;
  }
  return 0;
}

void EmitPadding(CDescriptorWriter& out, SimReportKind kind, uint32_t bits) {
  if (bits % 8 != 0) out.Field(kind, bits % 8, 1, kConstant);
  for (uint32_t bytes = bits / 8; bytes > 0;) {
    const uint32_t count = std::min(bytes, kMaxPaddingBytesPerItem);
    out.Field(kind, 8, count, kConstant);
    bytes -= count;
  }
}

void Fail(std::string* error, const std::string& reason) {
  if (error) *error = reason;
}

std::string ReportName(SimReportKind kind, uint8_t id) {
  const char* kindName = kind == SimReportKind::Input ? "input" : kind == SimReportKind::Output ? "output" : "feature";
  return std::string(kindName) + " report " + std::to_string(id);
}

std::string IdList(const std::vector<uint8_t>& ids) {
  std::string text = "{";
  for (size_t i = 0; i < ids.size(); ++i) text += (i ? "," : "") + std::to_string(ids[i]);
  return text + "}";
}

}  // namespace

std::optional<std::vector<uint8_t>> BuildUhidReportDescriptor(const SimInterface& interface, std::string* error) {
  constexpr SimReportKind kKinds[] = {SimReportKind::Input, SimReportKind::Output, SimReportKind::Feature};
  bool numbered = false;
  bool unnumbered = false;
  for (const SimCollection& collection : interface.collections) {
    for (SimReportKind kind : kKinds) {
      for (uint8_t id : IdsOf(collection.layout, kind)) (id == 0 ? unnumbered : numbered) = true;
    }
  }
  if (interface.collections.empty()) {
    Fail(error, "interface " + std::to_string(interface.number) + " has no collection");
    return std::nullopt;
  }
  if (numbered && unnumbered) {
    Fail(error, "interface " + std::to_string(interface.number) + " mixes report ids with unnumbered reports");
    return std::nullopt;
  }

  CDescriptorWriter out;
  for (size_t index = 0; index < interface.collections.size(); ++index) {
    const SimCollection& collection = interface.collections[index];
    const HidTopLevelCollection& layout = collection.layout;
    const std::string where = "collection " + std::to_string(index + 1) + ": ";
    out.UsagePage(layout.usagePage);
    out.Usage(layout.usage);
    out.Collection(kApplicationCollection);
    for (SimReportKind kind : kKinds) {
      const std::vector<uint8_t>& ids = IdsOf(layout, kind);
      if (ids.empty() != (LongestOf(layout, kind) == 0)) {
        Fail(error, where + "a report kind has a length but no report, or reports but no length");
        return std::nullopt;
      }
      for (uint8_t id : ids) {
        const uint16_t length = ReportLength(collection, kind, id);
        if (length < 2) {
          Fail(error, where + ReportName(kind, id) + " carries no data");
          return std::nullopt;
        }
        const uint32_t dataBytes = length - 1u;
        if (numbered) out.Unsigned(kGlobal, kReportId, id);
        const uint32_t used =
            EmitShape(out, ShapeOf(collection, kind, id, dataBytes), kind, layout.usagePage, dataBytes);
        EmitPadding(out, kind, dataBytes * 8 - used);
      }
    }
    out.EndCollection();
  }

  std::string reason;
  std::optional<HidDescriptorSummary> parsed = ParseReportDescriptor(out.Bytes().data(), out.Bytes().size(), &reason);
  if (!parsed) {
    Fail(error, "the descriptor does not parse: " + reason);
    return std::nullopt;
  }
  std::vector<HidTopLevelCollection> expected;
  for (const SimCollection& collection : interface.collections) expected.push_back(collection.layout);
  if (std::string difference = DescribeCollectionDifference(expected, parsed->collections); !difference.empty()) {
    Fail(error, "the descriptor parses to other collections: " + difference);
    return std::nullopt;
  }
  return out.Bytes();
}

std::string DescribeCollectionDifference(const std::vector<HidTopLevelCollection>& expected,
                                         const std::vector<HidTopLevelCollection>& actual) {
  if (expected.size() != actual.size()) {
    return std::to_string(actual.size()) + " collections instead of " + std::to_string(expected.size());
  }
  for (size_t i = 0; i < expected.size(); ++i) {
    const HidTopLevelCollection& e = expected[i];
    const HidTopLevelCollection& a = actual[i];
    const std::string where = "collection " + std::to_string(i + 1) + ": ";
    char text[96];
    if (e.usagePage != a.usagePage || e.usage != a.usage) {
      std::snprintf(text, sizeof text, "usage %04x:%04x instead of %04x:%04x", a.usagePage, a.usage, e.usagePage,
                    e.usage);
      return where + text;
    }
    if (e.inputReportIds != a.inputReportIds) {
      return where + "input ids " + IdList(a.inputReportIds) + " instead of " + IdList(e.inputReportIds);
    }
    if (e.outputReportIds != a.outputReportIds) {
      return where + "output ids " + IdList(a.outputReportIds) + " instead of " + IdList(e.outputReportIds);
    }
    if (e.featureReportIds != a.featureReportIds) {
      return where + "feature ids " + IdList(a.featureReportIds) + " instead of " + IdList(e.featureReportIds);
    }
    if (e.inputReportByteLength != a.inputReportByteLength || e.outputReportByteLength != a.outputReportByteLength ||
        e.featureReportByteLength != a.featureReportByteLength) {
      std::snprintf(text, sizeof text, "lengths %u/%u/%u instead of %u/%u/%u", a.inputReportByteLength,
                    a.outputReportByteLength, a.featureReportByteLength, e.inputReportByteLength,
                    e.outputReportByteLength, e.featureReportByteLength);
      return where + text;
    }
  }
  return {};
}
