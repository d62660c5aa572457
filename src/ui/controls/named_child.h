#pragma once
#include "ui/toolkit/control_ui.h"

// The first control named pstrName in root's subtree (root included), in tree order. Works before
// the subtree has joined a window, unlike the paint manager's lookups.
CControlUI* FindNamedChild(CControlUI* root, LPCTSTR pstrName);
