#include "windows/main_wnd/language_number_text.h"

#include "ui/toolkit/resource_manager.h"

std::string LanguageTextWithNumber(const char* key, int number) {
  std::string text = CResourceManager::GetInstance()->GetText(key).str();
  const size_t placeholder = text.find("%d");
  if (placeholder != std::string::npos) text.replace(placeholder, 2, std::to_string(number));
  return text;
}
