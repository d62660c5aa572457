#include "ui/controls/group_enabled.h"

#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/resource_manager.h"

void SetGroupEnabled(CControlUI* group, bool enabled, const char* disabledTip) {
  if (!group) return;
  group->SetEnabled(enabled);
  auto* container = static_cast<CContainerUI*>(group->GetInterface("Container"));
  if (!container) {
    if (!disabledTip) return;
    // Shown tooltips come translated, so the comparison is with the translation.
    const CDuiString tip = group->GetToolTip();
    if (tip.IsEmpty() || tip == CResourceManager::GetInstance()->GetText(disabledTip)) {
      group->SetToolTip(enabled ? "" : disabledTip);
    }
    return;
  }
  for (int i = 0; i < container->GetCount(); ++i) SetGroupEnabled(container->GetItemAt(i), enabled, disabledTip);
}
