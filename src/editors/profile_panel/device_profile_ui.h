#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/profile_session/profile_session.h"
#include "ui/toolkit/control_routes.h"
#include "ui/toolkit/horizontal_layout_ui.h"

class CComboUI;
class COptionUI;
class CVelmarUSBDevice;
class IEditorHost;

// The profile panel of a device page: the drop-down of the kind's profiles
// ("device_profile_combo"), the name edit ("device_profile_name_edit"), the fold-out tools
// ("profile_menu_layout": rename, add, copy, delete, import, export, reset) and the page's row of
// function tabs. Its content comes from "XML\CustomControlXML\DeviceProfile.xml", built into the
// panel the first time it is needed.
//
// The panel works on its device's profile session (profile_session.h), which owns the list and
// the chosen profile's document; the combo items are kept in step with the list. The limits and
// the name clashes are judged on the combo items, which are what the user sees. Its buttons ask and
// tell through the host window (profile_panel_routes.cpp). All on the window thread.
class CDeviceProfileUI : public CHorizontalLayoutUI, public IControlRoutes {
 public:
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

  // The panel works on the device's profiles from now on, and its buttons answer through `host`.
  // Reads the list and hides the tabs the device's kind does not have.
  void Bind(CVelmarUSBDevice& device, IEditorHost& host);
  void SetDeviceKind(int kind);
  int GetDeviceKind() const { return kind_; }
  // A session of the panel's own over a kind's profile folder (ends with '/') and factory
  // profile, for a panel without a device.
  void SetProfileFolders(const std::string& profileFolder, const std::string& defaultDataPath);
  std::string GetProfileFolder() const { return session_ ? session_->Folder() : std::string(); }

  // Reads the list (creating "Profile1" on a first start), fills the combo, selects the stored
  // profile and hides the tabs the kind does not have. False when the list could not be written.
  bool InitProfileList();
  // Selects combo item `index` (trigger: the combo reports the change as a user's choice), shows
  // its name in the name edit and makes it the session's chosen profile.
  void SelectProfile(int index, bool trigger);
  int GetSelectedIndex();
  std::string GetSelectedProfileId() const { return session_ ? session_->ChosenId() : std::string(); }
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

  // Add, copy and import list the new profile, select it and make it the session's chosen
  // profile (and the stored selection); the caller has the device take it.
  int AddProfile();
  // Whether there is a profile to spare: the only one is never deleted, and the delete button is
  // inoperable while it is alone.
  bool CanDeleteProfile();
  // Removes the selected profile and selects its predecessor (or the first) without notice; the
  // session chooses it at once, and the caller switches the device to it. False when nothing was
  // removed.
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
  // Makes tab `number` operable: its editor is on the page.
  void EnableTab(int number);

  // ---- routes (profile_panel_routes.cpp) ----
  bool RouteNotify(NotifyKind kind, TNotifyUI& msg) override;
  static std::span<const RouteRow<CDeviceProfileUI>> Rows();

 private:
  static const RouteRow<CDeviceProfileUI> kRouteRows[];

  bool EnsureContent();
  CComboUI* Combo();
  CControlUI* NameEdit();
  CControlUI* DeleteButton();
  CControlUI* Menu();
  CControlUI* TabRow();
  COptionUI* Tab(int index);
  std::vector<std::string> ItemNames();
  void AppendItem(const std::string& name);
  void ShowNewProfile(const std::string& name);
  void UpdateDeleteButton();
  void ApplyTabVisibility();
  void GiveTabsOwnGroup();
  // Damaged files the session kept aside go to the trace, with where their content is now.
  void TraceDamagedFiles();

  // Route handlers.
  void OnAdd(TNotifyUI& msg, int index);
  void OnDelete(TNotifyUI& msg, int index);
  void OnCopy(TNotifyUI& msg, int index);
  void OnImport(TNotifyUI& msg, int index);
  void OnExport(TNotifyUI& msg, int index);
  void OnReset(TNotifyUI& msg, int index);
  void OnRename(TNotifyUI& msg, int index);
  void OnMenu(TNotifyUI& msg, int index);
  void OnChosen(TNotifyUI& msg, int index);
  void OnFunctionTab(TNotifyUI& msg, int index);
  void FinishNewProfile(int result);

  int kind_ = 0;
  CProfileSession* session_ = nullptr;
  std::unique_ptr<CProfileSession> ownSession_;
  CVelmarUSBDevice* device_ = nullptr;
  IEditorHost* host_ = nullptr;
  bool contentBuilt_ = false;

  CComboUI* combo_ = nullptr;
  CControlUI* nameEdit_ = nullptr;
  CControlUI* deleteButton_ = nullptr;
  CDuiString deleteIcon_;  // the layout's, shown faded while the button is inoperable
  CControlUI* menu_ = nullptr;
  CControlUI* tabRow_ = nullptr;
  std::array<COptionUI*, kTabCount> tabs_{};
  bool tabsLookedUp_ = false;
};
