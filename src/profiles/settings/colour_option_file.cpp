#include "profiles/settings/colour_option_file.h"

#include <cstdio>
#include <utility>

#include "platform/debug_output.h"
#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"

namespace {

constexpr const char* kInfo = "coloroptioninfo";
constexpr const char* kPresets = "palletDialogcoloroption";
constexpr const char* kPresetSelection = "palletDialogcoloroption_selectitem";
constexpr const char* kCollected = "palletDialogcollectcoloroption";
constexpr const char* kCollectedSelection = "palletDialogcollectcoloroption_selectitem";
constexpr const char* kColour = "color";
constexpr const char* kUserData = "UserData";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string ColourText(uint32_t argb) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(argb));
  return text;
}

std::optional<uint32_t> ParseColourText(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  return value;
}

CColourOptionFile::CColourOptionFile(std::string userPath, std::string factoryPath)
    : userPath_(std::move(userPath)), factoryPath_(std::move(factoryPath)) {}

bool CColourOptionFile::Load() {
  const JsonFileLoad user = LoadJsonDocument(userPath_);
  if (user.state == JsonFileState::kLoaded) {
    document_ = user.document;
    return true;
  }
  document_ = LoadJsonFile(factoryPath_);
  if (document_.isNull()) {
    OutputDebugString("no colour options: " + factoryPath_);
    return false;
  }
  // A user copy that is there but cannot be read may be fine; it is not replaced unseen.
  if (user.state != JsonFileState::kUnreadable) SaveJsonDocument(document_, userPath_, notices_);
  return true;
}

std::optional<CollectedColour> CColourOptionFile::Collected(int slot) const {
  const Json::Value& entry =
      ElementOf(MemberOf(MemberOf(document_, kInfo), kCollected), static_cast<Json::ArrayIndex>(slot));
  const std::optional<uint32_t> colour = ParseColourText(TextOf(MemberOf(entry, kColour)));
  if (slot < 0 || !colour) return std::nullopt;
  return CollectedColour{*colour, TextOf(MemberOf(entry, kUserData))};
}

bool CColourOptionFile::HasCollectedSelection() const {
  return MemberOf(document_, kInfo).isMember(kCollectedSelection);
}

Json::Value& CColourOptionFile::Info() {
  if (!document_.isObject()) document_ = Json::Value(Json::objectValue);
  Json::Value& info = document_[kInfo];
  if (!info.isObject()) info = Json::Value(Json::objectValue);
  return info;
}

Json::Value& CColourOptionFile::SlotEntry(const char* arrayKey, int slot) {
  Json::Value& list = Info()[arrayKey];
  if (!list.isArray()) list = Json::Value(Json::arrayValue);
  // The file always holds all twenty, so a reader finds every slot where it expects it.
  while (list.size() < static_cast<Json::ArrayIndex>(kColourOptionSlots)) list.append(Json::Value(Json::objectValue));
  Json::Value& entry = list[static_cast<Json::ArrayIndex>(slot)];
  if (!entry.isObject()) entry = Json::Value(Json::objectValue);
  return entry;
}

bool CColourOptionFile::SavePresets(const std::array<std::optional<uint32_t>, kColourOptionSlots>& colours,
                                    int selected) {
  for (int i = 0; i < kColourOptionSlots; ++i) {
    if (const std::optional<uint32_t>& colour = colours[static_cast<size_t>(i)]) {
      SlotEntry(kPresets, i)[kColour] = ColourText(*colour);
    }
  }
  Info()[kPresetSelection] = selected;
  return Write();
}

bool CColourOptionFile::SaveCollected(const std::array<std::optional<CollectedColour>, kColourOptionSlots>& slots,
                                      int selected) {
  for (int i = 0; i < kColourOptionSlots; ++i) {
    if (const std::optional<CollectedColour>& slot = slots[static_cast<size_t>(i)]) {
      Json::Value& entry = SlotEntry(kCollected, i);
      entry[kColour] = ColourText(slot->colour);
      entry[kUserData] = slot->userData;
    }
  }
  Info()[kCollectedSelection] = selected;
  return Write();
}

bool CColourOptionFile::Write() { return SaveJsonDocument(document_, userPath_, notices_); }
