#include "devices/mouse/profile_write/mouse_profile_write.h"

#include "devices/mouse/button_image_writer.h"
#include "profiles/macros/macro_limits.h"
#include "transport/result_codes.h"

namespace {

ProfileWriteOutcome Failed(ProfileWriteOutcome outcome, ProfileWritePart part, int result, const CMouseDriver& driver) {
  outcome.failedPart = part;
  outcome.result = result;
  outcome.failedStep = driver.LastFailedStep() ? driver.LastFailedStep() : "";
  return outcome;
}

// How many actions must go before the image may be sent: a macro longer than the mouse takes
// counts its surplus, an image over the memory what it is over by.
int ActionsOver(const MacroBlockBuild& block) {
  switch (block.status) {
    case MacroBlockStatus::kMacroTooLong: return block.number - static_cast<int>(kMaxMacroEvents);
    case MacroBlockStatus::kOverCapacity: return block.number;
    default: return 0;
  }
}

}  // namespace

ProfileWriteOutcome WriteMouseProfile(CMouseDriver& driver, const CMouseModel& model, const ProfileMacros& macros,
                                      const std::string& recordFolder) {
  ProfileWriteOutcome outcome;
  if (!driver.Channel().IsOpen()) return outcome;

  if (const int written = driver.WriteSettingsPage(model.EncodeSettingsPage(0), 0); written != kResultSuccess) {
    return Failed(outcome, ProfileWritePart::kSettingsPage, written, driver);
  }

  // The image order is the one the button image numbers its macros by, so both always agree.
  const ButtonImageWrite keys = BuildButtonImageWrite(driver.ConfigImage(), driver.ButtonMap(), model.Keys(), macros.count);
  const MacroImage image = BuildMacroImage(macros, keys.macroImageOrder, driver.Info().MacroUnits());
  outcome.actionsOver = ActionsOver(image.block);
  if (outcome.actionsOver > 0) return outcome;
  if (const int sent = SendMacroImage(driver, image, recordFolder); sent != 0) {
    return Failed(outcome, ProfileWritePart::kMacros, sent, driver);
  }
  outcome.macrosSent = image.block.status == MacroBlockStatus::kReady;

  if (driver.ConfigImage().empty()) return outcome;
  if (const int written = driver.WriteConfigImage(keys.image); written != kResultSuccess) {
    return Failed(outcome, ProfileWritePart::kKeyAssignments, written, driver);
  }
  outcome.keysWritten = true;
  return outcome;
}
