#pragma once
#include <map>
#include <mutex>

#include "ui/toolkit/dui_string.h"

class CControlUI;

using CreateClass = CControlUI* (*)();

// Class name -> creator. The toolkit's own controls are registered on first use; the program
// registers its controls with RegistControl (by class name, "CCircleProgressUI"). Layout tags
// find them as the tag itself or as "C" + tag + "UI", case-insensitively.
class CControlFactory {
 public:
  static CControlFactory* GetInstance();

  void RegistControl(CDuiString strClassName, CreateClass pFunc);
  CControlUI* CreateControl(CDuiString strClassName) const;
  CControlUI* CreateControlForTag(LPCTSTR pstrTag) const;
  // True for the toolkit's own tags (Button, List, ...), which layouts get without asking the
  // window's builder callback.
  bool IsStandardTag(LPCTSTR pstrTag) const;

 private:
  struct Entry {
    CreateClass create = nullptr;
    bool standard = false;
  };

  CControlFactory();
  void RegisterStandardControls();
  void RegistStandardControl(CDuiString strClassName, CreateClass pFunc);
  const Entry* FindForTag(LPCTSTR pstrTag) const;

  mutable std::mutex mutex_;
  std::map<CDuiString, Entry> entries_;
};
