#include "ui/toolkit/control_routes.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "ui/toolkit/controls/option_ui.h"

std::optional<NotifyKind> NotifyKindOf(std::string_view type) {
  struct TypeName {
    std::string_view type;
    NotifyKind kind;
  };
  static constexpr TypeName kTypes[] = {
      {"click", NotifyKind::kClick},
      {"selectchanged", NotifyKind::kSelectChanged},
      {"valuechanged", NotifyKind::kValueChanged},
      {"movevaluechanged", NotifyKind::kSliderDrag},
      {"itemselect", NotifyKind::kItemSelect},
      {"killfocus", NotifyKind::kFocusLost},
      {"return", NotifyKind::kReturn},
      {"textchanged", NotifyKind::kTextChanged},
      {"itemactivate", NotifyKind::kItemActivate},
      {"menu", NotifyKind::kContextMenu},
      {"colorchanged", NotifyKind::kColorChanged},
  };
  for (const TypeName& entry : kTypes) {
    if (entry.type == type) return entry.kind;
  }
  return std::nullopt;
}

std::optional<SplitControlNameResult> SplitControlName(std::string_view name) {
  const size_t underscore = name.rfind('_');
  if (underscore == std::string_view::npos) return std::nullopt;
  SplitControlNameResult split{std::string(name.substr(0, underscore + 1)), 0};
  const std::string_view digits = name.substr(underscore + 1);
  if (!digits.empty() &&
      std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
    split.index = std::atoi(std::string(digits.substr(0, 9)).c_str());
  }
  return split;
}

bool SameControlName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool IsSelectedOption(const TNotifyUI& msg) {
  auto* option = msg.pSender ? static_cast<COptionUI*>(msg.pSender->GetInterface("Option")) : nullptr;
  return option && option->IsSelected();
}
