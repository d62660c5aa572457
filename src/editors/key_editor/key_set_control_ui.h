#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "editors/key_editor/key_assignment_form.h"
#include "editors/macro_list_listener.h"
#include "platform/input_capture/input_capture.h"
#include "ui/toolkit/control_routes.h"
#include "ui/toolkit/horizontal_layout_ui.h"

class CComboUI;
class CEditUI;
class COptionUI;
class CTabLayoutUI;
class CVelmarUSBDevice;
class IEditorHost;

// The key assignment editor of a device page: shows what the key chosen on the device picture
// does and lets the user choose another function (key_assignment_form.h holds the rules). Every
// choice is applied at once: the device keeps the new function in its key list and its profile;
// "key_butt_prosave" sends the key list (with the macros) to the device. Its content comes from
// "XML\CustomControlXML\KeySetControl.xml", built into the panel the first time it is needed.
//
// A keyboard key is captured from the keyboard through the host's capture source: the capture
// button waits for one key; a modifier key chooses the modifier, any other key becomes the key;
// Escape or a second click on the button ends the wait without a change. All on the window thread.
class CKeySetControlUI : public CHorizontalLayoutUI,
                         public IControlRoutes,
                         public IMacroListListener,
                         public IInputCaptureSink {
 public:
  static constexpr int kMacroItemHeight = 30;

  CKeySetControlUI();
  ~CKeySetControlUI() override;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void DoInit() override;

  // The editor works on the device's keys from now on and sends through `host`: looks its
  // controls up, follows the device's kind and offers its macros. No key is chosen yet.
  void Bind(CVelmarUSBDevice& device, IEditorHost& host);

  // ---- the operations ----
  void FindControls();
  // A keyboard (kind 1) has no sensitivity and no gun-key functions.
  void SetDeviceKind(int kind);
  void FillMacroList(const std::vector<std::string>& names);
  void AddMacroItem(const std::string& name);
  void RemoveMacroItem(int index);
  void RenameMacroItem(int index, const std::string& name);
  void ShowKeyAssignment(const KeyAssignmentPair& pair);
  void ShowDefaultAssignment();
  void ShowCurrentAssignment();
  void SetCurrentAssignment(const KeyAssignment& value);
  KeyAssignmentPair ComposeAssignment();
  int GetSelectedCategory();
  void SelectModifier(int option);
  int GetSelectedModifier();
  void SetKeyText(const std::string& nameKey);
  void EnableEditButtons(bool enable);
  void ResetChoices();

  // The key `index` of the device picture was clicked: the device selects it, the page shows
  // this editor and the editor shows what the key does.
  void OpenKey(int index);
  // The composed function becomes the selected key's, kept by the device (keyboards and mice).
  void Apply();
  // The device's key list changed under the editor (another profile, a reverted key): the chosen
  // key shows its function from the list, with nothing pending.
  void ShowSelectedKeyAgain();
  bool StartCapture();
  void StopCapture();
  bool IsCapturing() const { return capturing_; }
  const CKeyAssignmentForm& Form() const { return form_; }

  // ---- IMacroListListener ----
  void OnMacroAdded(const std::string& name) override { AddMacroItem(name); }
  void OnMacroRenamed(int index, const std::string& name) override { RenameMacroItem(index, name); }
  void OnMacroRemoved(int index) override { RemoveMacroItem(index); }

  // ---- IInputCaptureSink ----
  void OnCapturedKey(const CapturedKey& key) override;

  // ---- routes (key_editor_routes.cpp) ----
  bool RouteNotify(NotifyKind kind, TNotifyUI& msg) override;
  static std::span<const RouteRow<CKeySetControlUI>> Rows();

 private:
  static const RouteRow<CKeySetControlUI> kRouteRows[];

  bool EnsureContent();
  CControlUI* Find(const char* name);
  CComboUI* FindCombo(const char* name);
  CEditUI* FindEdit(const char* name);
  CComboUI* CategoryCombo(int category);
  // The controls into the form's values and back. Showing never notifies.
  KeyFormControls ReadControls();
  void ShowControls(const KeyFormControls& controls);
  void SelectCategory(int category);
  void ShowCategoryPage(int category);
  int MacroCount();
  bool AppliesToDevice() const;
  void UpdateCaptureButton();
  void UpdateSendButton();
  void UpdateMacroCombo();

  // Route handlers.
  void OnFunctionChosen(TNotifyUI& msg, int index);
  void OnChoice(TNotifyUI& msg, int index);
  void OnMacroMode(TNotifyUI& msg, int index);
  void OnModifier(TNotifyUI& msg, int index);
  void OnEditDone(TNotifyUI& msg, int index);
  void OnApply(TNotifyUI& msg, int index);
  void OnDefault(TNotifyUI& msg, int index);
  void OnCancel(TNotifyUI& msg, int index);
  void OnSend(TNotifyUI& msg, int index);
  void OnCapture(TNotifyUI& msg, int index);
  void OnKeyZone(TNotifyUI& msg, int index);

  CVelmarUSBDevice* device_ = nullptr;
  IEditorHost* host_ = nullptr;
  int kind_ = 0;
  bool contentBuilt_ = false;
  bool keyChosen_ = false;
  bool capturing_ = false;
  bool unsent_ = false;  // a function was applied since the last send
  bool editButtonsEnabled_ = false;
  CKeyAssignmentForm form_;
  // The shown key's usage: the key field shows its name only.
  uint8_t keyUsage_ = 0;

  CControlUI* editorArea_ = nullptr;
  CControlUI* noKeyLayout_ = nullptr;
  CControlUI* chosenLayout_ = nullptr;
  CControlUI* keyTitle_ = nullptr;
  CControlUI* unknownLabel_ = nullptr;
  CComboUI* functionCombo_ = nullptr;
  CTabLayoutUI* functionPages_ = nullptr;
  CComboUI* mouseButtonCombo_ = nullptr;
  CComboUI* scrollCombo_ = nullptr;
  CEditUI* scrollCount_ = nullptr;
  CEditUI* scrollDelay_ = nullptr;
  CEditUI* scrollSpeed_ = nullptr;
  CComboUI* wheelCombo_ = nullptr;
  CEditUI* wheelCount_ = nullptr;
  CEditUI* wheelDelay_ = nullptr;
  CEditUI* wheelSpeed_ = nullptr;
  CComboUI* sensitivityCombo_ = nullptr;
  CEditUI* fireInterval_ = nullptr;
  CEditUI* fireCount_ = nullptr;
  CEditUI* keyEdit_ = nullptr;
  CControlUI* captureButton_ = nullptr;
  std::array<COptionUI*, kModifierOptionCount> modifiers_{};
  CComboUI* mediaCombo_ = nullptr;
  CComboUI* systemCombo_ = nullptr;
  CComboUI* macroCombo_ = nullptr;
  CComboUI* macroModeCombo_ = nullptr;
  CControlUI* macroCycleLayout_ = nullptr;
  CEditUI* macroCycle_ = nullptr;
  CComboUI* gunKeyCombo_ = nullptr;
  CComboUI* shortcutCombo_ = nullptr;
  CControlUI* keyTextProbe_ = nullptr;
  CControlUI* defaultButton_ = nullptr;
  CControlUI* cancelButton_ = nullptr;
  CControlUI* applyButton_ = nullptr;
  CControlUI* sendButton_ = nullptr;
  std::string keyNameKey_;  // the key field's key; empty when it shows none
};
