#pragma once
#include <vector>

#include "profiles/records/key_assignment.h"

class CProfileSession;

// The key lists of a device's profiles when one of its macros is deleted: the assignments that ran
// it fall back to their keys' defaults, and those of later macros move down one number. The chosen
// profile's list is the device's (it holds its unsaved state); these helpers visit the others,
// read from and written back to their files.

bool KeyListUsesMacro(const std::vector<KeyAssignmentPair>& keys, int macro);

// Renumbers every profile of the session but the chosen one; a profile that changed is written
// back atomically. The number of profiles that changed but could not be written.
int RenumberOtherProfiles(CProfileSession& session, int removedMacro);
