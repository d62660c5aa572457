#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/profile_list/profile_store.h"
#include "ui/toolkit/horizontal_layout_ui.h"

class CComboUI;
class COptionUI;

// The profile panel of a device page: the drop-down of the kind's profiles
// ("device_profile_combo"), the name edit ("device_profile_name_edit"), the fold-out tools
// ("profile_menu_layout": rename, add, copy, delete, import, export, reset) and the page's row of
// function tabs. Its content comes from "XML\CustomControlXML\DeviceProfile.xml", built into the
// panel the first time it is needed.
//
// The profile list file and the profile files are the truth: every change rereads the list,
// changes it and writes it (CProfileStore); the combo items are kept in step. The limits and the
// name clashes are judged on the combo items, which are what the user sees. Notices and questions
// are the main window's; the operations only report what happened. All on the window thread.
class CDeviceProfileUI : public CHorizontalLayoutUI {
 public:
  static constexpr const char* kContentLayout = "XML\\CustomControlXML\\DeviceProfile.xml";
  static constexpr int kTabCount = 9;
  static constexpr int kItemHeight = 30;

  // Results of AddProfile, CopyProfile and ImportProfile.
  static constexpr int kDone = 0;
  static constexpr int kLimitReached = 1;
  static constexpr int kWriteFailed = -1;
  // Results of RenameProfile.
  static constexpr int kRenameNameInUse = 0;
  static constexpr int kRenameDone = 1;
  static constexpr int kRenameBlank = 2;

  CDeviceProfileUI();
  ~CDeviceProfileUI() override;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void DoInit() override;

  void SetDeviceKind(int kind) { kind_ = kind; }
  int GetDeviceKind() const { return kind_; }
  // The kind's profile folder (ends with '/') and its factory profile.
  void SetProfileFolders(const std::string& profileFolder, const std::string& defaultDataPath);
  const std::string& GetProfileFolder() const { return folder_; }

  // Reads the list (creating "Profile1" on a first start), fills the combo, selects the stored
  // profile and hides the tabs the kind does not have. False when the list could not be written.
  bool InitProfileList();
  // Selects combo item `index` (trigger: the combo reports the change as a user's choice), shows
  // its name in the name edit, stores it as the selection and remembers its id.
  void SelectProfile(int index, bool trigger);
  int GetSelectedIndex();
  const std::string& GetSelectedProfileId() const { return selectedId_; }
  std::string GetSelectedProfileName();
  std::string GetNameEditText();
  void SetNameEditText(const std::string& text);
  void FillNameEditFromSelection();
  // The tools take the tab row's place while they are shown.
  void ShowProfileMenu(bool visible);
  bool IsProfileMenuVisible();

  // For the editors that visit every profile of the kind: the count rereads the list; the path
  // comes from that reading.
  int GetProfileCount();
  std::string GetProfilePathAt(int index);

  int AddProfile();
  // Removes the selected profile and selects its predecessor (or the first) without notice; the
  // caller then switches the device to it. False when nothing was removed.
  bool DeleteProfile();
  int CopyProfile();
  int ImportProfile(const Json::Value& document, const std::string& name);
  bool ExportProfile(const std::string& path);
  int RenameProfile(const std::string& name);
  bool ResetProfile();

  // The number of a function tab's name (1 lighting … 9 more, letter case ignored); 0 for any
  // other name.
  static int TabNumberOf(std::string_view name);
  // Selects exactly tab `number` (1 lighting … 9 more; any other number: none), without
  // notifications. Does nothing unless the page has all nine tabs.
  void SelectTab(int number);

 private:
  bool EnsureContent();
  CComboUI* Combo();
  CControlUI* NameEdit();
  CControlUI* Menu();
  CControlUI* TabRow();
  COptionUI* Tab(int index);
  std::vector<std::string> ItemNames();
  void AppendItem(const std::string& name);
  void ApplyTabVisibility();
  void GiveTabsOwnGroup();
  // Damaged files the store kept aside go to the trace, with where their content is now.
  void TraceDamagedFiles();

  int kind_ = 0;
  std::string folder_;
  std::string defaultDataPath_;
  std::unique_ptr<CProfileStore> store_;
  std::string selectedId_;
  bool contentBuilt_ = false;

  CComboUI* combo_ = nullptr;
  CControlUI* nameEdit_ = nullptr;
  CControlUI* menu_ = nullptr;
  CControlUI* tabRow_ = nullptr;
  std::array<COptionUI*, kTabCount> tabs_{};
  bool tabsLookedUp_ = false;
};
