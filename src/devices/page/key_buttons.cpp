#include "devices/page/key_buttons.h"

#include "ui/controls/device_key_button_ui.h"

namespace {

// Every control of a class under a root, in tree order, found without a paint manager.
struct ClassSearch {
  const char* className;
  std::vector<CControlUI*>* found;
};

CControlUI* CollectClass(CControlUI* control, void* data) {
  auto* search = static_cast<ClassSearch*>(data);
  if (control->GetInterface(search->className)) search->found->push_back(control);
  return nullptr;
}

std::vector<CControlUI*> ControlsOfClass(CControlUI* root, const char* className) {
  std::vector<CControlUI*> found;
  ClassSearch search{className, &found};
  if (root) root->FindControl(CollectClass, &search, UIFIND_ALL);
  return found;
}

// The decimal index after `prefix` in `name`; -1 when the name is not the prefix and a number.
int IndexAfterPrefix(const std::string& name, const std::string& prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
  int index = 0;
  for (size_t i = prefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    index = index * 10 + (name[i] - '0');
    if (index > 10000) return -1;
  }
  return index;
}

void PlaceAt(std::vector<CDeviceKeyButtonUI*>& list, int index, CDeviceKeyButtonUI* button) {
  if (index < 0) return;
  if (list.size() <= static_cast<size_t>(index)) list.resize(static_cast<size_t>(index) + 1, nullptr);
  list[static_cast<size_t>(index)] = button;
}

}  // namespace

KeyButtons CollectKeyButtons(CControlUI* root, const std::vector<std::string>& lightPrefixes) {
  KeyButtons buttons;
  for (CControlUI* panel : ControlsOfClass(root, "SelectPanel")) {
    for (CControlUI* control : ControlsOfClass(panel, "DeviceKeyButton")) {
      auto* button = static_cast<CDeviceKeyButtonUI*>(control->GetInterface("DeviceKeyButton"));
      if (!button) continue;
      const std::string name = button->GetName().str();
      PlaceAt(buttons.keys, IndexAfterPrefix(name, "key_"), button);
      for (const std::string& prefix : lightPrefixes) {
        const int index = IndexAfterPrefix(name, prefix);
        if (index >= 0) {
          PlaceAt(buttons.lights, index, button);
          break;
        }
      }
    }
  }
  return buttons;
}
