#pragma once
#include <json/json.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/macros/macro_event.h"

// A recoil table: the pattern of small pointer moves the mouse plays for one gun while a button
// with the gun-key function fires. The mouse keeps four tables (one per recoil slot), each of 30
// bullets; a table file is a JSON object whose "Events" array holds six macro events per bullet:
//
//   6b     left button down, 10 ms        6b + 3  vertical move (down = up), the bullet's delay
//   6b + 1 left button up, 0 ms           6b + 4  horizontal move 0, same direction, 0 ms
//   6b + 2 horizontal move (down = left), 5 ms     6b + 5  vertical move 0, same direction, 0 ms
//
// "Button" carries the distance. Other keys of the object are kept when a bullet is written.
inline constexpr int kRecoilGunCount = 4;
inline constexpr int kRecoilBulletCount = 30;
inline constexpr int kRecoilEventsPerBullet = 6;
inline constexpr size_t kRecoilTableEventCount = size_t{kRecoilBulletCount} * kRecoilEventsPerBullet;
// The device record holds a distance in 8 bits and a delay in 16.
inline constexpr uint32_t kMaxRecoilDistance = 0xFF;
inline constexpr uint32_t kMaxRecoilDelay = 0xFFFF;
// A table file is about 20 KB written out; an import far larger is not one.
inline constexpr size_t kMaxRecoilTableFileBytes = 256 * 1024;

inline constexpr const char* kRecoilEventsKey = "Events";

// "ShootData_" + gun + ".Shoot".
std::string RecoilTableFileName(int gun);

struct RecoilBullet {
  uint32_t x = 0;
  bool left = false;  // the horizontal move goes left, else right
  uint32_t y = 0;
  bool up = false;  // the vertical move goes up, else down
  uint32_t delay = 0;

  bool operator==(const RecoilBullet&) const = default;
};

// The bullet's values from a table document; a missing or damaged event reads as 0 and right/down.
// The direction is "down" in any letter case.
RecoilBullet ReadRecoilBullet(const Json::Value& table, int bullet);

// Writes the six events of `bullet` (0 … 29) into `table` (made an object with an "Events" array
// when it is anything else; the array grows with nulls as needed). Distances and the delay are
// brought into what the device record holds.
void WriteRecoilBullet(Json::Value& table, int bullet, const RecoilBullet& values);

// The positions the pointer reaches after each bullet of a table, starting from (0, 0); x grows to
// the right, y downwards, as on the screen.
struct RecoilPoint {
  int x = 0;
  int y = 0;
  bool operator==(const RecoilPoint&) const = default;
};
std::vector<RecoilPoint> RecoilPath(const Json::Value& table);

// The table's events in file order (null entries are all-zero events).
std::vector<MacroEvent> RecoilTableEvents(const Json::Value& table);

// Whether a file's text is a recoil table this program can keep: a JSON object whose "Events"
// are exactly 30 bullets of the six-event shape above, with numbers (or decimal texts) for
// "Type", "Button" and "Delay", "down" or "up" for "Action", distances within 0 … 255 and delays
// within 0 … 65535.
enum class RecoilTableCheck {
  kAccepted,
  kTooLarge,
  kNotJson,
  kNotTable,    // no object, or no "Events" array
  kWrongCount,  // not 30 bullets
  kBadEvent,    // an event of the wrong type, direction or range
};
struct RecoilTableVerdict {
  RecoilTableCheck check = RecoilTableCheck::kAccepted;
  std::string detail;  // for the trace
};
RecoilTableVerdict CheckRecoilTableText(std::string_view text);
RecoilTableVerdict CheckRecoilTable(const Json::Value& table);
