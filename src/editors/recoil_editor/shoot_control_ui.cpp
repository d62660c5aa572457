#include "editors/recoil_editor/shoot_control_ui.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "devices/page/page_lookup.h"
#include "devices/velmar_mouse_device.h"
#include "editors/recoil_editor/recoil_editor_controls.h"
#include "platform/debug_output.h"
#include "profiles/storage/data_folders.h"
#include "transport/result_codes.h"
#include "ui/controls/named_child.h"
#include "ui/controls/recoil_pattern_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/tab_layout_ui.h"

using namespace recoil_editor;

namespace {

template <typename T>
T* As(CControlUI* control, const char* interfaceName) {
  return control ? static_cast<T*>(control->GetInterface(interfaceName)) : nullptr;
}

// A field's number; empty is 0, and a number beyond `maximum` is `maximum`.
uint32_t FieldValue(const CEditUI* edit, uint32_t maximum) {
  if (!edit) return 0;
  const std::string text = edit->GetText().str();
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  return value > maximum ? maximum : static_cast<uint32_t>(value);
}

void ShowNumber(CEditUI* edit, uint32_t value) {
  if (edit) edit->SetText(std::to_string(value).c_str());
}

void ShowCheckText(COptionUI* check, const char* selectedKey, const char* clearKey) {
  if (!check) return;
  check->SetResourceText(true);
  check->SetText(check->IsSelected() ? selectedKey : clearKey);
}

}  // namespace

CShootControlUI::CShootControlUI() = default;
CShootControlUI::~CShootControlUI() = default;

LPCTSTR CShootControlUI::GetClass() const { return "ShootControl"; }

void* CShootControlUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("ShootControl") == 0) return static_cast<CShootControlUI*>(this);
  return CHorizontalLayoutUI::GetInterface(pstrName);
}

void CShootControlUI::DoInit() {
  CHorizontalLayoutUI::DoInit();
  EnsureContent();
}

bool CShootControlUI::EnsureContent() {
  if (contentBuilt_) return true;
  contentBuilt_ = true;
  CDialogBuilder builder;
  if (!builder.Create(kLayoutFile, nullptr, nullptr, m_pManager, this)) {
    OutputDebugString(std::string("recoil editor: ") + kLayoutFile + " not built: " + builder.GetLastError().str());
    return false;
  }
  return true;
}

void CShootControlUI::Bind(CVelmarUSBDevice& device, IEditorHost& host) {
  device_ = &device;
  host_ = &host;
  if (device.GetDeviceFolder().empty()) device.SetDeviceFolder(DeviceDataFolder(device.Kind().kindName));
  SetFolders(device.GetDeviceFolder(), DefaultDataFolder());
  FindShootControls();
  SelectGun(0);
  SelectBullet(0);
}

void CShootControlUI::SetFolders(const std::string& userFolder, const std::string& factoryFolder) {
  files_ = std::make_unique<CRecoilFiles>(userFolder, factoryFolder);
}

// ---- controls, looked up once ----

CControlUI* CShootControlUI::Find(const std::string& name) const {
  return FindNamedChild(const_cast<CShootControlUI*>(this), name.c_str());
}

bool CShootControlUI::FindShootControls() {
  if (EnsureContent()) {
    for (int gun = 0; gun < kRecoilGunCount; ++gun) {
      gunOptions_[gun] = As<COptionUI>(Find(IndexedName(kGunOption, gun)), "Option");
      patterns_[gun] = As<CRecoilPatternUI>(Find(IndexedName(kPattern, gun)), "RecoilPattern");
    }
    for (int bullet = 0; bullet < kRecoilBulletCount; ++bullet) {
      bulletOptions_[bullet] = As<COptionUI>(Find(IndexedName(kBulletOption, bullet)), "Option");
    }
    patternPages_ = As<CTabLayoutUI>(Find(kPatternPages), "TabLayout");
    bulletNumber_ = Find(kBulletNumber);
    bulletFields_ = Find(kBulletFields);
    xEdit_ = As<CEditUI>(Find(kXEdit), "Edit");
    yEdit_ = As<CEditUI>(Find(kYEdit), "Edit");
    delayEdit_ = As<CEditUI>(Find(kDelayEdit), "Edit");
    xCheck_ = As<COptionUI>(Find(kXCheck), "Option");
    yCheck_ = As<COptionUI>(Find(kYCheck), "Option");
    stateLabel_ = Find(kStateLabel);
    const auto found = [](const auto& list) { return std::all_of(list.begin(), list.end(), [](auto* c) { return c; }); };
    controlsFound_ = found(gunOptions_) && found(patterns_) && found(bulletOptions_) && patternPages_ &&
                     bulletNumber_ && bulletFields_ && xEdit_ && yEdit_ && delayEdit_ && xCheck_ && yCheck_;
    if (!controlsFound_) OutputDebugString("recoil editor: the layout lacks some of its controls");
  }
  if (files_) {
    std::vector<DamagedFileNotice> notices;
    files_->RepairUserTables(notices);
    for (const DamagedFileNotice& notice : notices) {
      OutputDebugString("recoil editor: " + notice.path + " could not be read; its content is kept in " + notice.keptAs);
    }
  }
  return controlsFound_;
}

// ---- choosing ----

void CShootControlUI::SelectGun(int gun) {
  for (COptionUI* option : gunOptions_) {
    if (option) option->Selected(false, false);
  }
  currentGun_ = std::clamp(gun, 0, kRecoilGunCount - 1);
  if (gunOptions_[currentGun_]) gunOptions_[currentGun_]->Selected(true, false);
  if (patternPages_) patternPages_->SelectItem(currentGun_, false);
  ShowPattern();
}

void CShootControlUI::SelectBullet(int bullet) {
  for (COptionUI* option : bulletOptions_) {
    if (option) option->Selected(false, false);
  }
  currentBullet_ = std::clamp(bullet, 0, kRecoilBulletCount - 1);
  if (bulletOptions_[currentBullet_]) bulletOptions_[currentBullet_]->Selected(true, false);
  if (bulletNumber_) bulletNumber_->SetText(std::to_string(currentBullet_ + 1).c_str());
  LoadBullet();
}

// ---- the fields ----

void CShootControlUI::LoadBullet() {
  if (!files_ || currentBullet_ < 0) return;
  const RecoilBullet values = ReadRecoilBullet(files_->LoadTable(currentGun_), currentBullet_);
  if (xCheck_) xCheck_->Selected(values.left, false);
  if (yCheck_) yCheck_->Selected(values.up, false);
  ShowXDirection();
  ShowYDirection();
  ShowNumber(xEdit_, values.x);
  ShowNumber(yEdit_, values.y);
  ShowNumber(delayEdit_, values.delay);
  ShowPattern();
}

bool CShootControlUI::SaveBullet() {
  if (!files_ || currentBullet_ < 0) return false;
  RecoilBullet values;
  values.x = FieldValue(xEdit_, kMaxRecoilDistance);
  values.y = FieldValue(yEdit_, kMaxRecoilDistance);
  values.delay = FieldValue(delayEdit_, kMaxRecoilDelay);
  values.left = xCheck_ && xCheck_->IsSelected();
  values.up = yCheck_ && yCheck_->IsSelected();
  ShowNumber(xEdit_, values.x);
  ShowNumber(yEdit_, values.y);
  ShowNumber(delayEdit_, values.delay);
  const bool saved = files_->SaveBullet(currentGun_, currentBullet_, values);
  ShowPattern();
  return saved;
}

void CShootControlUI::ShowXDirection() { ShowCheckText(xCheck_, kLeftText, kRightText); }
void CShootControlUI::ShowYDirection() { ShowCheckText(yCheck_, kUpText, kDownText); }

void CShootControlUI::ShowPattern() {
  if (!files_) return;
  CRecoilPatternUI* picture = patterns_[currentGun_];
  if (!picture) return;
  std::vector<POINT> points;
  for (const RecoilPoint& point : RecoilPath(files_->LoadTable(currentGun_))) points.push_back(POINT{point.x, point.y});
  picture->SetPoints(std::move(points));
  picture->SetMarked(currentBullet_);
}

// ---- whole tables ----

bool CShootControlUI::ResetGun(int gun) {
  if (!files_ || gun < 0 || gun >= kRecoilGunCount) return false;
  const bool reset = files_->ResetGun(gun);
  SelectBullet(currentBullet_);
  return reset;
}

CRecoilFiles::ImportResult CShootControlUI::ImportGun(const std::string& path) {
  if (!files_) return CRecoilFiles::ImportResult::kWriteFailed;
  std::string detail;
  const CRecoilFiles::ImportResult result = files_->ImportGun(currentGun_, path, &detail);
  if (!detail.empty()) OutputDebugString("recoil import refused: " + detail);
  SelectBullet(currentBullet_);
  return result;
}

bool CShootControlUI::ExportGun(const std::string& path) { return files_ && files_->ExportGun(currentGun_, path); }

int CShootControlUI::SendTables() {
  auto* mouse = device_ ? static_cast<CVelmarMouseDevice*>(device_->GetInterface("VelmarMouseDevice")) : nullptr;
  if (!mouse || !files_) return kResultInvalidArgument;
  const CRecoilFiles::Image image = files_->BuildImage();
  if (image.status != CRecoilFiles::ImageStatus::kReady) {
    OutputDebugString("recoil tables not sent: table " + std::to_string(image.gun) + " cannot be sent");
    return kResultInvalidArgument;
  }
  return mouse->WriteRecoilData(image.bytes);
}

void CShootControlUI::SetState(const char* key) {
  if (!stateLabel_) return;
  stateLabel_->SetResourceText(true);
  stateLabel_->SetText(key);
}
