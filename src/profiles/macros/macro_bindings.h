#pragma once
#include <functional>
#include <vector>

#include "profiles/records/key_assignment.h"

// How key assignments refer to macros. A macro assignment (type 0x70 or 0x71) carries a macro
// number of the list file in its high byte; the device knows macros only by their position in the
// image sent with the assignments.

// The image order: walking the keys in key order, every key for which `isPresent` (when given) is
// true and whose current assignment is a macro with a number below `macroCount` adds that number,
// unless it is already listed.
std::vector<int> CollectBoundMacros(const std::vector<KeyAssignmentPair>& keys, int macroCount,
                                    const std::function<bool(size_t keyIndex)>& isPresent = {});

// The assignment as the device must get it: a macro assignment with its number replaced by the
// macro's position in `imageOrder`; the key's default when the number is not below `macroCount` or
// not in the image. Other assignments are unchanged.
KeyAssignment AssignmentForDevice(const KeyAssignmentPair& key, const std::vector<int>& imageOrder, int macroCount);

// After the macros may have changed: every macro assignment whose number is not below
// `macroCount` falls back to the key's default. True when any changed.
bool RepairMacroAssignments(std::vector<KeyAssignmentPair>& keys, int macroCount);

// After macro `removed` was deleted: its assignments fall back to the keys' defaults, and macro
// assignments with higher numbers move down by one. True when any changed.
bool ForgetMacroInAssignments(std::vector<KeyAssignmentPair>& keys, int removed);
