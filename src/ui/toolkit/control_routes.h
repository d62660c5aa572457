#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/toolkit/control_ui.h"
#include "ui/toolkit/ui_interfaces.h"

// Routing a control's notification to the code that owns the control, by the control's name.
// Each page and editor brings a table of rows; a row matches the sender's whole name or, for a
// prefix row, the prefix of its split name (both without regard to letter case), and the first
// match in table order wins.

// The notifications that are routed by name; every other type is left to its window.
enum class NotifyKind {
  kClick,
  kSelectChanged,
  kValueChanged,
  kSliderDrag,
  kItemSelect,
  kFocusLost,
  kReturn,
  kTextChanged,   // the user typed in an edit
  kItemActivate,  // a list row was double-clicked or took Enter
  kContextMenu,   // a right click on a control with menu="true"
  kColorChanged,  // a colour palette took a colour from the mouse
};
std::optional<NotifyKind> NotifyKindOf(std::string_view type);

// A control name split at its last underscore: "DPI_slider_3" → "DPI_slider_" and 3. Text after
// the underscore that is not a number gives 0; a name without an underscore does not split.
struct SplitControlNameResult {
  std::string prefix;
  int index = 0;
};
std::optional<SplitControlNameResult> SplitControlName(std::string_view name);

bool SameControlName(std::string_view a, std::string_view b);

// A "selectchanged" from an option or check box: whether the sender is now selected.
bool IsSelectedOption(const TNotifyUI& msg);

template <typename Owner>
struct RouteRow {
  NotifyKind kind;
  const char* name;
  bool prefix;  // `name` is a prefix followed by an index
  void (Owner::*handler)(TNotifyUI& msg, int index);
};

// The row of `rows` that the notification matches, or null.
template <typename Owner>
const RouteRow<Owner>* FindRoute(std::span<const RouteRow<Owner>> rows, NotifyKind kind, const TNotifyUI& msg,
                                 int* index) {
  if (!msg.pSender) return nullptr;
  const std::string name = msg.pSender->GetName().str();
  const std::optional<SplitControlNameResult> split = SplitControlName(name);
  for (const RouteRow<Owner>& row : rows) {
    if (row.kind != kind) continue;
    if (row.prefix ? split && SameControlName(split->prefix, row.name) : SameControlName(name, row.name)) {
      *index = row.prefix ? split->index : 0;
      return &row;
    }
  }
  return nullptr;
}

// Runs the matching row's handler on `owner`; false when no row matched.
template <typename Owner>
bool DispatchRoute(std::span<const RouteRow<Owner>> rows, Owner& owner, NotifyKind kind, TNotifyUI& msg) {
  int index = 0;
  const RouteRow<Owner>* row = FindRoute(rows, kind, msg, &index);
  if (!row) return false;
  (owner.*(row->handler))(msg, index);
  return true;
}

// A control name a table or a page relies on, for checking it against the layout that holds it.
struct ControlNameUse {
  const char* name;
  bool prefix;  // the layout names the control with this prefix and an index
};

template <typename Owner>
std::vector<ControlNameUse> RouteNames(std::span<const RouteRow<Owner>> rows) {
  std::vector<ControlNameUse> names;
  for (const RouteRow<Owner>& row : rows) names.push_back({row.name, row.prefix});
  return names;
}

// A page or an editor whose controls' notifications reach it through the main window's router.
class IControlRoutes {
 public:
  virtual ~IControlRoutes() = default;
  // True when one of its rows took the notification.
  virtual bool RouteNotify(NotifyKind kind, TNotifyUI& msg) = 0;
  // A row of a menu it opened was chosen; true when it took the command.
  virtual bool RouteMenuCommand(std::string_view /*name*/) { return false; }
};
