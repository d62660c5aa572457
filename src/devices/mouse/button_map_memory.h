#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "devices/mouse/button_record_map.h"

// Where each logical button's record lies in a mouse's image, remembered from the first read that
// found it ("ButtonRecordMap.json" in the kind's data folder) so that it survives reassignments,
// re-reads and restarts. Places are kept per image size and firmware: another firmware may lay
// its records out otherwise.
//
// { "maps": [ { "records": 16, "firmware": 265, "map": [0, 1, …] }, … ] }, newest first.
class CButtonMapMemory {
 public:
  explicit CButtonMapMemory(std::string path) : path_(std::move(path)) {}

  // The places kept for this image size and firmware; with the firmware unknown (0, through the
  // receiver) or not kept, the newest for this image size. Nothing when none are kept or the file
  // is unreadable.
  std::optional<ButtonRecordMap> Find(size_t recordCount, uint16_t firmware) const;
  // Keeps the places, replacing those of the same image size and firmware. False when the file
  // could not be written (the old one is then unchanged).
  bool Remember(size_t recordCount, uint16_t firmware, const ButtonRecordMap& map);

 private:
  std::string path_;
};

inline constexpr const char* kButtonMapMemoryFile = "ButtonRecordMap.json";
