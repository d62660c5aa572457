#include "editors/key_editor/key_set_control_ui.h"

#include <cstdlib>
#include <new>

#include "devices/device_kind_table.h"
#include "devices/velmar_usb_device.h"
#include "editors/device_editors.h"
#include "editors/editor_host.h"
#include "editors/key_editor/key_editor_controls.h"
#include "editors/profile_panel/device_profile_ui.h"
#include "platform/debug_output.h"
#include "profiles/keys/key_table.h"
#include "ui/controls/named_child.h"
#include "ui/controls/text_key.h"
#include "ui/toolkit/controls/combo_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/list_label_element_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/tab_layout_ui.h"

using namespace key_editor;

namespace {

int ComboIndex(CComboUI* combo) { return combo ? combo->GetCurSel() : -1; }

void SelectComboItem(CComboUI* combo, int index) {
  if (!combo) return;
  combo->SelectItem(index >= 0 && index < combo->GetCount() ? index : -1, false);
}

std::string EditText(CEditUI* edit) { return edit ? edit->GetText().str() : std::string(); }

void SetEditText(CEditUI* edit, const std::string& text) {
  if (edit) edit->SetText(text.c_str());
}

void ShowControl(CControlUI* control, bool visible) {
  if (control) control->SetVisible(visible);
}

// The usage of the ordinary key with that name key; 0 for none.
uint8_t UsageOfNameKey(const std::string& nameKey) {
  for (size_t i = kModifierRowCount; i < kKeyTable.size(); ++i) {
    const KeyTableRow& row = kKeyTable[i];
    if (row.type == kKeyboardKeyType && row.p1 == 0 && nameKey == row.nameKey) return row.p2;
  }
  return 0;
}

void SetButtonState(CControlUI* button, bool enabled, const char* tip, const char* idleTip) {
  if (!button) return;
  button->SetEnabled(enabled);
  button->SetToolTip(enabled ? tip : idleTip);
}

}  // namespace

CKeySetControlUI::CKeySetControlUI() = default;

// The device's handler is not cleared here: the editor is part of the device's page and goes when
// the page goes, after the device's own members.
CKeySetControlUI::~CKeySetControlUI() { StopCapture(); }

LPCTSTR CKeySetControlUI::GetClass() const { return "KeySetControl"; }

void* CKeySetControlUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("KeySetControl") == 0) return static_cast<CKeySetControlUI*>(this);
  return CHorizontalLayoutUI::GetInterface(pstrName);
}

void CKeySetControlUI::DoInit() {
  CHorizontalLayoutUI::DoInit();
  EnsureContent();
}

bool CKeySetControlUI::EnsureContent() {
  if (contentBuilt_) return true;
  contentBuilt_ = true;
  CDialogBuilder builder;
  if (!builder.Create(kLayoutFile, nullptr, nullptr, m_pManager, this)) {
    OutputDebugString(std::string("key editor: ") + kLayoutFile + " not built: " + builder.GetLastError().str());
    return false;
  }
  return true;
}

void CKeySetControlUI::Bind(CVelmarUSBDevice& device, IEditorHost& host) {
  device_ = &device;
  host_ = &host;
  FindControls();
  SetDeviceKind(device.GetDeviceKind());
  device.LoadLightAndMacroNames();
  FillMacroList(device.MacroNames());
  ResetChoices();
  SelectComboItem(macroModeCombo_, 0);
  keyChosen_ = false;
  ShowControl(noKeyLayout_, true);
  ShowControl(chosenLayout_, false);
  EnableEditButtons(false);
  UpdateCaptureButton();
  device.SetKeyListShownHandler([this] { ShowSelectedKeyAgain(); });
}

// The device shows another key list (a profile was taken): the chosen key shows its function
// there, so a later apply never carries the old profile's function over.
void CKeySetControlUI::ShowSelectedKeyAgain() {
  if (!device_ || !keyChosen_) return;
  const std::vector<KeyAssignmentPair> keys = device_->GetKeyAssignments();
  const int selected = device_->GetSelectedKey();
  if (selected < 0 || static_cast<size_t>(selected) >= keys.size()) return;
  StopCapture();
  FillMacroList(device_->MacroNames());
  ShowKeyAssignment(keys[static_cast<size_t>(selected)]);
  EnableEditButtons(false);
}

// ---- controls, looked up once ----

CControlUI* CKeySetControlUI::Find(const char* name) { return FindNamedChild(this, name); }

CComboUI* CKeySetControlUI::FindCombo(const char* name) {
  CControlUI* control = Find(name);
  return control ? static_cast<CComboUI*>(control->GetInterface("Combo")) : nullptr;
}

CEditUI* CKeySetControlUI::FindEdit(const char* name) {
  CControlUI* control = Find(name);
  return control ? static_cast<CEditUI*>(control->GetInterface("Edit")) : nullptr;
}

void CKeySetControlUI::FindControls() {
  if (!EnsureContent()) return;
  editorArea_ = Find(kEditorArea);
  noKeyLayout_ = Find(kNoKeyLayout);
  chosenLayout_ = Find(kChosenLayout);
  keyTitle_ = Find(kKeyTitle);
  unknownLabel_ = Find(kUnknownLabel);
  functionCombo_ = FindCombo(kFunctionCombo);
  CControlUI* pages = Find(kFunctionPages);
  functionPages_ = pages ? static_cast<CTabLayoutUI*>(pages->GetInterface("TabLayout")) : nullptr;
  mouseButtonCombo_ = FindCombo(kMouseButtonCombo);
  scrollCombo_ = FindCombo(kScrollCombo);
  scrollCount_ = FindEdit(kScrollCountEdit);
  scrollDelay_ = FindEdit(kScrollDelayEdit);
  scrollSpeed_ = FindEdit(kScrollSpeedEdit);
  wheelCombo_ = FindCombo(kWheelCombo);
  wheelCount_ = FindEdit(kWheelCountEdit);
  wheelDelay_ = FindEdit(kWheelDelayEdit);
  wheelSpeed_ = FindEdit(kWheelSpeedEdit);
  sensitivityCombo_ = FindCombo(kSensitivityCombo);
  fireInterval_ = FindEdit(kFireIntervalEdit);
  fireCount_ = FindEdit(kFireCountEdit);
  keyEdit_ = FindEdit(kKeyEdit);
  captureButton_ = Find(kCaptureButton);
  for (int i = 0; i < kModifierOptionCount; ++i) {
    CControlUI* option = Find((std::string(kModifierOption) + std::to_string(i)).c_str());
    modifiers_[static_cast<size_t>(i)] = option ? static_cast<COptionUI*>(option->GetInterface("Option")) : nullptr;
  }
  mediaCombo_ = FindCombo(kMediaCombo);
  systemCombo_ = FindCombo(kSystemCombo);
  macroCombo_ = FindCombo(kMacroCombo);
  macroModeCombo_ = FindCombo(kMacroModeCombo);
  macroCycleLayout_ = Find(kMacroCycleLayout);
  macroCycle_ = FindEdit(kMacroCycleEdit);
  gunKeyCombo_ = FindCombo(kGunKeyCombo);
  shortcutCombo_ = FindCombo(kShortcutCombo);
  keyTextProbe_ = Find(kKeyTextProbe);
  defaultButton_ = Find(kDefaultButton);
  cancelButton_ = Find(kCancelButton);
  applyButton_ = Find(kApplyButton);
  sendButton_ = Find(kSendButton);
}

CComboUI* CKeySetControlUI::CategoryCombo(int category) {
  switch (category) {
    case kCategoryMouseButton:
      return mouseButtonCombo_;
    case kCategorySensitivity:
      return sensitivityCombo_;
    case kCategoryMedia:
      return mediaCombo_;
    case kCategorySystem:
      return systemCombo_;
    case kCategoryGunKey:
      return gunKeyCombo_;
    case kCategoryShortcut:
      return shortcutCombo_;
    default:
      return nullptr;
  }
}

// ---- the operations ----

void CKeySetControlUI::SetDeviceKind(int kind) {
  kind_ = kind;
  if (!functionCombo_) return;
  const bool keyboard = CableKindOf(static_cast<uint16_t>(kind)) == kDeviceKindKeyboard;
  for (int i = 0; i < functionCombo_->GetCount(); ++i) {
    CControlUI* item = functionCombo_->GetItemAt(i);
    const int category = std::atoi(item->GetUserData().str().c_str());
    if (category == kCategorySensitivity || category == kCategoryGunKey) item->SetVisible(!keyboard);
  }
}

void CKeySetControlUI::FillMacroList(const std::vector<std::string>& names) {
  if (!macroCombo_) return;
  macroCombo_->RemoveAll();
  for (const std::string& name : names) AddMacroItem(name);
  macroCombo_->SelectItem(-1, false);
  UpdateMacroCombo();
}

// Without macros there is nothing to choose; the tooltip says where macros come from.
void CKeySetControlUI::UpdateMacroCombo() {
  if (!macroCombo_) return;
  const bool any = macroCombo_->GetCount() > 0;
  macroCombo_->SetEnabled(any);
  macroCombo_->SetToolTip(any ? TextKey("keyset_tip_macro") : TextKey("keyset_tip_macro_none"));
}

void CKeySetControlUI::AddMacroItem(const std::string& name) {
  auto* item = new (std::nothrow) CListLabelElementUI;
  if (!macroCombo_ || !item) {
    delete item;
    return;
  }
  item->SetFixedHeight(kMacroItemHeight);
  item->SetText(name.c_str());
  item->SetToolTip(name.c_str());
  macroCombo_->Add(item);
  UpdateMacroCombo();
}

void CKeySetControlUI::RemoveMacroItem(int index) {
  if (macroCombo_ && index >= 0 && index < macroCombo_->GetCount()) macroCombo_->RemoveAt(index, false);
  UpdateMacroCombo();
}

void CKeySetControlUI::RenameMacroItem(int index, const std::string& name) {
  if (!macroCombo_ || index < 0 || index >= macroCombo_->GetCount()) return;
  CControlUI* item = macroCombo_->GetItemAt(index);
  item->SetText(name.c_str());
  item->SetToolTip(name.c_str());
  macroCombo_->Invalidate();
}

void CKeySetControlUI::ShowKeyAssignment(const KeyAssignmentPair& pair) {
  form_.Store(pair);
  ShowCurrentAssignment();
}

void CKeySetControlUI::ShowDefaultAssignment() {
  KeyFormControls controls = ReadControls();
  form_.ShowDefault(MacroCount(), controls);
  ShowControls(controls);
}

void CKeySetControlUI::ShowCurrentAssignment() {
  KeyFormControls controls = ReadControls();
  form_.ShowCurrent(MacroCount(), controls);
  ShowControls(controls);
}

void CKeySetControlUI::SetCurrentAssignment(const KeyAssignment& value) { form_.SetCurrent(value); }

KeyAssignmentPair CKeySetControlUI::ComposeAssignment() {
  KeyFormControls controls = ReadControls();
  const KeyAssignmentPair pair = form_.Compose(controls, MacroCount());
  // A raised interval shows as it was kept.
  SetEditText(fireInterval_, controls.fireInterval);
  SetEditText(fireCount_, controls.fireCount);
  return pair;
}

int CKeySetControlUI::GetSelectedCategory() {
  const int index = ComboIndex(functionCombo_);
  if (index < 0) return -1;
  return std::atoi(functionCombo_->GetItemAt(index)->GetUserData().str().c_str());
}

void CKeySetControlUI::SelectModifier(int option) {
  for (int i = 0; i < kModifierOptionCount; ++i) {
    if (COptionUI* modifier = modifiers_[static_cast<size_t>(i)]) modifier->Selected(i == option, false);
  }
}

int CKeySetControlUI::GetSelectedModifier() {
  for (int i = 0; i < kModifierOptionCount; ++i) {
    const COptionUI* modifier = modifiers_[static_cast<size_t>(i)];
    if (modifier && modifier->IsSelected()) return i;
  }
  return -1;
}

void CKeySetControlUI::SetKeyText(const std::string& nameKey) {
  keyNameKey_ = nameKey;
  keyUsage_ = UsageOfNameKey(nameKey);
  std::string text;
  if (!nameKey.empty()) {
    if (keyTextProbe_) {
      keyTextProbe_->SetText(nameKey.c_str());
      text = keyTextProbe_->GetText().str();
    } else {
      text = CResourceManager::GetInstance()->GetText(nameKey.c_str()).str();
    }
  }
  SetEditText(keyEdit_, text);
}

void CKeySetControlUI::EnableEditButtons(bool enable) {
  editButtonsEnabled_ = enable;
  SetButtonState(applyButton_, enable, TextKey("keyset_tip_apply"), TextKey("keyset_tip_apply_idle"));
  SetButtonState(cancelButton_, enable, TextKey("keyset_tip_cancel"), TextKey("keyset_tip_cancel_idle"));
  UpdateSendButton();
}

// Functions that were applied and not sent yet keep the send button operable.
void CKeySetControlUI::UpdateSendButton() {
  SetButtonState(sendButton_, editButtonsEnabled_ || unsent_, TextKey("keyset_tip_send"),
                 TextKey("keyset_tip_send_idle"));
}

void CKeySetControlUI::ResetChoices() {
  for (CComboUI* combo : {mouseButtonCombo_, scrollCombo_, wheelCombo_, sensitivityCombo_, mediaCombo_, systemCombo_,
                          gunKeyCombo_, shortcutCombo_}) {
    SelectComboItem(combo, 0);
  }
}

// ---- the controls and the form ----

int CKeySetControlUI::MacroCount() { return macroCombo_ ? macroCombo_->GetCount() : 0; }

KeyFormControls CKeySetControlUI::ReadControls() {
  KeyFormControls controls;
  controls.category = GetSelectedCategory();
  controls.editorShown = editorArea_ && editorArea_->IsVisible();
  for (int category = 0; category < kFunctionCategoryCount; ++category) {
    controls.Row(category) = ComboIndex(CategoryCombo(category));
  }
  controls.scrollDirection = ComboIndex(scrollCombo_) == 1 ? 1 : 0;
  controls.scrollCount = EditText(scrollCount_);
  controls.scrollDelay = EditText(scrollDelay_);
  controls.scrollSpeed = EditText(scrollSpeed_);
  controls.wheelDirection = ComboIndex(wheelCombo_) == 1 ? 1 : 0;
  controls.wheelCount = EditText(wheelCount_);
  controls.wheelDelay = EditText(wheelDelay_);
  controls.wheelSpeed = EditText(wheelSpeed_);
  controls.fireInterval = EditText(fireInterval_);
  controls.fireCount = EditText(fireCount_);
  controls.modifier = GetSelectedModifier();
  controls.keyNameKey = keyNameKey_;
  controls.keyUsage = keyUsage_;
  controls.macro = ComboIndex(macroCombo_);
  controls.macroMode = ComboIndex(macroModeCombo_);
  controls.macroCycle = EditText(macroCycle_);
  controls.cycleShown = macroCycleLayout_ && macroCycleLayout_->IsVisible();
  return controls;
}

void CKeySetControlUI::ShowControls(const KeyFormControls& controls) {
  for (int category = 0; category < kFunctionCategoryCount; ++category) {
    if (CComboUI* combo = CategoryCombo(category)) SelectComboItem(combo, controls.Row(category));
  }
  SelectComboItem(scrollCombo_, controls.scrollDirection);
  SetEditText(scrollCount_, controls.scrollCount);
  SetEditText(scrollDelay_, controls.scrollDelay);
  SetEditText(scrollSpeed_, controls.scrollSpeed);
  SelectComboItem(wheelCombo_, controls.wheelDirection);
  SetEditText(wheelCount_, controls.wheelCount);
  SetEditText(wheelDelay_, controls.wheelDelay);
  SetEditText(wheelSpeed_, controls.wheelSpeed);
  SetEditText(fireInterval_, controls.fireInterval);
  SetEditText(fireCount_, controls.fireCount);
  SelectModifier(controls.modifier);
  SetKeyText(controls.keyNameKey);
  keyUsage_ = controls.keyUsage;
  SelectComboItem(macroCombo_, controls.macro);
  SelectComboItem(macroModeCombo_, controls.macroMode);
  SetEditText(macroCycle_, controls.macroCycle);
  ShowControl(macroCycleLayout_, controls.cycleShown);
  ShowControl(editorArea_, controls.editorShown);
  ShowControl(unknownLabel_, !controls.editorShown);
  if (controls.editorShown) SelectCategory(controls.category);
}

void CKeySetControlUI::SelectCategory(int category) {
  if (!functionCombo_) return;
  for (int i = 0; i < functionCombo_->GetCount(); ++i) {
    if (std::atoi(functionCombo_->GetItemAt(i)->GetUserData().str().c_str()) == category) {
      functionCombo_->SelectItem(i, false);
      break;
    }
  }
  ShowCategoryPage(category);
}

void CKeySetControlUI::ShowCategoryPage(int category) {
  if (functionPages_ && category >= 0 && category < functionPages_->GetCount()) {
    functionPages_->SelectItem(category, false);
  }
  if (category != kCategoryKeyboardKey) StopCapture();
}

// ---- choosing a key, applying ----

bool CKeySetControlUI::AppliesToDevice() const {
  if (!device_) return false;
  // The mouse through its receiver is the same mouse as on its cable.
  const uint16_t kind = CableKindOf(device_->GetDeviceKind());
  return kind == kDeviceKindKeyboard || kind == kDeviceKindMouse;
}

void CKeySetControlUI::OpenKey(int index) {
  if (!device_) return;
  const std::vector<KeyAssignmentPair> keys = device_->GetKeyAssignments();
  if (index < 0 || static_cast<size_t>(index) >= keys.size()) return;
  StopCapture();
  device_->LoadLightAndMacroNames();
  FillMacroList(device_->MacroNames());
  device_->SetFunctionType(kKeyTab);
  if (CDeviceProfileUI* panel = ProfilePanelOf(*device_)) panel->SelectTab(kKeyTab);
  device_->SelectKey(index);
  keyChosen_ = true;
  ShowControl(noKeyLayout_, false);
  ShowControl(chosenLayout_, true);
  if (keyTitle_) {
    const std::string nameKey = device_->KeyNameKey(index);
    keyTitle_->SetText(nameKey.empty() ? "" : CResourceManager::GetInstance()->GetText(nameKey.c_str()).GetData());
  }
  ShowKeyAssignment(keys[static_cast<size_t>(index)]);
  EnableEditButtons(false);
}

void CKeySetControlUI::Apply() {
  if (!device_ || !keyChosen_ || !AppliesToDevice()) return;
  std::vector<KeyAssignmentPair> keys = device_->GetKeyAssignments();
  const int selected = device_->GetSelectedKey();
  if (selected < 0 || static_cast<size_t>(selected) >= keys.size()) return;
  KeyAssignmentPair pair = ComposeAssignment();
  // The list's own key index stays whatever the form was shown.
  pair.Current.KeyIndex = keys[static_cast<size_t>(selected)].Current.KeyIndex;
  pair.Default = keys[static_cast<size_t>(selected)].Default;
  keys[static_cast<size_t>(selected)] = pair;
  device_->SetKeyAssignments(keys);
  unsent_ = true;
  EnableEditButtons(true);
}
