#pragma once
#include <string>

#include "devices/mouse/driver/mouse_driver.h"
#include "devices/mouse/model/mouse_model.h"
#include "devices/mouse/profile_write/macro_image_send.h"

// Writing a whole profile to the mouse, as a profile switch does, for the device object and for
// tools alike. No toolkit code.

// The part of the write that stopped it.
enum class ProfileWritePart { kNone, kSettingsPage, kMacros, kKeyAssignments };

struct ProfileWriteOutcome {
  ProfileWritePart failedPart = ProfileWritePart::kNone;
  int result = 0;               // the failing transaction's code; 0 when nothing failed
  std::string failedStep;       // the driver's name of the failing step
  int actionsOver = 0;          // > 0: the macros do not fit; that many actions must go
  bool keysWritten = false;
  bool macrosSent = false;

  bool Applied() const { return failedPart == ProfileWritePart::kNone && actionsOver == 0; }
};

// The settings page encoded from `model` (as page 0), then the image of the macros the key list
// uses, then the key assignments put into the button image `driver` last read. Each part is a
// transaction of its own, so through the receiver the link is tested before every step, and the
// first part that fails stops the write. The key assignments are never written when the macros
// did not fit or their upload failed: a key naming a macro slot whose data never arrived would
// play whatever the slot held. A closed channel sends nothing and reports nothing. `recordFolder`
// is the kind's data folder, where the record of the sent macros is kept.
ProfileWriteOutcome WriteMouseProfile(CMouseDriver& driver, const CMouseModel& model, const ProfileMacros& macros,
                                      const std::string& recordFolder);
