#pragma once
#include "ui/toolkit/control_ui.h"

// Makes a group of controls operable or not as a whole: the group and everything in it follow,
// so what cannot be used also looks so. A null group is ignored. With `disabledTip` (a language
// key), the controls of the group that have no tooltip of their own say it while they are
// inoperable.
void SetGroupEnabled(CControlUI* group, bool enabled, const char* disabledTip = nullptr);
