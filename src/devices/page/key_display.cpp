#include "devices/page/key_display.h"

#include "ui/controls/device_key_button_ui.h"
#include "ui/controls/text_key.h"
#include "ui/toolkit/resource_manager.h"

namespace {

std::string Translated(const std::string& key) { return CResourceManager::GetInstance()->GetText(key.c_str()).str(); }

}  // namespace

std::string FunctionText(const FunctionLabel& label) {
  std::string text;
  for (const FunctionLabelPart& part : label) text += part.languageKey ? Translated(part.text) : part.text;
  return text;
}

std::string KeyFunctionText(const KeyAssignmentPair& key, std::span<const std::string> macroNames) {
  const FunctionLabel label = DescribeFunction(key.Current, macroNames);
  const bool unnamed = !label.empty() && label.front().languageKey && label.front().text == "function_name_unknown";
  if (unnamed && key.Current.SameFunction(key.Default)) return Translated(TextKey("function_name_factory"));
  return FunctionText(label);
}

std::string KeyDisplayText(const char* nameKey, const KeyAssignmentPair& key, std::span<const std::string> macroNames) {
  return FillButtonAndFunction(Translated(TextKey("key_display_format")), Translated(nameKey),
                               KeyFunctionText(key, macroNames));
}

std::string FillButtonAndFunction(std::string format, const std::string& button, const std::string& function) {
  // The names are put in after the placeholders are found, so a name holding one stays as it is.
  const size_t buttonAt = format.find("{button}");
  const size_t functionAt = format.find("{function}");
  if (buttonAt == std::string::npos || functionAt == std::string::npos) return button + ": " + function;
  if (buttonAt < functionAt) {
    format.replace(functionAt, 10, function);
    format.replace(buttonAt, 8, button);
  } else {
    format.replace(buttonAt, 8, button);
    format.replace(functionAt, 10, function);
  }
  return format;
}

void ShowKeyFunctions(const std::vector<CDeviceKeyButtonUI*>& zones, std::span<const char* const> nameKeys,
                      const std::vector<KeyAssignmentPair>& keys, std::span<const std::string> macroNames) {
  for (size_t i = 0; i < zones.size() && i < keys.size() && i < nameKeys.size(); ++i) {
    CDeviceKeyButtonUI* zone = zones[i];
    if (!zone) continue;
    zone->SetToolTip(KeyDisplayText(nameKeys[i], keys[i], macroNames).c_str());
    zone->HideKeySetImage(keys[i].Current.SameFunction(keys[i].Default));
  }
}
