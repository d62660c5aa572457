#pragma once
#include <functional>
#include <string>
#include <vector>

#include "devices/mouse/driver/mouse_driver.h"
#include "profiles/macros/macro_block_builder.h"
#include "profiles/macros/macro_store.h"
#include "profiles/macros/named_macro.h"

// Where a profile's key list finds the macros it names: how many there are, and macro number n's
// name and events. The kind's macro store, or the list an exported profile carries.
struct ProfileMacros {
  int count = 0;
  std::function<NamedMacro(int number)> read;
};

// Both keep a reference: the store or the list must outlive the result.
ProfileMacros MacrosOfStore(CMacroStore& store);
ProfileMacros MacrosOfList(const std::vector<NamedMacro>& macros);

// The image of the macros `imageOrder` names (macro numbers, in image order) with those macros as
// they go into it. A number without a macro counts as a macro with no events; no macro at all, or
// nothing named, is nothing to send.
struct MacroImage {
  MacroBlockBuild block;
  std::vector<NamedMacro> macros;
};
MacroImage BuildMacroImage(const ProfileMacros& macros, const std::vector<int>& imageOrder, uint8_t macroUnits);

// Sends a ready image and keeps the record of the macros the mouse now holds in the kind's data
// folder `recordFolder` (sent_macro_record.h); the old record is removed before the first frame,
// so after a failed upload there is none (what the macro memory holds is then unknown). 0 when sent (or when the image is not ready or nobody is
// there to send to: nothing is sent then), otherwise the upload's failing code (never 0 or 1: an
// unanswered request is kMacroUploadNoReply).
inline constexpr int kMacroUploadNoReply = -1;
int SendMacroImage(CMouseDriver& driver, const MacroImage& image, const std::string& recordFolder);
