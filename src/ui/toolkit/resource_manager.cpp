#include "ui/toolkit/resource_manager.h"

#include <QFileInfo>

#include "platform/debug_output.h"
#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/markup.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/qt_translations.h"

namespace {

bool Exists(const CDuiString& path) { return QFileInfo::exists(QString::fromStdString(path.str())); }

// A file named relative to the skin: absolute as given, else the first existing candidate.
CDuiString FindFile(CDuiString name, std::initializer_list<CDuiString> bases) {
  name.Replace("\\", "/");
  if (name.IsEmpty() || name[0] == '/') return name;
  for (const CDuiString& base : bases) {
    if (Exists(base + name)) return base + name;
  }
  return name;
}

bool LoadDocument(LPCTSTR source, CMarkupNode& root, CDuiString& error) {
  CDuiString text(source ? source : "");
  text.TrimLeft();
  if (!text.IsEmpty() && text[0] == '<') return ParseMarkup(text.str(), root, error);
  return LoadMarkupFile(FindFile(text, {CPaintManagerUI::GetResourcePath(), CPaintManagerUI::GetInstancePath()}), root,
                        error);
}

}  // namespace

CResourceManager* CResourceManager::GetInstance() {
  static CResourceManager instance;
  return &instance;
}

bool CResourceManager::LoadResource(LPCTSTR pstrXml, LPCTSTR) {
  CMarkupNode root;
  CDuiString error;
  if (!LoadDocument(pstrXml, root, error)) {
    OutputDebugString(("res.xml: " + error).str());
    return false;
  }
  std::lock_guard guard(mutex_);
  for (const CMarkupNode& item : root.children) {
    CDuiString id = item.GetAttribute("id");
    CDuiString file = item.GetAttribute("file");
    file.Replace("\\", "/");
    if (id.IsEmpty()) continue;
    if (item.tag.CompareNoCase("Layout") == 0) {
      layouts_[id] = file;
    } else if (item.tag.CompareNoCase("Image") == 0) {
      images_[id] = file;
    } else if (item.tag.CompareNoCase("Icon") == 0) {
      icons_[UINT(ParseIntValue(id.str()))] = file;
    }
  }
  return true;
}

void CResourceManager::ResetResourceMap() {
  std::lock_guard guard(mutex_);
  layouts_.clear();
  images_.clear();
  icons_.clear();
}

CDuiString CResourceManager::GetXmlPath(LPCTSTR pstrId) const {
  std::lock_guard guard(mutex_);
  auto it = layouts_.find(pstrId ? pstrId : "");
  return it == layouts_.end() ? CDuiString() : it->second;
}

CDuiString CResourceManager::GetImagePath(LPCTSTR pstrId) const {
  std::lock_guard guard(mutex_);
  auto it = images_.find(pstrId ? pstrId : "");
  return it == images_.end() ? CDuiString() : it->second;
}

CDuiString CResourceManager::GetIconPath(UINT id) const {
  std::lock_guard guard(mutex_);
  auto it = icons_.find(id);
  return it == icons_.end() ? CDuiString() : it->second;
}

void CResourceManager::Release() {
  ResetResourceMap();
  ResetTextMap();
  std::lock_guard guard(mutex_);
  language_.Empty();
  query_ = nullptr;
}

void CResourceManager::SetLanguage(LPCTSTR pstrLanguage) {
  const CDuiString language(pstrLanguage ? pstrLanguage : "");
  {
    std::lock_guard guard(mutex_);
    language_ = language;
  }
  if (CPaintManagerUI::IsUiThread()) {
    UseQtTranslationsFor(language);
  } else {
    CPaintManagerUI::RunOnUiThread([language] { UseQtTranslationsFor(language); });
  }
}

CDuiString CResourceManager::GetLanguage() const {
  std::lock_guard guard(mutex_);
  return language_;
}

bool CResourceManager::LoadLanguage(LPCTSTR pstrFile) {
  CDuiString instance = CPaintManagerUI::GetInstancePath();
  CDuiString path =
      FindFile(pstrFile ? pstrFile : "", {CPaintManagerUI::GetResourcePath(), instance + "DefaultData/", instance});
  CMarkupNode root;
  CDuiString error;
  if (!LoadMarkupFile(path, root, error)) {
    OutputDebugString(("language: " + error).str());
    return false;
  }
  std::map<CDuiString, CDuiString> texts;
  for (const CMarkupNode& item : root.children) {
    if (item.tag.CompareNoCase("Text") != 0 || !item.HasAttribute("key")) continue;
    texts[item.GetAttribute("key")] = item.HasAttribute("value") ? item.GetAttribute("value") : item.text;
  }
  std::lock_guard guard(mutex_);
  texts_.swap(texts);
  return true;
}

void CResourceManager::ResetTextMap() {
  std::lock_guard guard(mutex_);
  texts_.clear();
}

CDuiString CResourceManager::GetText(LPCTSTR pstrKey, LPCTSTR pstrType) const {
  CDuiString key(pstrKey ? pstrKey : "");
  IQueryControlText* query;
  {
    std::lock_guard guard(mutex_);
    auto it = texts_.find(key);
    if (it != texts_.end()) return it->second;
    query = query_;
  }
  if (query && !key.IsEmpty()) {
    CDuiString answer = query->QueryControlText(key, pstrType ? pstrType : "");
    if (!answer.IsEmpty()) return answer;
  }
  return key;
}

bool CResourceManager::HasText(LPCTSTR pstrKey) const {
  std::lock_guard guard(mutex_);
  return texts_.count(pstrKey ? pstrKey : "") > 0;
}

void CResourceManager::SetTextQueryInterface(IQueryControlText* pInterface) {
  std::lock_guard guard(mutex_);
  query_ = pInterface;
}

void CResourceManager::ReloadText() {
  auto reload = [] {
    for (CPaintManagerUI* manager : CPaintManagerUI::GetPaintManagers()) {
      manager->NeedUpdate();
      manager->Invalidate();
    }
  };
  if (CPaintManagerUI::IsUiThread()) {
    reload();
  } else {
    CPaintManagerUI::RunOnUiThread(reload);
  }
}
