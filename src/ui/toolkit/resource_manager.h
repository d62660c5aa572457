#pragma once
#include <map>
#include <mutex>

#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/ui_interfaces.h"

// The skin's resource index (res.xml) and the current language's texts. Both file formats are
// described in skin/README.md. Safe to read from any thread.
class CResourceManager {
 public:
  static CResourceManager* GetInstance();

  // Loads the resource index: a file name relative to the resource path (or absolute), or the
  // XML text itself when it starts with '<'. Later loads add to (and override) earlier ones.
  bool LoadResource(LPCTSTR pstrXml, LPCTSTR pstrType = nullptr);
  void ResetResourceMap();
  // The file registered under an id, or empty.
  CDuiString GetXmlPath(LPCTSTR pstrId) const;
  CDuiString GetImagePath(LPCTSTR pstrId) const;
  CDuiString GetIconPath(UINT id) const;
  // Forgets the index and the language texts (the program's orderly exit).
  void Release();

  // The language's name ("zh-CN", "en-US"); Qt's own texts follow it where Qt has a translation.
  void SetLanguage(LPCTSTR pstrLanguage);
  CDuiString GetLanguage() const;
  // Replaces the current texts with the file's. A relative name is looked for in the resource
  // path, then the instance path's "DefaultData/" folder, then the instance path.
  bool LoadLanguage(LPCTSTR pstrFile);
  void ResetTextMap();
  // The text for a key: the language file's, else the text-query interface's, else the key.
  CDuiString GetText(LPCTSTR pstrKey, LPCTSTR pstrType = nullptr) const;
  bool HasText(LPCTSTR pstrKey) const;
  void SetTextQueryInterface(IQueryControlText* pInterface);
  // Redraws every window so texts given as keys show the current language.
  void ReloadText();

 private:
  CResourceManager() = default;

  mutable std::mutex mutex_;
  std::map<CDuiString, CDuiString> layouts_;
  std::map<CDuiString, CDuiString> images_;
  std::map<UINT, CDuiString> icons_;
  std::map<CDuiString, CDuiString> texts_;
  CDuiString language_;
  IQueryControlText* query_ = nullptr;
};
