#include "editors/macro_editor/macro_profile_renumbering.h"

#include "platform/debug_output.h"
#include "profiles/macros/macro_bindings.h"
#include "profiles/profile_document.h"
#include "profiles/profile_session/profile_session.h"
#include "profiles/records/key_list_json.h"
#include "profiles/storage/json_access.h"

bool KeyListUsesMacro(const std::vector<KeyAssignmentPair>& keys, int macro) {
  for (const KeyAssignmentPair& key : keys) {
    if (IsMacroAssignment(key.Current) && key.Current.High == macro) return true;
  }
  return false;
}

int RenumberOtherProfiles(CProfileSession& session, int removedMacro) {
  int failures = 0;
  session.Reload();
  const Json::ArrayIndex deviceIndex = static_cast<Json::ArrayIndex>(session.Data().GetDeviceIndex());
  for (size_t i = 0; i < session.Entries().size(); ++i) {
    if (static_cast<int>(i) == session.ChosenIndex()) continue;
    const std::string path = session.ProfilePath(i);
    Json::Value device = DeviceElementOf(LoadJsonFile(path), deviceIndex);
    if (!device.isObject()) continue;
    std::vector<KeyAssignmentPair> keys = KeyListFromJson(MemberOf(device, "KeyList"));
    if (!ForgetMacroInAssignments(keys, removedMacro)) continue;
    StoreKeyAssignments(device, keys);
    if (!session.Data().SaveDeviceObject(device, path)) {
      OutputDebugString("macro editor: the key list of " + path + " could not be renumbered");
      ++failures;
    }
  }
  return failures;
}
