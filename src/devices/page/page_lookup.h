#pragma once

#include <string>

#include "ui/controls/named_child.h"

// Looking a page's controls up once, right after the page is built: the page has not joined a
// window then, so the paint manager cannot find them yet.

// The control `name` under `root` as the interface `T` (its class name `interfaceName`), or null
// when the layout lacks it or it is of another class.
template <typename T>
T* FindPageControlAs(CControlUI* root, const std::string& name, LPCTSTR interfaceName) {
  CControlUI* control = FindNamedChild(root, name.c_str());
  return control ? static_cast<T*>(control->GetInterface(interfaceName)) : nullptr;
}

inline std::string IndexedName(const char* prefix, int index) { return prefix + std::to_string(index); }
