#include "profiles/recoil/recoil_table.h"

#include <algorithm>
#include <optional>
#include <strings.h>

#include "profiles/storage/json_access.h"
#include "profiles/storage/json_file.h"

namespace {

constexpr uint32_t kLeftButton = 1;
constexpr uint32_t kPressDelay = 10;
constexpr uint32_t kHorizontalDelay = 5;
// The types of a bullet's six events, in order.
constexpr uint32_t kBulletShape[kRecoilEventsPerBullet] = {kMacroEventMouseButton, kMacroEventMouseButton,
                                                           kMacroEventMoveX,       kMacroEventMoveY,
                                                           kMacroEventMoveX,       kMacroEventMoveY};
constexpr size_t kHorizontalEvent = 2;
constexpr size_t kVerticalEvent = 3;

Json::ArrayIndex EventIndex(int bullet, size_t event) {
  return static_cast<Json::ArrayIndex>(static_cast<size_t>(bullet) * kRecoilEventsPerBullet + event);
}

bool IsDown(const Json::Value& event) { return strcasecmp(TextOf(MemberOf(event, "Action")).c_str(), "down") == 0; }

Json::Value Event(uint32_t type, uint32_t button, bool down, uint32_t delay) {
  Json::Value value(Json::objectValue);
  value["Type"] = static_cast<Json::Int>(type);
  value["Button"] = static_cast<Json::Int>(button);
  value["Action"] = down ? "down" : "up";
  value["Delay"] = static_cast<Json::Int>(delay);
  return value;
}

// A whole non-negative number, or a text of decimal digits only; nothing else.
std::optional<uint64_t> StrictNumber(const Json::Value& value) {
  if (value.isString()) {
    const std::string text = value.asString();
    if (text.empty() || text.size() > 10 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      return std::nullopt;
    }
    return std::stoull(text);
  }
  if (value.isUInt64()) return value.asUInt64();
  return std::nullopt;
}

RecoilTableVerdict Verdict(RecoilTableCheck check, std::string detail) { return {check, std::move(detail)}; }

std::optional<std::string> EventProblem(const Json::Value& event, size_t place) {
  if (!event.isObject()) return "is not an object";
  const std::optional<uint64_t> type = StrictNumber(MemberOf(event, "Type"));
  const std::optional<uint64_t> button = StrictNumber(MemberOf(event, "Button"));
  const std::optional<uint64_t> delay = StrictNumber(MemberOf(event, "Delay"));
  if (!type || !button || !delay) return "has a \"Type\", \"Button\" or \"Delay\" that is not a number";
  if (*type != kBulletShape[place]) return "has type " + std::to_string(*type);
  const std::string action = TextOf(MemberOf(event, "Action"));
  if (strcasecmp(action.c_str(), "down") != 0 && strcasecmp(action.c_str(), "up") != 0) {
    return "has an \"Action\" other than down or up";
  }
  if (*button > kMaxRecoilDistance) return "moves " + std::to_string(*button) + ", more than a record holds";
  if (*delay > kMaxRecoilDelay) return "waits " + std::to_string(*delay) + " ms, more than a record holds";
  return std::nullopt;
}

}  // namespace

std::string RecoilTableFileName(int gun) { return "ShootData_" + std::to_string(gun) + ".Shoot"; }

RecoilBullet ReadRecoilBullet(const Json::Value& table, int bullet) {
  const Json::Value& events = MemberOf(table, kRecoilEventsKey);
  const Json::Value& horizontal = ElementOf(events, EventIndex(bullet, kHorizontalEvent));
  const Json::Value& vertical = ElementOf(events, EventIndex(bullet, kVerticalEvent));
  RecoilBullet values;
  values.left = IsDown(horizontal);
  values.x = LenientNumberOf(MemberOf(horizontal, "Button"));
  values.up = IsDown(vertical);
  values.y = LenientNumberOf(MemberOf(vertical, "Button"));
  values.delay = LenientNumberOf(MemberOf(vertical, "Delay"));
  return values;
}

void WriteRecoilBullet(Json::Value& table, int bullet, const RecoilBullet& values) {
  if (bullet < 0 || bullet >= kRecoilBulletCount) return;
  Json::Value& events = AsObject(table)[kRecoilEventsKey];
  if (!events.isArray()) events = Json::Value(Json::arrayValue);
  const uint32_t x = std::min(values.x, kMaxRecoilDistance);
  const uint32_t y = std::min(values.y, kMaxRecoilDistance);
  const uint32_t delay = std::min(values.delay, kMaxRecoilDelay);
  const Json::Value six[kRecoilEventsPerBullet] = {
      Event(kMacroEventMouseButton, kLeftButton, true, kPressDelay),
      Event(kMacroEventMouseButton, kLeftButton, false, 0),
      Event(kMacroEventMoveX, x, values.left, kHorizontalDelay),
      Event(kMacroEventMoveY, y, values.up, delay),
      Event(kMacroEventMoveX, 0, values.left, 0),
      Event(kMacroEventMoveY, 0, values.up, 0),
  };
  for (size_t event = 0; event < kRecoilEventsPerBullet; ++event) {
    ArrayElement(events, EventIndex(bullet, event)) = six[event];
  }
}

std::vector<RecoilPoint> RecoilPath(const Json::Value& table) {
  std::vector<RecoilPoint> path;
  RecoilPoint at;
  for (int bullet = 0; bullet < kRecoilBulletCount; ++bullet) {
    const RecoilBullet values = ReadRecoilBullet(table, bullet);
    const int x = static_cast<int>(std::min(values.x, kMaxRecoilDistance));
    const int y = static_cast<int>(std::min(values.y, kMaxRecoilDistance));
    at.x += values.left ? -x : x;
    at.y += values.up ? -y : y;
    path.push_back(at);
  }
  return path;
}

std::vector<MacroEvent> RecoilTableEvents(const Json::Value& table) {
  std::vector<MacroEvent> events;
  const Json::Value& list = MemberOf(table, kRecoilEventsKey);
  if (!list.isArray()) return events;
  // By index: an array grown past its end holds only the entries set, and the gaps are nulls.
  for (Json::ArrayIndex index = 0; index < list.size(); ++index) {
    const Json::Value& value = list[index];
    MacroEvent event = MacroEventFromJson(value);
    event.Down = IsDown(value);
    events.push_back(event);
  }
  return events;
}

RecoilTableVerdict CheckRecoilTable(const Json::Value& table) {
  const Json::Value& events = MemberOf(table, kRecoilEventsKey);
  if (!table.isObject() || !events.isArray()) return Verdict(RecoilTableCheck::kNotTable, "no \"Events\" array");
  if (events.size() != kRecoilTableEventCount) {
    return Verdict(RecoilTableCheck::kWrongCount, std::to_string(events.size()) + " events, not 30 bullets of 6");
  }
  for (Json::ArrayIndex index = 0; index < events.size(); ++index) {
    const size_t place = index % kRecoilEventsPerBullet;
    if (std::optional<std::string> problem = EventProblem(events[index], place)) {
      return Verdict(RecoilTableCheck::kBadEvent, "event " + std::to_string(index) + " " + *problem);
    }
  }
  return {};
}

RecoilTableVerdict CheckRecoilTableText(std::string_view text) {
  if (text.size() > kMaxRecoilTableFileBytes) return Verdict(RecoilTableCheck::kTooLarge, "the file is too large");
  Json::Value table;
  if (!ParseJsonText(text, table)) return Verdict(RecoilTableCheck::kNotJson, "the file is not JSON");
  return CheckRecoilTable(table);
}
