#include "ui/controls/named_child.h"

namespace {

CControlUI* MatchName(CControlUI* control, void* data) {
  return control->GetName() == static_cast<const char*>(data) ? control : nullptr;
}

}  // namespace

CControlUI* FindNamedChild(CControlUI* root, LPCTSTR pstrName) {
  if (!root || !pstrName || !*pstrName) return nullptr;
  return root->FindControl(MatchName, const_cast<char*>(pstrName), UIFIND_ALL | UIFIND_ME_FIRST);
}
