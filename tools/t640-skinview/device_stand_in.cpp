#include "device_stand_in.h"

#include <string_view>

#include "ui/controls/named_child.h"
#include "ui/toolkit/control_factory.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/list_label_element_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/horizontal_layout_ui.h"

namespace {

constexpr const char* kProfilePanelLayout = "XML\\CustomControlXML\\DeviceProfile.xml";
constexpr const char* kSampleProfiles[] = {"Profile1", "Profile2"};
constexpr int kProfileItemHeight = 30;

class CProfilePanelStandIn : public CHorizontalLayoutUI {
 public:
  void DoInit() override {
    CHorizontalLayoutUI::DoInit();
    if (built_) return;
    built_ = true;
    CDialogBuilder builder;
    if (!builder.Create(kProfilePanelLayout, nullptr, nullptr, m_pManager, this)) return;
    CControlUI* found = FindNamedChild(this, "device_profile_combo");
    if (auto* combo = found ? static_cast<CComboUI*>(found->GetInterface("Combo")) : nullptr) {
      for (const char* name : kSampleProfiles) {
        auto* item = new CListLabelElementUI;
        item->SetFixedHeight(kProfileItemHeight);
        item->SetText(name);
        combo->Add(item);
      }
      combo->SelectItem(0, false);
    }
    if (CControlUI* edit = FindNamedChild(this, "device_profile_name_edit")) edit->SetText(kSampleProfiles[0]);
    // The program selects the tab of the page a device opens on; the mouse opens on its settings.
    if (CControlUI* tab = FindNamedChild(this, "system_Op_tab")) tab->SetAttribute("selected", "true");
  }

 private:
  bool built_ = false;
};

}  // namespace

CControlUI* CDeviceStandInCallback::CreateControl(LPCTSTR pstrClass) {
  const std::string_view tag(pstrClass);
  if (tag.starts_with("Velmar") && tag.ends_with("Device")) return new CHorizontalLayoutUI;
  // The device selector's tile lives with the main window, which previews do not link.
  if (tag == "DeviceOption") return new CHorizontalLayoutUI;
  if (tag == "DeviceProfile") {
    if (CControlUI* panel = CControlFactory::GetInstance()->CreateControlForTag(pstrClass)) return panel;
    return new CProfilePanelStandIn;
  }
  return nullptr;
}
