#include "profiles/profile_import_schema.h"

#include <cstdint>
#include <iterator>
#include <limits>

#include "profiles/records/profile_limits.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/text_conversions.h"

namespace {

// Every key a device object may hold, with the type and range of its value. Lists carry the
// largest count any device can use.
enum class ValueKind { kByte, kHalf, kWord, kInt, kFlag, kAssignment, kText };

struct Rule;
struct MemberRule {
  const char* key;
  const Rule* rule;
};

struct Rule {
  enum Shape { kScalar, kObject, kList } shape = kScalar;
  ValueKind kind = ValueKind::kInt;
  const MemberRule* members = nullptr;
  size_t memberCount = 0;
  const Rule* element = nullptr;
  size_t cap = 0;
};

constexpr Rule kByte{Rule::kScalar, ValueKind::kByte};
constexpr Rule kHalf{Rule::kScalar, ValueKind::kHalf};
constexpr Rule kWord{Rule::kScalar, ValueKind::kWord};
constexpr Rule kInt{Rule::kScalar, ValueKind::kInt};
constexpr Rule kFlag{Rule::kScalar, ValueKind::kFlag};
constexpr Rule kAssignment{Rule::kScalar, ValueKind::kAssignment};
constexpr Rule kText{Rule::kScalar, ValueKind::kText};

constexpr Rule ObjectRule(const MemberRule* members, size_t count) { return {Rule::kObject, ValueKind::kInt, members, count}; }
constexpr Rule ListRule(const Rule* element, size_t cap) { return {Rule::kList, ValueKind::kInt, nullptr, 0, element, cap}; }

constexpr MemberRule kLightInfoMembers[] = {
    {"SelectItem", &kByte}, {"Light", &kByte}, {"Speed", &kByte},      {"Fx", &kByte},
    {"MultiColor", &kFlag}, {"Red", &kByte},   {"Green", &kByte},      {"Blue", &kByte},
    {"ZZCCLedMode", &kByte}, {"CustomGroup", &kByte}, {"OldLedmode", &kByte}};
constexpr MemberRule kAudioLightMembers[] = {
    {"AudioMode", &kInt},   {"BkColorR", &kByte}, {"BkColorG", &kByte},    {"BkColorB", &kByte},
    {"FgColorR", &kByte},   {"FgColorG", &kByte}, {"FgColorB", &kByte},    {"7ColorFlags", &kFlag},
    {"ColorTypeFlags", &kFlag}};
constexpr MemberRule kLightZoneMembers[] = {
    {"LEDREGMode", &kByte}, {"LEDBrightness", &kByte}, {"LEDSpeed", &kByte}, {"LEDDirection", &kFlag},
    {"LEDMultiColor", &kFlag}, {"red", &kByte},       {"green", &kByte},    {"blue", &kByte}};
constexpr MemberRule kKeyMembers[] = {{"Assignment", &kAssignment}, {"DefaultAssignment", &kAssignment}};
constexpr MemberRule kStageMembers[] = {
    {"StageActive", &kByte}, {"StageXY", &kByte},     {"StageDPIX", &kHalf},  {"StageDPIY", &kHalf},
    {"StageColorR", &kByte}, {"StageColorG", &kByte}, {"StageColorB", &kByte}};
// Mouse and keyboard keys together: an import is not tied to one device kind.
constexpr MemberRule kSystemStagesMembers[] = {
    {"DoubleClickTime", &kHalf}, {"MouseSpeed", &kHalf}, {"PointerPrecision", &kHalf}, {"ScorllPage", &kHalf},
    {"WheelScorlllinse", &kHalf}, {"Logoledmode", &kHalf}, {"Repeat", &kHalf},        {"RepeatDelay", &kHalf},
    {"Key6Flag", &kHalf},        {"PollingRate", &kHalf}, {"WFlag", &kHalf},           {"WinFlag", &kHalf}};
constexpr MemberRule kReportStagesMembers[] = {
    {"StageActive", &kHalf}, {"SilentAltitude", &kHalf}, {"Linear_Calibration", &kHalf}, {"Ripple", &kWord},
    {"ble_sleep1", &kHalf},  {"ble_sleep2", &kHalf},     {"device_sleep1", &kHalf},      {"device_sleep2", &kHalf},
    {"key_debounce_time", &kHalf}};
constexpr MemberRule kSystemSetStagesMembers[] = {
    {"MagicEnable", &kInt}, {"MagicType", &kInt},  {"EqType", &kInt},           {"CustomEqSeletIndex", &kInt},
    {"MicInSelect", &kInt}, {"MicInValue", &kInt}, {"MicMoniterSelect", &kInt}, {"MicMoniterValue", &kInt}};
constexpr MemberRule kColourMembers[] = {{"Red", &kByte}, {"Green", &kByte}, {"Blue", &kByte}, {"Alpha", &kByte}};
constexpr MemberRule kBandMembers[] = {{"value", &kInt}};
constexpr MemberRule kEqNameMembers[] = {{"Name", &kText}};

constexpr Rule kLightZone = ObjectRule(kLightZoneMembers, std::size(kLightZoneMembers));
constexpr Rule kKey = ObjectRule(kKeyMembers, std::size(kKeyMembers));
constexpr Rule kStage = ObjectRule(kStageMembers, std::size(kStageMembers));
constexpr Rule kStageList = ListRule(&kStage, kMaxDpiStages);
constexpr MemberRule kDpiStagesMembers[] = {{"StageActive", &kInt}, {"StageDPIs", &kStageList}};
constexpr Rule kColour = ObjectRule(kColourMembers, std::size(kColourMembers));
constexpr Rule kColourGroup = ListRule(&kColour, kMaxCustomColoursPerGroup);
constexpr Rule kColourGroups = ListRule(&kColourGroup, kMaxCustomColourGroups);
constexpr MemberRule kCustomLightMembers[] = {{"CustomLightModeGroupIndex", &kInt}, {"LightColorInfo", &kColourGroups}};
constexpr Rule kBand = ObjectRule(kBandMembers, std::size(kBandMembers));
constexpr Rule kBands = ListRule(&kBand, kEqBandCount);
constexpr Rule kPresetBands = ListRule(&kBands, kCustomEqPreset);
constexpr Rule kCustomBands = ListRule(&kBands, kMaxCustomEqualisers);
constexpr Rule kEqName = ObjectRule(kEqNameMembers, std::size(kEqNameMembers));
constexpr Rule kEqNames = ListRule(&kEqName, kMaxCustomEqualisers);

constexpr Rule kLightInfo = ObjectRule(kLightInfoMembers, std::size(kLightInfoMembers));
constexpr Rule kAudioLight = ObjectRule(kAudioLightMembers, std::size(kAudioLightMembers));
constexpr Rule kLightList = ListRule(&kLightZone, kMaxLightListEntries);
constexpr Rule kKeyList = ListRule(&kKey, kMaxKeyListEntries);
constexpr Rule kDpiStages = ObjectRule(kDpiStagesMembers, std::size(kDpiStagesMembers));
constexpr Rule kSystemStages = ObjectRule(kSystemStagesMembers, std::size(kSystemStagesMembers));
constexpr Rule kReportStages = ObjectRule(kReportStagesMembers, std::size(kReportStagesMembers));
constexpr Rule kCustomLight = ObjectRule(kCustomLightMembers, std::size(kCustomLightMembers));
constexpr Rule kSystemSetStages = ObjectRule(kSystemSetStagesMembers, std::size(kSystemSetStagesMembers));

constexpr MemberRule kDeviceMembers[] = {
    {"LightInfo", &kLightInfo},         {"AudioLightInfo", &kAudioLight},     {"LightList", &kLightList},
    {"KeyList", &kKeyList},             {"DPIStages", &kDpiStages},           {"SystemStages", &kSystemStages},
    {"ReportStages", &kReportStages},   {"CustomLightMode", &kCustomLight},   {"SystemSetStages", &kSystemSetStages},
    {"EQHzValueInfo", &kPresetBands},   {"CustomEQNameInfo", &kEqNames},      {"CustomEQHzValueInfo", &kCustomBands}};
constexpr Rule kDevice = ObjectRule(kDeviceMembers, std::size(kDeviceMembers));

enum class Verdict { kKeep, kDrop, kRefuse };

struct Range {
  int64_t low;
  int64_t high;
};

Range RangeOf(ValueKind kind) {
  switch (kind) {
    case ValueKind::kByte:
      return {0, 0xFF};
    case ValueKind::kHalf:
      return {0, 0xFFFF};
    case ValueKind::kWord:
      return {0, 0xFFFFFFFFLL};
    case ValueKind::kAssignment:
      return {0, 0xFFFFFF};
    default:
      return {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
  }
}

class CDeviceObjectCleaner {
 public:
  explicit CDeviceObjectCleaner(ProfileImportCheck& check) : check_(check) {}

  Verdict Clean(const Json::Value& in, const Rule& rule, const std::string& place, Json::Value& out) {
    switch (rule.shape) {
      case Rule::kScalar:
        return CleanScalar(in, rule.kind, place, out);
      case Rule::kObject:
        return CleanObject(in, rule, place, out);
      case Rule::kList:
        return CleanList(in, rule, place, out);
    }
    return Verdict::kDrop;
  }

 private:
  Verdict Drop(const std::string& place, const char* why) {
    check_.adjustments.push_back(place + " " + why);
    return Verdict::kDrop;
  }

  Verdict Refuse(ProfileImportRefusal refusal, std::string detail) {
    check_.refusal = refusal;
    check_.detail = std::move(detail);
    return Verdict::kRefuse;
  }

  Verdict CleanScalar(const Json::Value& in, ValueKind kind, const std::string& place, Json::Value& out) {
    if (kind == ValueKind::kText) {
      if (!in.isString()) return Drop(place, "is not text and was dropped");
      if (!IsImportableName(in.asString())) return Refuse(ProfileImportRefusal::kNotText, place + " is not readable text.");
      out = in;
      return Verdict::kKeep;
    }
    if (kind == ValueKind::kFlag) {
      if (in.isBool()) {
        out = in;
      } else if (in.isNumeric()) {
        out = FlagOf(in) ? 1 : 0;
      } else {
        return Drop(place, "is not a flag and was dropped");
      }
      return Verdict::kKeep;
    }
    if (!in.isNumeric() && !in.isBool()) return Drop(place, "is not a number and was dropped");
    Range range = RangeOf(kind);
    int64_t value = IntegerOf(in);
    if (value < range.low || value > range.high) {
      value = value < range.low ? range.low : range.high;
      check_.adjustments.push_back(place + " was brought into its range");
    }
    out = static_cast<Json::Int64>(value);
    return Verdict::kKeep;
  }

  Verdict CleanObject(const Json::Value& in, const Rule& rule, const std::string& place, Json::Value& out) {
    if (!in.isObject()) return Drop(place, "is not an object and was dropped");
    out = Json::Value(Json::objectValue);
    for (size_t m = 0; m < rule.memberCount; ++m) {
      const MemberRule& member = rule.members[m];
      const Json::Value& value = MemberOf(in, member.key);
      if (value.isNull()) continue;
      Json::Value cleaned;
      Verdict verdict = Clean(value, *member.rule, place + "." + member.key, cleaned);
      if (verdict == Verdict::kRefuse) return verdict;
      if (verdict == Verdict::kKeep) out[member.key] = cleaned;
    }
    return Verdict::kKeep;
  }

  // Positions in a list carry meaning (key index, preset number), so an element that cannot be
  // kept becomes null in place rather than closing up the list.
  Verdict CleanList(const Json::Value& in, const Rule& rule, const std::string& place, Json::Value& out) {
    if (!in.isArray()) return Drop(place, "is not a list and was dropped");
    if (in.size() > rule.cap) {
      return Refuse(ProfileImportRefusal::kTooManyEntries, place + " has " + std::to_string(in.size()) +
                                                               " entries; no device uses more than " +
                                                               std::to_string(rule.cap) + ".");
    }
    out = Json::Value(Json::arrayValue);
    for (Json::ArrayIndex i = 0; i < in.size(); ++i) {
      Json::Value cleaned;
      if (!in[i].isNull()) {
        Verdict verdict = Clean(in[i], *rule.element, place + "[" + std::to_string(i) + "]", cleaned);
        if (verdict == Verdict::kRefuse) return verdict;
      }
      out.append(cleaned);
    }
    return Verdict::kKeep;
  }

  ProfileImportCheck& check_;
};

}  // namespace

bool IsImportableName(const std::string& text) {
  if (text.size() > kMaxImportedNameBytes || !IsValidUtf8(text)) return false;
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  }
  return true;
}

bool CleanImportedDeviceObject(const Json::Value& device, const std::string& place, Json::Value& clean,
                               ProfileImportCheck& check) {
  CDeviceObjectCleaner cleaner(check);
  Verdict verdict = cleaner.Clean(device, kDevice, place, clean);
  if (verdict == Verdict::kDrop) clean = Json::Value();
  return verdict != Verdict::kRefuse;
}
