#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>

#include "profiles/recoil/recoil_files.h"
#include "profiles/recoil/recoil_table.h"
#include "ui/toolkit/control_routes.h"
#include "ui/toolkit/horizontal_layout_ui.h"

class CEditUI;
class COptionUI;
class CRecoilPatternUI;
class CTabLayoutUI;
class CVelmarUSBDevice;
class IEditorHost;

// The recoil editor of the mouse page: four guns (the mouse's recoil slots), each a table of 30
// bullets with a horizontal and a vertical distance and a delay, kept in the device folder's
// table files (profiles/recoil). A changed field or direction is written to the gun's file at
// once; the mouse gets the four tables only from "save". The picture beside the tables shows the
// chosen gun's spray as the pointer follows it. Its content comes from
// "XML\CustomControlXML\ShootControl.xml". Window thread only.
class CShootControlUI : public CHorizontalLayoutUI, public IControlRoutes {
 public:
  CShootControlUI();
  ~CShootControlUI() override;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void DoInit() override;

  // The editor works on the device's tables from now on: its folder and the shipped factory
  // tables, gun 1 and bullet 1 chosen.
  void Bind(CVelmarUSBDevice& device, IEditorHost& host);
  // Both folders end with '/'.
  void SetFolders(const std::string& userFolder, const std::string& factoryFolder);

  // ---- the operations ----
  // Looks the controls up, then gives every gun whose table is missing or damaged the factory one.
  bool FindShootControls();
  bool ControlsFound() const { return controlsFound_; }
  void SelectGun(int gun);
  void SelectBullet(int bullet);
  void PreviousBullet() { SelectBullet(currentBullet_ - 1); }
  void NextBullet() { SelectBullet(currentBullet_ + 1); }
  int CurrentGun() const { return currentGun_; }
  int CurrentBullet() const { return currentBullet_; }
  // The current bullet of the current gun into the fields.
  void LoadBullet();
  // The fields into the current bullet of the current gun's file; a number beyond what the
  // device holds is brought into range and shown so. False when the file could not be written.
  bool SaveBullet();
  void ShowXDirection();
  void ShowYDirection();
  bool ResetGun(int gun);
  CRecoilFiles::ImportResult ImportGun(const std::string& path);
  bool ExportGun(const std::string& path);
  // The four tables to the mouse; the device operation's result, or a negative value when a
  // table could not be sent.
  int SendTables();
  // The current gun's spray into its picture.
  void ShowPattern();
  const CRecoilFiles* Files() const { return files_.get(); }

  // ---- routes (recoil_editor_routes.cpp) ----
  bool RouteNotify(NotifyKind kind, TNotifyUI& msg) override;
  static std::span<const RouteRow<CShootControlUI>> Rows();

 private:
  static const RouteRow<CShootControlUI> kRouteRows[];

  bool EnsureContent();
  CControlUI* Find(const std::string& name) const;
  void SetState(const char* key);

  void OnGun(TNotifyUI& msg, int index);
  void OnBullet(TNotifyUI& msg, int index);
  void OnPrevious(TNotifyUI& msg, int index);
  void OnNext(TNotifyUI& msg, int index);
  void OnField(TNotifyUI& msg, int index);
  void OnXDirection(TNotifyUI& msg, int index);
  void OnYDirection(TNotifyUI& msg, int index);
  void OnSave(TNotifyUI& msg, int index);
  void OnReset(TNotifyUI& msg, int index);
  void OnImport(TNotifyUI& msg, int index);
  void OnExport(TNotifyUI& msg, int index);

  CVelmarUSBDevice* device_ = nullptr;
  IEditorHost* host_ = nullptr;
  std::unique_ptr<CRecoilFiles> files_;
  bool contentBuilt_ = false;
  bool controlsFound_ = false;
  int currentGun_ = 0;
  int currentBullet_ = -1;

  std::array<COptionUI*, kRecoilGunCount> gunOptions_{};
  std::array<CRecoilPatternUI*, kRecoilGunCount> patterns_{};
  std::array<COptionUI*, kRecoilBulletCount> bulletOptions_{};
  CTabLayoutUI* patternPages_ = nullptr;
  CControlUI* bulletNumber_ = nullptr;
  CControlUI* bulletFields_ = nullptr;
  CEditUI* xEdit_ = nullptr;
  CEditUI* yEdit_ = nullptr;
  CEditUI* delayEdit_ = nullptr;
  COptionUI* xCheck_ = nullptr;
  COptionUI* yCheck_ = nullptr;
  CControlUI* stateLabel_ = nullptr;
};
