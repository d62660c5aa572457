#include "editors/profile_panel/device_profile_ui.h"

#include <new>

#include "devices/device_kind_table.h"
#include "devices/velmar_usb_device.h"
#include "editors/profile_panel/profile_panel_controls.h"
#include "platform/debug_output.h"
#include "profiles/basic_profile_data.h"
#include "profiles/profile_list/profile_names.h"
#include "profiles/storage/data_folders.h"
#include "ui/controls/named_child.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/list_label_element_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/dialog_builder.h"

namespace {

int ToInt(size_t value) { return static_cast<int>(value); }

constexpr const char* kDeleteTip = "profile_tip_delete";
constexpr const char* kOnlyProfileTip = "profile_tip_delete_only_one";
// How much of an inoperable tool's icon shows (of 255).
constexpr int kInoperableIconFade = 80;

// Every name the rule allows that may be the widest on screen: sixteen of any character a name
// may hold that takes one byte, and eight of one that takes two (Chinese characters all share one
// width). Which is widest depends on the language's face, so the drop-down measures them all.
std::vector<CDuiString> WidestProfileNames() {
  std::vector<CDuiString> names;
  for (char c = '!'; c <= '~'; ++c) {
    const std::string name(kMaxProfileNameAnsiBytes, c);
    if (CheckProfileName(name) == ProfileNameCheck::kAccepted) names.emplace_back(name.c_str());
  }
  std::string chinese;
  for (size_t i = 0; i < kMaxProfileNameAnsiBytes / 2; ++i) chinese += "汉";
  names.emplace_back(chinese.c_str());
  return names;
}

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
  if (!builder.Create(profile_panel::kLayoutFile, nullptr, nullptr, m_pManager, this)) {
    OutputDebugString(std::string("profile panel: ") + profile_panel::kLayoutFile +
                      " not built: " + builder.GetLastError().str());
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

void CDeviceProfileUI::Bind(CVelmarUSBDevice& device, IEditorHost& host) {
  device_ = &device;
  host_ = &host;
  session_ = device.ProfileSession();
  ownSession_.reset();
  SetDeviceKind(CableKindOf(device.GetDeviceKind()));
  if (device.GetDeviceFolder().empty()) device.SetDeviceFolder(DeviceDataFolder(device.Kind().kindName));
  InitProfileList();
  SelectTab(device.GetFunctionType());
}

void CDeviceProfileUI::SetDeviceKind(int kind) {
  kind_ = kind;
  const DeviceKindTraits* traits = FindDeviceKindTraits(static_cast<uint16_t>(kind));
  if (session_) session_->SetKeepsEqualisersOnReset(traits && traits->keepsEqualisersOnReset);
}

void CDeviceProfileUI::SetProfileFolders(const std::string& profileFolder, const std::string& defaultDataPath) {
  ownSession_ = std::make_unique<CProfileSession>(std::make_unique<CBasicProfiledata>());
  ownSession_->SetFolders(profileFolder, defaultDataPath);
  session_ = ownSession_.get();
  SetDeviceKind(kind_);
}

// ---- controls, looked up once ----

CComboUI* CDeviceProfileUI::Combo() {
  if (!combo_ && EnsureContent()) {
    CControlUI* control = FindNamedChild(this, profile_panel::kCombo);
    combo_ = control ? static_cast<CComboUI*>(control->GetInterface("Combo")) : nullptr;
    if (combo_) combo_->SetWidthSamples(WidestProfileNames());
  }
  return combo_;
}

CControlUI* CDeviceProfileUI::NameEdit() {
  if (!nameEdit_ && EnsureContent()) nameEdit_ = FindNamedChild(this, profile_panel::kNameEdit);
  return nameEdit_;
}

CControlUI* CDeviceProfileUI::DeleteButton() {
  if (!deleteButton_ && EnsureContent()) {
    deleteButton_ = FindNamedChild(this, profile_panel::kDeleteButton);
    if (deleteButton_) deleteIcon_ = deleteButton_->GetForeImage();
  }
  return deleteButton_;
}

CControlUI* CDeviceProfileUI::Menu() {
  if (!menu_ && EnsureContent()) menu_ = FindNamedChild(this, profile_panel::kMenu);
  return menu_;
}

CControlUI* CDeviceProfileUI::TabRow() {
  if (!tabRow_ && EnsureContent()) tabRow_ = FindNamedChild(this, profile_panel::kTabRow);
  return tabRow_;
}

COptionUI* CDeviceProfileUI::Tab(int index) {
  if (!tabsLookedUp_ && EnsureContent()) {
    tabsLookedUp_ = true;
    for (int i = 0; i < kTabCount; ++i) {
      CControlUI* control = FindNamedChild(this, profile_panel::kTabs[i]);
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
  if (!session_ || !combo) return false;
  const bool written = session_->Open() == ProfileStoreResult::kDone;
  combo->RemoveAll();
  for (const ProfileListEntry& entry : session_->Entries()) AppendItem(entry.name);
  SelectProfile(session_->StoredSelection(), false);
  UpdateDeleteButton();
  ApplyTabVisibility();
  TraceDamagedFiles();
  return written;
}

void CDeviceProfileUI::ApplyTabVisibility() {
  const DeviceKindTraits* traits = FindDeviceKindTraits(static_cast<uint16_t>(kind_));
  if (!traits) return;
  for (int number = 1; number <= kTabCount; ++number) {
    COptionUI* tab = Tab(number - 1);
    if (!tab) continue;
    if (traits->hiddenTabs & TabBit(number)) tab->SetVisible(false);
    if (traits->shownTabs & TabBit(number)) tab->SetVisible(true);
  }
}

void CDeviceProfileUI::SelectProfile(int index, bool trigger) {
  CComboUI* combo = Combo();
  if (!combo || !session_ || index < 0 || index >= combo->GetCount()) return;
  combo->SelectItem(index, trigger);
  SetNameEditText(combo->GetItemAt(index)->GetText().str());
  session_->Choose(static_cast<size_t>(index));
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
  if (!session_) return 0;
  session_->Reload();
  return ToInt(session_->Entries().size());
}

std::string CDeviceProfileUI::GetProfilePathAt(int index) {
  return session_ && index >= 0 ? session_->ProfilePath(static_cast<size_t>(index)) : std::string();
}

// ---- changes ----

int CDeviceProfileUI::AddProfile() {
  CComboUI* combo = Combo();
  if (!combo || !session_) return kDone;
  if (combo->GetCount() >= ToInt(kMaxProfiles)) return kLimitReached;
  const std::string name = NextFreeProfileName(ItemNames());
  const ProfileStoreResult result = session_->Add(name);
  if (result == ProfileStoreResult::kLimitReached) return kLimitReached;
  if (result != ProfileStoreResult::kDone) return kWriteFailed;
  ShowNewProfile(name);
  return kDone;
}

void CDeviceProfileUI::ShowNewProfile(const std::string& name) {
  AppendItem(name);
  SelectProfile(Combo()->GetCount() - 1, false);
  UpdateDeleteButton();
}

bool CDeviceProfileUI::CanDeleteProfile() {
  CComboUI* combo = Combo();
  return combo && combo->GetCount() > 1;
}

void CDeviceProfileUI::UpdateDeleteButton() {
  CControlUI* button = DeleteButton();
  if (!button) return;
  const bool deletable = CanDeleteProfile();
  button->SetEnabled(deletable);
  button->SetToolTip(deletable ? kDeleteTip : kOnlyProfileTip);
  const std::string faded = deleteIcon_.str() + " fade='" + std::to_string(kInoperableIconFade) + "'";
  button->SetForeImage(deletable || deleteIcon_.IsEmpty() ? deleteIcon_.GetData() : faded.c_str());
}

bool CDeviceProfileUI::DeleteProfile() {
  CComboUI* combo = Combo();
  if (!combo || !session_) return false;
  const int selected = combo->GetCurSel();
  if (selected < 0 || combo->GetCount() <= 1) return false;
  const int next = selected == 0 ? 0 : selected - 1;
  if (session_->Delete(static_cast<size_t>(selected), static_cast<size_t>(next)) != ProfileStoreResult::kDone) return false;
  combo->RemoveAt(selected, false);
  combo->SelectItem(next, false);
  SetNameEditText(combo->GetItemAt(next)->GetText().str());
  UpdateDeleteButton();
  return true;
}

int CDeviceProfileUI::CopyProfile() {
  CComboUI* combo = Combo();
  if (!combo || !session_) return kDone;
  if (combo->GetCount() >= ToInt(kMaxProfiles)) return kLimitReached;
  const int selected = combo->GetCurSel();
  if (selected < 0) return kDone;
  const std::string name = CopyProfileName(GetSelectedProfileName(), ItemNames());
  const ProfileStoreResult result = session_->Copy(static_cast<size_t>(selected), name);
  if (result == ProfileStoreResult::kLimitReached) return kLimitReached;
  if (result != ProfileStoreResult::kDone) return kWriteFailed;
  ShowNewProfile(name);
  return kDone;
}

int CDeviceProfileUI::ImportProfile(const Json::Value& document, const std::string& name) {
  CComboUI* combo = Combo();
  if (!combo || !session_) return kDone;
  if (combo->GetCount() >= ToInt(kMaxProfiles)) return kLimitReached;
  const std::string unique = ImportedProfileName(name, ItemNames());
  const ProfileStoreResult result = session_->Import(document, unique);
  if (result == ProfileStoreResult::kLimitReached) return kLimitReached;
  if (result != ProfileStoreResult::kDone) return kWriteFailed;
  ShowNewProfile(unique);
  return kDone;
}

bool CDeviceProfileUI::ExportProfile(const std::string& path) {
  const int selected = GetSelectedIndex();
  if (!session_ || selected < 0) return false;
  return session_->Export(static_cast<size_t>(selected), path) == ProfileStoreResult::kDone;
}

int CDeviceProfileUI::RenameProfile(const std::string& name) {
  CComboUI* combo = Combo();
  if (IsBlankProfileName(name)) return kRenameBlank;
  if (!combo || !session_) return kRenameDone;
  const int selected = combo->GetCurSel();
  if (selected < 0) return kRenameDone;
  if (NameTakenByOther(ItemNames(), name, selected)) return kRenameNameInUse;
  const ProfileStoreResult result = session_->Rename(static_cast<size_t>(selected), name);
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
  const int selected = GetSelectedIndex();
  if (!session_ || selected < 0) return false;
  const ProfileStoreResult result = session_->Reset(static_cast<size_t>(selected));
  TraceDamagedFiles();
  return result == ProfileStoreResult::kDone;
}

int CDeviceProfileUI::TabNumberOf(std::string_view name) {
  for (int i = 0; i < kTabCount; ++i) {
    if (SameControlName(name, profile_panel::kTabs[i])) return i + 1;
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
  for (const DamagedFileNotice& notice : session_->TakeDamagedFileNotices()) {
    OutputDebugString("profile panel: " + notice.path + " could not be read; its content is kept in " + notice.keptAs);
  }
}

void CDeviceProfileUI::EnableTab(int number) {
  if (COptionUI* tab = Tab(number - 1)) {
    tab->SetEnabled(true);
    tab->SetToolTip("");
  }
}
