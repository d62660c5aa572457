#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "profiles/records/key_assignment.h"

// The mouse's logical buttons are found in its button-record image by their factory records.
inline constexpr size_t kMouseLogicalButtons = 11;
// Map entry of a button with no record. The image holds at most 170 records (0 ... 169), so this
// is never a real record index.
inline constexpr uint16_t kNoButtonRecord = 170;
inline constexpr size_t kConfigImageCapacity = 512;
inline constexpr size_t kButtonRecordSize = 3;

// Entry j: index of logical button j's record in the image, or kNoButtonRecord.
using ButtonRecordMap = std::array<uint16_t, kMouseLogicalButtons>;

// Button j's factory record, with key index j; a button past the last gives an all-zero record.
KeyAssignment FactoryButtonRecord(size_t logicalButton);

// A map with no button on any record, as before the first read.
ButtonRecordMap UnmappedButtons();

// `image` is the 3 * N bytes read from the device; a trailing partial record and anything past
// the image capacity are ignored. The first record equal to a button's factory record wins.
ButtonRecordMap BuildButtonRecordMap(std::span<const uint8_t> image);

// The map to use for an image of `recordCount` records. A button's place, once fixed, must not
// move: after a reassignment the image no longer shows the factory record (or shows it in another
// button's place, after a left/right swap), so the remembered place wins. Only a button with no
// remembered place takes what the factory search found, and only when no other button holds that
// record. Remembered places past the image are dropped.
ButtonRecordMap MergeButtonRecordMaps(const ButtonRecordMap& remembered, const ButtonRecordMap& found,
                                      size_t recordCount);
