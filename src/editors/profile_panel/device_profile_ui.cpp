#include "editors/profile_panel/device_profile_ui.h"

#include <strings.h>

#include <cstring>
#include <new>

#include "platform/debug_output.h"
#include "profiles/profile_list/profile_names.h"
#include "ui/controls/named_child.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/list_label_element_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/dialog_builder.h"

namespace {

constexpr const char* kTabNames[CDeviceProfileUI::kTabCount] = {
    "deng_Op_tab",  "key_Op_tab",       "macro_Op_tab",      "system_Op_tab",  "cursor_Op_tab",
    "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab", "otherset_Op_tab"};

// Tab positions (0-based) of the table above.
enum TabIndex { kLightingTab, kKeyTab, kMacroTab, kSystemTab, kCursorTab, kVoiceTab, kMagicTab, kSurroundTab };

struct KindTabs {
  int kind;
  std::vector<int> hidden;
  std::vector<int> shown;
};

// What each device kind lacks; the headset alone has the three audio tabs, which the layout
// starts hidden.
const KindTabs kKindTabs[] = {
    {1, {kCursorTab}, {}},
    {3, {kCursorTab, kMacroTab, kSystemTab, kKeyTab}, {}},
    {4, {kCursorTab, kMacroTab, kSystemTab, kKeyTab}, {}},
    {5, {kCursorTab, kMacroTab, kKeyTab}, {}},
    {7, {kCursorTab, kMacroTab, kSystemTab, kKeyTab}, {kVoiceTab, kMagicTab, kSurroundTab}},
};

int ToInt(size_t value) { return static_cast<int>(value); }

}  // namespace

CDeviceProfileUI::CDeviceProfileUI() = default;
CDeviceProfileUI::~CDeviceProfileUI() = default;

LPCTSTR CDeviceProfileUI::GetClass() const { return "DeviceProfile"; }

void* CDeviceProfileUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("DeviceProfile") == 0) return static_cast<CDeviceProfileUI*>(this);
  return CHorizontalLayoutUI::GetInterface(pstrName);
}

void CDeviceProfileUI::DoInit() {
  CHorizontalLayoutUI::DoInit();
  EnsureContent();
}

bool CDeviceProfileUI::EnsureContent() {
  if (contentBuilt_) return true;
  contentBuilt_ = true;
  CDialogBuilder builder;
  if (!builder.Create(kContentLayout, nullptr, nullptr, m_pManager, this)) {
    OutputDebugString(std::string("profile panel: ") + kContentLayout + " not built: " + builder.GetLastError().str());
    return false;
  }
  GiveTabsOwnGroup();
  return true;
}

// Every page has its own row of tabs with the same names; a group per panel keeps choosing a tab
// on one page from clearing the tabs of another.
void CDeviceProfileUI::GiveTabsOwnGroup() {
  const std::string group = "device_function_tabs_" + std::to_string(GetSerial());
  for (int i = 0; i < kTabCount; ++i) {
    if (COptionUI* tab = Tab(i)) tab->SetGroup(group.c_str());
  }
}

void CDeviceProfileUI::SetProfileFolders(const std::string& profileFolder, const std::string& defaultDataPath) {
  folder_ = profileFolder;
  defaultDataPath_ = defaultDataPath;
  store_ = std::make_unique<CProfileStore>(folder_, defaultDataPath_);
}

// ---- controls, looked up once ----

CComboUI* CDeviceProfileUI::Combo() {
  if (!combo_ && EnsureContent()) {
    CControlUI* control = FindNamedChild(this, "device_profile_combo");
    combo_ = control ? static_cast<CComboUI*>(control->GetInterface("Combo")) : nullptr;
  }
  return combo_;
}

CControlUI* CDeviceProfileUI::NameEdit() {
  if (!nameEdit_ && EnsureContent()) nameEdit_ = FindNamedChild(this, "device_profile_name_edit");
  return nameEdit_;
}

CControlUI* CDeviceProfileUI::Menu() {
  if (!menu_ && EnsureContent()) menu_ = FindNamedChild(this, "profile_menu_layout");
  return menu_;
}

CControlUI* CDeviceProfileUI::TabRow() {
  if (!tabRow_ && EnsureContent()) tabRow_ = FindNamedChild(this, "profile_tab_layout");
  return tabRow_;
}

COptionUI* CDeviceProfileUI::Tab(int index) {
  if (!tabsLookedUp_ && EnsureContent()) {
    tabsLookedUp_ = true;
    for (int i = 0; i < kTabCount; ++i) {
      CControlUI* control = FindNamedChild(this, kTabNames[i]);
      tabs_[static_cast<size_t>(i)] = control ? static_cast<COptionUI*>(control->GetInterface("Option")) : nullptr;
    }
  }
  return index >= 0 && index < kTabCount ? tabs_[static_cast<size_t>(index)] : nullptr;
}

std::vector<std::string> CDeviceProfileUI::ItemNames() {
  std::vector<std::string> names;
  if (CComboUI* combo = Combo()) {
    for (int i = 0; i < combo->GetCount(); ++i) names.push_back(combo->GetItemAt(i)->GetText().str());
  }
  return names;
}

void CDeviceProfileUI::AppendItem(const std::string& name) {
  CComboUI* combo = Combo();
  auto* item = new (std::nothrow) CListLabelElementUI;
  if (!combo || !item) {
    delete item;
    return;
  }
  item->SetFixedHeight(kItemHeight);
  item->SetText(name.c_str());
  item->SetToolTip(name.c_str());
  item->SetUserData(name.c_str());
  combo->Add(item);
}

// ---- the list ----

bool CDeviceProfileUI::InitProfileList() {
  CComboUI* combo = Combo();
  if (!store_ || !combo) return false;
  const bool written = store_->Open() == ProfileStoreResult::kDone;
  combo->RemoveAll();
  for (const ProfileListEntry& entry : store_->Entries()) AppendItem(entry.name);
  SelectProfile(store_->SelectedIndex(), false);
  ApplyTabVisibility();
  TraceDamagedFiles();
  return written;
}

void CDeviceProfileUI::ApplyTabVisibility() {
  for (const KindTabs& row : kKindTabs) {
    if (row.kind != kind_) continue;
    for (int index : row.hidden) {
      if (COptionUI* tab = Tab(index)) tab->SetVisible(false);
    }
    for (int index : row.shown) {
      if (COptionUI* tab = Tab(index)) tab->SetVisible(true);
    }
  }
}

void CDeviceProfileUI::SelectProfile(int index, bool trigger) {
  CComboUI* combo = Combo();
  if (!combo || !store_ || index < 0 || index >= combo->GetCount()) return;
  combo->SelectItem(index, trigger);
  SetNameEditText(combo->GetItemAt(index)->GetText().str());
  store_->Select(static_cast<size_t>(index));
  const std::vector<ProfileListEntry>& entries = store_->Entries();
  if (static_cast<size_t>(index) < entries.size()) selectedId_ = entries[static_cast<size_t>(index)].id;
}

int CDeviceProfileUI::GetSelectedIndex() {
  CComboUI* combo = Combo();
  return combo ? combo->GetCurSel() : -1;
}

std::string CDeviceProfileUI::GetSelectedProfileName() {
  CComboUI* combo = Combo();
  if (!combo) return {};
  CControlUI* item = combo->GetItemAt(combo->GetCurSel());
  return item ? item->GetText().str() : std::string();
}

std::string CDeviceProfileUI::GetNameEditText() {
  CControlUI* edit = NameEdit();
  return edit ? edit->GetText().str() : std::string();
}

void CDeviceProfileUI::SetNameEditText(const std::string& text) {
  if (CControlUI* edit = NameEdit()) edit->SetText(text.c_str());
}

void CDeviceProfileUI::FillNameEditFromSelection() { SetNameEditText(GetSelectedProfileName()); }

void CDeviceProfileUI::ShowProfileMenu(bool visible) {
  if (CControlUI* menu = Menu()) menu->SetVisible(visible);
  if (CControlUI* tabs = TabRow()) tabs->SetVisible(!visible);
}

bool CDeviceProfileUI::IsProfileMenuVisible() {
  CControlUI* menu = Menu();
  return menu && menu->IsVisible();
}

int CDeviceProfileUI::GetProfileCount() {
  if (!store_) return 0;
  store_->Reload();
  return ToInt(store_->Entries().size());
}

std::string CDeviceProfileUI::GetProfilePathAt(int index) {
  return store_ && index >= 0 ? store_->ProfilePath(static_cast<size_t>(index)) : std::string();
}

// ---- changes ----

int CDeviceProfileUI::AddProfile() {
  CComboUI* combo = Combo();
  if (!combo || !store_) return kDone;
  if (combo->GetCount() >= ToInt(kMaxProfiles)) return kLimitReached;
  const std::string name = NextFreeProfileName(ItemNames());
  const ProfileStoreResult result = store_->Add(name);
  if (result == ProfileStoreResult::kLimitReached) return kLimitReached;
  if (result != ProfileStoreResult::kDone) return kWriteFailed;
  AppendItem(name);
  return kDone;
}

bool CDeviceProfileUI::DeleteProfile() {
  CComboUI* combo = Combo();
  if (!combo || !store_) return false;
  const int selected = combo->GetCurSel();
  if (selected < 0 || combo->GetCount() <= 1) return false;
  const int next = selected == 0 ? 0 : selected - 1;
  if (store_->Delete(static_cast<size_t>(selected), static_cast<size_t>(next)) != ProfileStoreResult::kDone) return false;
  combo->RemoveAt(selected, false);
  combo->SelectItem(next, false);
  SetNameEditText(combo->GetItemAt(next)->GetText().str());
  const std::vector<ProfileListEntry>& entries = store_->Entries();
  if (static_cast<size_t>(next) < entries.size()) selectedId_ = entries[static_cast<size_t>(next)].id;
  return true;
}

int CDeviceProfileUI::CopyProfile() {
  CComboUI* combo = Combo();
  if (!combo || !store_) return kDone;
  if (combo->GetCount() >= ToInt(kMaxProfiles)) return kLimitReached;
  const int selected = combo->GetCurSel();
  if (selected < 0) return kDone;
  const std::string name = CopyProfileName(GetSelectedProfileName(), ItemNames());
  const ProfileStoreResult result = store_->Copy(static_cast<size_t>(selected), name);
  if (result == ProfileStoreResult::kLimitReached) return kLimitReached;
  if (result != ProfileStoreResult::kDone) return kWriteFailed;
  AppendItem(name);
  return kDone;
}

int CDeviceProfileUI::ImportProfile(const Json::Value& document, const std::string& name) {
  CComboUI* combo = Combo();
  if (!combo || !store_) return kDone;
  if (combo->GetCount() >= ToInt(kMaxProfiles)) return kLimitReached;
  const std::string unique = ImportedProfileName(name, ItemNames());
  const ProfileStoreResult result = store_->Import(document, unique);
  if (result == ProfileStoreResult::kLimitReached) return kLimitReached;
  if (result != ProfileStoreResult::kDone) return kWriteFailed;
  AppendItem(unique);
  return kDone;
}

bool CDeviceProfileUI::ExportProfile(const std::string& path) {
  const int selected = GetSelectedIndex();
  if (!store_ || selected < 0) return false;
  return store_->Export(static_cast<size_t>(selected), path) == ProfileStoreResult::kDone;
}

int CDeviceProfileUI::RenameProfile(const std::string& name) {
  CComboUI* combo = Combo();
  if (IsBlankProfileName(name)) return kRenameBlank;
  if (!combo || !store_) return kRenameDone;
  const int selected = combo->GetCurSel();
  if (selected < 0) return kRenameDone;
  if (NameTakenByOther(ItemNames(), name, selected)) return kRenameNameInUse;
  const ProfileStoreResult result = store_->Rename(static_cast<size_t>(selected), name);
  TraceDamagedFiles();
  if (result != ProfileStoreResult::kDone) return kWriteFailed;
  CControlUI* item = combo->GetItemAt(selected);
  item->SetText(name.c_str());
  item->SetToolTip(name.c_str());
  item->SetUserData(name.c_str());
  SetNameEditText(name);
  combo->Invalidate();
  return kRenameDone;
}

bool CDeviceProfileUI::ResetProfile() {
  constexpr int kHeadsetKind = 7;
  const int selected = GetSelectedIndex();
  if (!store_ || selected < 0) return false;
  const ProfileStoreResult result = store_->Reset(static_cast<size_t>(selected), kind_ == kHeadsetKind);
  TraceDamagedFiles();
  return result == ProfileStoreResult::kDone;
}

int CDeviceProfileUI::TabNumberOf(std::string_view name) {
  for (int i = 0; i < kTabCount; ++i) {
    if (name.size() == std::strlen(kTabNames[i]) && strncasecmp(name.data(), kTabNames[i], name.size()) == 0) return i + 1;
  }
  return 0;
}

void CDeviceProfileUI::SelectTab(int number) {
  for (int i = 0; i < kTabCount; ++i) {
    if (!Tab(i)) return;
  }
  for (int i = 0; i < kTabCount; ++i) Tab(i)->Selected(i == number - 1, false);
}

void CDeviceProfileUI::TraceDamagedFiles() {
  for (const DamagedFileNotice& notice : store_->TakeDamagedFileNotices()) {
    OutputDebugString("profile panel: " + notice.path + " could not be read; its content is kept in " + notice.keptAs);
  }
}
