#pragma once

#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "editors/macro_editor/macro_action_rules.h"
#include "editors/macro_editor/macro_recording_rules.h"
#include "platform/input_capture/input_capture.h"
#include "profiles/macros/macro_store.h"
#include "ui/toolkit/control_routes.h"
#include "ui/toolkit/horizontal_layout_ui.h"

class CEditUI;
class CListUI;
class CListContainerElementUI;
class COptionUI;
class CVelmarUSBDevice;
class IEditorHost;
class IMacroListListener;

// The macro editor of a device page: the list of the device's macros ("macro_name_list") with
// add, delete, rename, import and export, and the actions of the selected macro
// ("macro_action_list": one row per event with its delay) that can be recorded, inserted,
// reordered, edited and deleted. Its content comes from "XML\CustomControlXML\MacroControl.xml",
// built into the editor the first time it is needed.
//
// The macro files are the device's macro store (macro_store.h); the name list mirrors its list.
// Every change of the action list is written to the macro file at once, except rows a recording
// adds, which are written when it stops. Nothing here sends to the device: the host's macro
// transfer does, after a recording, row deletions and the deletion of a macro the profile used.
// All on the window thread.
class CMacroControlUI : public CHorizontalLayoutUI, public IControlRoutes, public IInputCaptureSink {
 public:
  static constexpr int kRowHeight = 30;
  static constexpr UINT kScrollTimerId = 4101;
  static constexpr UINT kScrollDelayMs = 50;

  CMacroControlUI();
  ~CMacroControlUI() override;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  void DoInit() override;
  void DoEvent(TEventUI& event) override;

  // The editor works on the device's macros from now on, and its buttons answer through `host`.
  void Bind(CVelmarUSBDevice& device, IEditorHost& host);
  // An editor without a device: its buttons answer through `host`, and it keeps a store of its own
  // over `folder` (ends with '/').
  void BindHost(IEditorHost& host);
  void SetMacroFolder(const std::string& folder);
  std::string GetMacroFolder() const { return store_ ? store_->Folder() : std::string(); }
  // Told about every macro added, renamed or deleted (the key editor's macro choices).
  void SetMacroListListener(IMacroListListener* listener) { listener_ = listener; }
  CMacroStore* Store() { return store_.get(); }

  // ---- the macro list ----
  // Rereads the list file and shows one row per macro; the first is selected and loaded.
  void LoadMacroNames();
  // A new macro "macro_N", selected; empty when the list holds 50 macros or cannot be written.
  std::string AddMacro();
  // The refused name's check, or kAccepted when renamed (the list file is written).
  MacroNameCheck RenameMacro(const std::string& name);
  int SelectedMacroIndex();
  int MacroCount();
  std::string MacroNameAt(int index);
  void SelectMacro(int index);
  // Deletes the selected macro and its file; the index it had, or -1. Renumbering the key
  // assignments is the caller's.
  int DeleteSelectedMacro();
  // The action list into the selected macro's file: 0, or -1 without a selection or when the file
  // could not be written.
  int SaveMacro();
  int WriteMacroFile();
  // Fills the action list from the selected macro's file and enables its areas.
  void LoadSelectedMacro();
  // A file imported as a new macro, selected and loaded; the store's outcome.
  MacroChange ImportMacro(const std::string& path);
  bool ExportMacro(const std::string& path);
  // The selected macro's name back into the name edit (empty without macros).
  void RestoreNameEdit();
  std::string GetNameEditText();
  void SetNameEditText(const std::string& text);

  // ---- the action rows ----
  int ActionCount();
  int SelectedActionIndex();
  void SelectAction(int index);
  // The event a row holds, or nothing for an empty row; its delay is the delay edit's.
  std::optional<MacroEvent> ActionAt(int index);
  std::string DelayTextAt(int index);
  void SetDelayTextAt(int index, const std::string& text);
  void MoveActionToTop();
  void MoveActionUp();
  void MoveActionDown();
  void MoveActionToBottom();
  void DeleteAction();
  void DeleteAllActions();
  // Inserts one event after the selected row (or at the top) with the constant delay; a full list
  // only gets an empty row, which the next save drops.
  void InsertMouseAction(const MacroEvent& event);
  void InsertPointerMove(macro_actions::MoveDirection direction);

  // ---- recording ----
  // Whether recording can start: the host has a capture source that is available now.
  bool CanRecord();
  // Starts capturing into the action list; false (nothing frozen) when no source can capture.
  bool BeginRecording(macro_recording::DelayMode mode,
                      macro_recording::Placement placement = macro_recording::Placement::kAppend);
  // Stops capturing and unfreezes the page (the caller saves and sends).
  void EndRecording();
  // Ends a recording, saves the macro and sends it with the buttons.
  void FinishRecording();
  bool IsRecording() const { return recording_; }
  bool IsConstantDelaySelected();
  uint32_t ConstantDelay() const { return constantDelay_; }
  // The constant delay from its edit, kept in range (with a notice when it was not).
  void ReadConstantDelay();
  // IInputCaptureSink: what the source captured while recording.
  void OnCapturedKey(const CapturedKey& key) override;
  void OnCapturedMouseButton(const CapturedMouseButton& button) override;
  // The source lost its connection: the recording ends as the stop button ends it.
  void OnCaptureLost() override;
  // The clock recorded delays are measured with (tests).
  void SetRecordingClock(IClock& clock) { clock_ = macro_recording::CDelayClock(clock); }

  // ---- routes (macro_editor_routes.cpp) ----
  bool RouteNotify(NotifyKind kind, TNotifyUI& msg) override;
  bool RouteMenuCommand(std::string_view name) override;
  static std::span<const RouteRow<CMacroControlUI>> Rows();

 private:
  static const RouteRow<CMacroControlUI> kRouteRows[];

  bool EnsureContent();
  CControlUI* Find(const char* name);
  CListUI* NameList();
  CListUI* ActionList();
  CEditUI* EditNamed(const char* name);
  COptionUI* ConstantDelayOption();
  CListContainerElementUI* RowAt(int index);
  std::vector<std::string> ListedNames();
  void AppendNameRow(const MacroListEntry& entry);
  void ShowNoMacro();
  void EnableMacroAreas(bool enabled);
  // Enables or disables an area and every control in it that takes input; a disabled one's tooltip
  // says why (`reason`, a language key), an enabled one gets its own back.
  void SetAreaEnabled(const char* name, bool enabled, const char* reason);
  void UpdateActionEditTab();
  void UpdateRecordButtons();
  void ScrollToSelectionSoon();
  void TraceDamagedFiles();

  // Rows (macro_action_rows.cpp).
  CListContainerElementUI* BuildRow(const MacroEvent& event, const std::string& delayText);
  CListContainerElementUI* BuildEmptyRow();
  void ShowEventInRow(CListContainerElementUI* row, const MacroEvent& event);
  void StoreEventInRow(CListContainerElementUI* row, const MacroEvent& event);
  bool InsertRow(CListContainerElementUI* row, int index);
  void MoveRow(int from, int to);
  void ClearActions();
  std::vector<MacroEvent> CollectEvents(bool* cut);

  // Recording (macro_recording.cpp).
  void RecordEvent(const MacroEvent& event);
  void FreezePage(bool frozen);
  bool IsOnStopButton(int screenX, int screenY);

  // Route handlers (macro_editor_routes.cpp).
  void OnNameSelected(TNotifyUI& msg, int index);
  void OnAdd(TNotifyUI& msg, int index);
  void OnDelete(TNotifyUI& msg, int index);
  void OnRename(TNotifyUI& msg, int index);
  void OnImport(TNotifyUI& msg, int index);
  void OnExport(TNotifyUI& msg, int index);
  void OnSave(TNotifyUI& msg, int index);
  void OnCancel(TNotifyUI& msg, int index);
  void OnMoveTop(TNotifyUI& msg, int index);
  void OnMoveUp(TNotifyUI& msg, int index);
  void OnMoveDown(TNotifyUI& msg, int index);
  void OnMoveBottom(TNotifyUI& msg, int index);
  void OnDeleteAction(TNotifyUI& msg, int index);
  void OnDeleteAll(TNotifyUI& msg, int index);
  void OnDelayTyped(TNotifyUI& msg, int index);
  void OnStartRecording(TNotifyUI& msg, int index);
  void OnStopRecording(TNotifyUI& msg, int index);
  void OnInsertMove(TNotifyUI& msg, int index);
  void OnActionMenu(TNotifyUI& msg, int index);
  void ShowActionMenu();
  void StartRecordingFromMenu(macro_recording::DelayMode mode, macro_recording::Placement placement);
  void DeleteMacroWithAssignments();
  void FinishNewMacro(const std::string& name);
  void TellImportRefusal(const MacroChange& change);

  std::unique_ptr<CMacroStore> store_;
  CVelmarUSBDevice* device_ = nullptr;
  IEditorHost* host_ = nullptr;
  IMacroListListener* listener_ = nullptr;
  bool contentBuilt_ = false;
  std::map<CControlUI*, CDuiString> ownTooltips_;
  std::map<CControlUI*, CDuiString> ownIcons_;  // fore images, shown faded while inoperable

  // Recording.
  bool recording_ = false;
  macro_recording::DelayMode delayMode_ = macro_recording::DelayMode::kMeasured;
  macro_recording::Placement placement_ = macro_recording::Placement::kAppend;
  uint32_t constantDelay_ = macro_actions::kInitialConstantDelay;
  bool eventRecorded_ = false;
  macro_recording::CRepeatFilter repeatFilter_;
  macro_recording::CDelayClock clock_;
  IInputCaptureSource* captureSource_ = nullptr;
};
