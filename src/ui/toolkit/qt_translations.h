#pragma once
#include "ui/toolkit/dui_string.h"

// Qt's own texts (the file chooser's columns, tool tips and overwrite question, the context menus
// of text fields) in the interface language: Qt's translation for the language name ("zh-CN" reads
// Qt's "zh_CN" file) from Qt's translations folder, when Qt ships one there. English, an unknown
// name or a missing file leaves Qt's own English. User-interface thread only; the toolkit's
// language setting calls it.
void UseQtTranslationsFor(const CDuiString& languageName);

// The Qt translation file in use, or empty.
CDuiString QtTranslationInUse();
