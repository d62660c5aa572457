#include "ui/toolkit/control_factory.h"

namespace {

CDuiString Key(CDuiString name) {
  name.MakeLower();
  return name;
}

}  // namespace

CControlFactory* CControlFactory::GetInstance() {
  static CControlFactory factory;
  return &factory;
}

CControlFactory::CControlFactory() { RegisterStandardControls(); }

void CControlFactory::RegistControl(CDuiString strClassName, CreateClass pFunc) {
  if (strClassName.IsEmpty() || !pFunc) return;
  std::lock_guard guard(mutex_);
  entries_[Key(strClassName)] = Entry{pFunc, false};
}

void CControlFactory::RegistStandardControl(CDuiString strClassName, CreateClass pFunc) {
  std::lock_guard guard(mutex_);
  entries_[Key(strClassName)] = Entry{pFunc, true};
}

CControlUI* CControlFactory::CreateControl(CDuiString strClassName) const {
  CreateClass create = nullptr;
  {
    std::lock_guard guard(mutex_);
    auto it = entries_.find(Key(strClassName));
    if (it != entries_.end()) create = it->second.create;
  }
  return create ? create() : nullptr;
}

const CControlFactory::Entry* CControlFactory::FindForTag(LPCTSTR pstrTag) const {
  CDuiString tag(pstrTag);
  if (tag.IsEmpty()) return nullptr;
  if (auto it = entries_.find(Key(tag)); it != entries_.end()) return &it->second;
  if (auto it = entries_.find(Key("C" + tag + "UI")); it != entries_.end()) return &it->second;
  return nullptr;
}

CControlUI* CControlFactory::CreateControlForTag(LPCTSTR pstrTag) const {
  CreateClass create = nullptr;
  {
    std::lock_guard guard(mutex_);
    if (const Entry* entry = FindForTag(pstrTag)) create = entry->create;
  }
  return create ? create() : nullptr;
}

bool CControlFactory::IsStandardTag(LPCTSTR pstrTag) const {
  std::lock_guard guard(mutex_);
  const Entry* entry = FindForTag(pstrTag);
  return entry && entry->standard;
}
