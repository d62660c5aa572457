// Walks a HID report descriptor (short items only) and sums up, per top-level collection, the
// report ids it declares and the byte length of its longest input, output and feature report.
// Usages below the top level, logical ranges and units are read past: the port only routes whole
// reports and never decodes fields.
//
// Decisions where the HID specification leaves room, made so that a descriptor we accept is one
// Windows would also build interface paths for:
// - Long items are refused; no device we talk to uses them and Windows does not parse them.
// - A data item (Input, Output, Feature) outside every collection is refused: it belongs to no
//   top-level collection, so no interface path could ever read or write it.
// - A descriptor that mixes data items with and without a report id is refused: once reports
//   carry ids the first byte of every report is its id, and an unnumbered report would be misread.
// - A report id used by several top-level collections is listed in each of them; its length is
//   the sum over the whole descriptor, as the kernel assembles it.
// - Reserved main items (a 0x00 byte among them, seen as trailing padding in real descriptors)
//   and unknown local items are skipped, as the kernel skips them; unknown global items are
//   refused, as the kernel refuses them.
// - Limits: report size at most 256 bits and report count at most 12288 (the kernel's limits),
//   one report at most 4096 bytes, the global stack at most 16 deep, at most 255 top-level
//   collections (an interface path numbers them in two hexadecimal digits).
#include "platform/hid/report_descriptor.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr uint32_t kMaxReportSizeBits = 256;
constexpr uint32_t kMaxReportCount = 12288;
constexpr uint32_t kMaxReportBytes = 4096;
constexpr size_t kMaxGlobalStackDepth = 16;
constexpr size_t kMaxTopLevelCollections = 255;
constexpr uint8_t kLongItemPrefix = 0xFE;

enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };

enum MainTag : uint8_t { kInput = 0x8, kOutput = 0x9, kCollection = 0xA, kFeature = 0xB, kEndCollection = 0xC };

enum GlobalTag : uint8_t {
  kUsagePage = 0x0,
  kLogicalMinimum = 0x1,
  kLogicalMaximum = 0x2,
  kPhysicalMinimum = 0x3,
  kPhysicalMaximum = 0x4,
  kUnitExponent = 0x5,
  kUnit = 0x6,
  kReportSize = 0x7,
  kReportId = 0x8,
  kReportCount = 0x9,
  kPush = 0xA,
  kPop = 0xB,
};

enum LocalTag : uint8_t { kUsage = 0x0 };

enum ReportKind : size_t { kInputKind = 0, kOutputKind = 1, kFeatureKind = 2, kKindCount = 3 };

struct GlobalState {
  uint16_t usagePage = 0;
  uint32_t reportSize = 0;
  uint32_t reportCount = 0;
  uint8_t reportId = 0;
};

struct LocalState {
  bool hasUsage = false;
  bool usageIsExtended = false;  // a four-byte usage carries its own usage page in the high half
  uint32_t usage = 0;
};

class CDescriptorParser {
 public:
  CDescriptorParser(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  std::optional<HidDescriptorSummary> Parse(std::string* error) {
    if (size_ == 0) return Fail(error, "the descriptor is empty");
    size_t offset = 0;
    while (offset < size_) {
      const uint8_t prefix = data_[offset];
      if (prefix == kLongItemPrefix) return Fail(error, offset, "long items are not supported");
      const size_t dataSize = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
      if (size_ - offset - 1 < dataSize) return Fail(error, offset, "item is truncated");
      uint32_t value = 0;
      for (size_t i = 0; i < dataSize; ++i) value |= static_cast<uint32_t>(data_[offset + 1 + i]) << (8 * i);
      const uint8_t type = (prefix >> 2) & 0x3;
      const uint8_t tag = prefix >> 4;
      const char* problem = nullptr;
      switch (type) {
        case kMain: problem = MainItem(tag, offset); break;
        case kGlobal: problem = GlobalItem(tag, value); break;
        case kLocal: LocalItem(tag, value, dataSize); break;
        default: problem = "item type is reserved"; break;
      }
      if (problem) return Fail(error, offset, problem);
      offset += 1 + dataSize;
    }
    if (depth_ != 0) return Fail(error, openedAt_, "collection is never closed");
    if (summary_.collections.empty()) return Fail(error, "the descriptor declares no collection");
    if (sawNumberedData_ && sawUnnumberedData_) {
      return Fail(error, "data items with and without a report id are mixed");
    }
    summary_.usesReportIds = sawNumberedData_;
    for (HidTopLevelCollection& collection : summary_.collections) {
      collection.inputReportByteLength = LongestReport(kInputKind, collection.inputReportIds);
      collection.outputReportByteLength = LongestReport(kOutputKind, collection.outputReportIds);
      collection.featureReportByteLength = LongestReport(kFeatureKind, collection.featureReportIds);
    }
    return std::move(summary_);
  }

 private:
  // The collection type in a Collection item's data does not matter: every outermost collection
  // is a top-level collection, whatever its type.
  const char* MainItem(uint8_t tag, size_t offset) {
    const char* problem = nullptr;
    switch (tag) {
      case kInput: problem = DataItem(kInputKind); break;
      case kOutput: problem = DataItem(kOutputKind); break;
      case kFeature: problem = DataItem(kFeatureKind); break;
      case kCollection:
        if (depth_ == 0) {
          if (summary_.collections.size() == kMaxTopLevelCollections) return "too many top-level collections";
          HidTopLevelCollection collection;
          collection.usagePage = local_.usageIsExtended ? static_cast<uint16_t>(local_.usage >> 16) : global_.usagePage;
          collection.usage = static_cast<uint16_t>(local_.usage & 0xFFFF);
          summary_.collections.push_back(std::move(collection));
          openedAt_ = offset;
        }
        ++depth_;
        break;
      case kEndCollection:
        if (depth_ == 0) return "end collection without an open collection";
        --depth_;
        break;
      default:
        break;
    }
    local_ = LocalState{};
    return problem;
  }

  const char* DataItem(size_t kind) {
    if (depth_ == 0) return "data item outside any collection";
    uint32_t& bits = reportBits_[kind][global_.reportId];
    // Both factors are capped when they are declared, so the product fits easily.
    bits += global_.reportSize * global_.reportCount;
    if (bits > kMaxReportBytes * 8) return "report is longer than 4096 bytes";
    (global_.reportId == 0 ? sawUnnumberedData_ : sawNumberedData_) = true;
    std::vector<uint8_t>& ids = IdsOf(summary_.collections.back(), kind);
    if (std::find(ids.begin(), ids.end(), global_.reportId) == ids.end()) ids.push_back(global_.reportId);
    return nullptr;
  }

  const char* GlobalItem(uint8_t tag, uint32_t value) {
    switch (tag) {
      case kUsagePage:
        if (value > 0xFFFF) return "usage page is wider than 16 bits";
        global_.usagePage = static_cast<uint16_t>(value);
        return nullptr;
      case kReportSize:
        if (value > kMaxReportSizeBits) return "report size is past 256 bits";
        global_.reportSize = value;
        return nullptr;
      case kReportCount:
        if (value > kMaxReportCount) return "report count is past 12288";
        global_.reportCount = value;
        return nullptr;
      case kReportId:
        if (value == 0 || value > 255) return "report id is outside 1..255";
        global_.reportId = static_cast<uint8_t>(value);
        return nullptr;
      case kPush:
        if (stack_.size() == kMaxGlobalStackDepth) return "push nests deeper than 16";
        stack_.push_back(global_);
        return nullptr;
      case kPop:
        if (stack_.empty()) return "pop without push";
        global_ = stack_.back();
        stack_.pop_back();
        return nullptr;
      case kLogicalMinimum:
      case kLogicalMaximum:
      case kPhysicalMinimum:
      case kPhysicalMaximum:
      case kUnitExponent:
      case kUnit:
        return nullptr;
      default:
        return "global item tag is reserved";
    }
  }

  void LocalItem(uint8_t tag, uint32_t value, size_t dataSize) {
    // A collection takes the first usage declared before it, as the kernel does.
    if (tag != kUsage || local_.hasUsage) return;
    local_.hasUsage = true;
    local_.usageIsExtended = dataSize == 4;
    local_.usage = value;
  }

  uint16_t LongestReport(size_t kind, const std::vector<uint8_t>& ids) const {
    uint32_t longest = 0;
    for (uint8_t id : ids) longest = std::max(longest, (reportBits_[kind][id] + 7) / 8 + 1);
    return static_cast<uint16_t>(longest);
  }

  static std::vector<uint8_t>& IdsOf(HidTopLevelCollection& collection, size_t kind) {
    if (kind == kInputKind) return collection.inputReportIds;
    if (kind == kOutputKind) return collection.outputReportIds;
    return collection.featureReportIds;
  }

  static std::nullopt_t Fail(std::string* error, const char* reason) {
    if (error) *error = reason;
    return std::nullopt;
  }

  static std::nullopt_t Fail(std::string* error, size_t offset, const char* reason) {
    if (error) {
      char text[128];
      std::snprintf(text, sizeof text, "offset %zu: %s", offset, reason);
      *error = text;
    }
    return std::nullopt;
  }

  const uint8_t* data_;
  size_t size_;
  GlobalState global_;
  LocalState local_;
  std::vector<GlobalState> stack_;
  size_t depth_ = 0;
  size_t openedAt_ = 0;
  bool sawNumberedData_ = false;
  bool sawUnnumberedData_ = false;
  std::array<std::array<uint32_t, 256>, kKindCount> reportBits_{};
  HidDescriptorSummary summary_;
};

}  // namespace

std::optional<HidDescriptorSummary> ParseReportDescriptor(const uint8_t* data, size_t size, std::string* error) {
  if (!data && size != 0) return CDescriptorParser(nullptr, 0).Parse(error);
  return CDescriptorParser(data, size).Parse(error);
}
