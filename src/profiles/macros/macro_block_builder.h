#pragma once
#include <cstdint>
#include <vector>

#include "profiles/macros/macro_store.h"

// Building the macro image a device receives with its key assignments, with the size rules that
// decide whether it may be sent at all.
enum class MacroBlockStatus {
  kReady,          // `image` is ready to send
  kNothingToSend,  // no list, an empty list, or no macro bound: send nothing, report success
  kMacroTooLong,   // a bound macro has more than 60 events (`number` is its event count)
  kOverCapacity,   // the image is larger than the macro memory (`number` events must go)
};

// The mouse refuses a bound macro of more than 60 events; the keyboard does not check.
enum class MacroEventLimit { kEnforce, kIgnore };

struct MacroBlockBuild {
  MacroBlockStatus status = MacroBlockStatus::kNothingToSend;
  int number = 0;
  std::vector<uint8_t> image;

  // The device operation's result code: 0 (sent or nothing to do), or the positive number
  // above, which the caller reports instead of sending anything.
  int ResultCode() const { return status == MacroBlockStatus::kReady || status == MacroBlockStatus::kNothingToSend ? 0 : number; }
};

// The image of the macros `imageOrder` (macro numbers of `store`'s list, in image order, as
// CollectBoundMacros gives them) for a device with `macroUnits` × 128 bytes of macro memory.
// A number without a list entry, or a macro never saved, counts as a macro with no events.
MacroBlockBuild BuildMacroBlock(CMacroStore& store, const std::vector<int>& imageOrder, uint8_t macroUnits,
                                MacroEventLimit limit);

// The same for the events of the bound macros already in image order; none is nothing to send.
MacroBlockBuild BuildMacroBlockOf(const std::vector<std::vector<MacroEvent>>& records, uint8_t macroUnits,
                                  MacroEventLimit limit);
