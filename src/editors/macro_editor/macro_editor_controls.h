#pragma once

#include "ui/toolkit/control_routes.h"

// The names by which the macro editor finds its controls in its layout
// ("XML\CustomControlXML\MacroControl.xml") and the rows it builds.
namespace macro_editor {

// The editor itself, inside the page's "MacroControlItem".
inline constexpr const char* kEditor = "macro_editor";
inline constexpr const char* kLayoutFile = "XML\\CustomControlXML\\MacroControl.xml";
inline constexpr const char* kActionMenuFile = "XML\\Menus\\macro_action_menu.xml";

// The macro names.
inline constexpr const char* kNameTab = "macro_name_tab";
inline constexpr const char* kNameList = "macro_name_list";
inline constexpr const char* kNameEdit = "macro_edit_macroname";
inline constexpr const char* kAddButton = "macro_btn_name_add";
inline constexpr const char* kDeleteButton = "macro_btn_name_sub";
inline constexpr const char* kRenameButton = "macro_btn_name_edit";
inline constexpr const char* kExportButton = "macro_btn_export";
inline constexpr const char* kImportButton = "macro_btn_import";

// The actions of the selected macro.
inline constexpr const char* kActionArea = "macro_action_layout";
inline constexpr const char* kActionList = "macro_action_list";
inline constexpr const char* kActionEditTab = "macro_tab_macroaction_edit";
inline constexpr const char* kDelayEditTab = "macro_tab_macrodelay_edit";
inline constexpr const char* kUpButton = "macro_btn_up";
inline constexpr const char* kDownButton = "macro_btn_down";
inline constexpr const char* kTopButton = "macro_btn_uptop";
inline constexpr const char* kBottomButton = "macro_btn_downbottom";
inline constexpr const char* kDeleteActionButton = "macro_btn_delete";
inline constexpr const char* kDeleteAllButton = "macro_btn_deleteall";
inline constexpr const char* kStartRecordButton = "macro_btn_starredio";
inline constexpr const char* kStopRecordButton = "macro_btn_stopredio";
// The line under them that says where a recording takes keys and clicks from.
inline constexpr const char* kCaptureSourceLabel = "macro_label_capture_source";
inline constexpr const char* kConstantDelayOption = "macro_check_time";
inline constexpr const char* kConstantDelayEdit = "macro_fixed_time_edit";
inline constexpr const char* kSaveButton = "macro_btn_save";
inline constexpr const char* kCancelButton = "macro_btn_cancel";

// Pointer moves.
inline constexpr const char* kMoveArea = "mouse_move_layout";
inline constexpr const char* kMoveLeftEdit = "mouse_x_left_edit";
inline constexpr const char* kMoveRightEdit = "mouse_x_right_edit";
inline constexpr const char* kMoveUpEdit = "mouse_y_up_edit";
inline constexpr const char* kMoveDownEdit = "mouse_y_down_edit";
inline constexpr const char* kMoveLeftButton = "macro_inset_moveleftkey_btn";
inline constexpr const char* kMoveRightButton = "macro_inset_moverightkey_btn";
inline constexpr const char* kMoveUpButton = "macro_inset_moveupkey_btn";
inline constexpr const char* kMoveDownButton = "macro_inset_movedownkey_btn";

// An action row and its delay edit, built by the editor.
inline constexpr const char* kActionRow = "macro_action";
inline constexpr const char* kDelayEdit = "macro_delay";

// The styles of a row's labels (styles.xml).
inline constexpr const char* kKeyboardLabelStyle = "macro_label_keyboard_style";
inline constexpr const char* kMouseLabelStyle = "macro_label_mouse_style";
inline constexpr const char* kDownLabelStyle = "macro_label_down_style";
inline constexpr const char* kUpLabelStyle = "macro_label_up_style";
inline constexpr const char* kTextLabelStyle = "macro_label_text_style";

// What the editor looks up (its routes name the buttons).
inline constexpr ControlNameUse kLookedUp[] = {
    {kNameTab, false},      {kNameList, false},        {kNameEdit, false},          {kActionArea, false},
    {kActionList, false},   {kActionEditTab, false},   {kDelayEditTab, false},      {kStartRecordButton, false},
    {kStopRecordButton, false}, {kCaptureSourceLabel, false}, {kConstantDelayOption, false}, {kConstantDelayEdit, false}, {kMoveArea, false},
    {kMoveLeftEdit, false}, {kMoveRightEdit, false},   {kMoveUpEdit, false},        {kMoveDownEdit, false},
    {kExportButton, false}, {kDeleteButton, false},    {kRenameButton, false},
};

}  // namespace macro_editor
