#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "profiles/macros/macro_event.h"

// The device image of a list of event records: the macro memory takes the bound macros in it,
// and the recoil memory takes the four recoil tables in the same layout. Little-endian:
//
//   0  signature 0x55AA (AA 55)     2  total length, header included     4  record count n
//   6  ten reserved zero bytes      16 n offsets of the records from the image start
//   16 + 2n  the records back to back: event count (2), two reserved bytes, 4 bytes per event
inline constexpr uint16_t kMacroImageSignature = 0x55AA;
inline constexpr size_t kMacroImageHeaderSize = 16;
inline constexpr size_t kMacroRecordHeaderSize = 4;
// The length and the offsets are 16-bit fields.
inline constexpr size_t kMaxMacroImageLength = 0xFFFF;

// 16 + 6n + 4 × (sum of the event counts).
size_t MacroImageLength(const std::vector<size_t>& eventCounts);

// Encodes the records in order. Returns false, leaving `image` empty, when the image would be
// longer than its 16-bit length field can say.
bool EncodeMacroImage(const std::vector<std::vector<MacroEvent>>& records, std::vector<uint8_t>& image);

// Macro memory is counted in units of 128 bytes (byte 6 of the device information block).
inline constexpr size_t kMacroMemoryUnitBytes = 128;

// 0 when an image of `length` bytes fits into `units` × 128 bytes; otherwise how many events must
// go before it fits, ((length − capacity) ÷ 4, truncated) + 1.
int EventsOverCapacity(size_t length, uint8_t units);
