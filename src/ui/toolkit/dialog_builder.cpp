#include "ui/toolkit/dialog_builder.h"

#include <QFileInfo>

#include "platform/debug_output.h"
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/control_factory.h"
#include "ui/toolkit/markup.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/resource_manager.h"

namespace {

// Includes nest (a sheet including a sheet, a sub-tree including a sub-tree); a loop in the
// skin must not hang the program.
constexpr int kMaxIncludeDepth = 8;

bool IsTag(const CMarkupNode& node, const char* tag) { return node.tag.CompareNoCase(tag) == 0; }

bool Exists(const CDuiString& path) { return QFileInfo::exists(QString::fromStdString(path.str())); }

CDuiString ResolveLayoutPath(CDuiString name) {
  CDuiString registered = CResourceManager::GetInstance()->GetXmlPath(name);
  if (!registered.IsEmpty()) name = registered;
  name.Replace("\\", "/");
  if (name.IsEmpty() || name[0] == '/') return name;
  for (const CDuiString& base : {CPaintManagerUI::GetResourcePath(), CPaintManagerUI::GetInstancePath()}) {
    if (Exists(base + name)) return base + name;
  }
  return name;
}

bool LoadLayout(LPCTSTR xml, CMarkupNode& root, CDuiString& error) {
  CDuiString text(xml ? xml : "");
  text.TrimLeft();
  if (!text.IsEmpty() && text[0] == '<') return ParseMarkup(text.str(), root, error);
  return LoadMarkupFile(ResolveLayoutPath(text), root, error);
}

// A <Style>/<Default> element's attributes: either value="a='1' b='2'" or the element's own
// attributes (minus the ones that name the entry).
TAttributeList EntryAttributes(const CMarkupNode& node) {
  if (node.HasAttribute("value")) return ParseAttributeList(node.GetAttribute("value").str());
  TAttributeList attributes;
  for (const auto& [key, value] : node.attributes) {
    if (key == "name" || key == "class" || key == "shared") continue;
    attributes.emplace_back(key, value);
  }
  return attributes;
}

void ApplyList(CControlUI* control, const TAttributeList& attributes) {
  for (const auto& [key, value] : attributes) control->SetAttribute(key, value);
}

}  // namespace

CDialogBuilder::CDialogBuilder() = default;
CDialogBuilder::~CDialogBuilder() = default;

bool CDialogBuilder::Load(LPCTSTR xml) {
  auto root = std::make_unique<CMarkupNode>();
  if (!LoadLayout(xml, *root, m_error)) {
    OutputDebugString(("layout: " + m_error).str());
    m_root.reset();
    return false;
  }
  m_root = std::move(root);
  return true;
}

CControlUI* CDialogBuilder::Create(LPCTSTR xml, LPCTSTR, IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager,
                                   CControlUI* pParent) {
  m_error.Empty();
  if (!Load(xml)) return nullptr;
  return Create(pCallback, pManager, pParent);
}

CControlUI* CDialogBuilder::Create(IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager, CControlUI* pParent) {
  if (!m_root) return nullptr;
  m_pCallback = pCallback;
  const CMarkupNode& root = *m_root;
  CControlUI* result = nullptr;
  if (IsTag(root, "Window")) {
    if (pManager) ApplyWindowAttributes(root, pManager);
    for (const CMarkupNode& child : root.children) ApplyResourceElement(child, pManager, false, 0);
    result = ParseChildren(root, pParent, pManager, 0);
  } else if (IsTag(root, "Styles")) {
    for (const CMarkupNode& child : root.children) ApplyResourceElement(child, pManager, true, 0);
  } else {
    result = ParseElement(root, pParent, pManager, 0);
  }
  if (!result && m_error.IsEmpty()) m_error = "the layout holds no control";
  return result;
}

void CDialogBuilder::ApplyWindowAttributes(const CMarkupNode& window, CPaintManagerUI* pManager) {
  for (const auto& [name, value] : window.attributes) {
    std::string_view v = value.str();
    if (name == "size") {
      SIZE size = ParseSizeValue(v);
      pManager->SetInitSize(size.cx, size.cy);
    } else if (name == "caption") {
      pManager->SetCaptionRect(ParseRectValue(v));
    } else if (name == "sizebox") {
      pManager->SetSizeBox(ParseRectValue(v));
    } else if (name == "mininfo") {
      SIZE size = ParseSizeValue(v);
      pManager->SetMinInfo(size.cx, size.cy);
    } else if (name == "maxinfo") {
      SIZE size = ParseSizeValue(v);
      pManager->SetMaxInfo(size.cx, size.cy);
    } else if (name == "roundcorner") {
      SIZE size = ParseSizeValue(v);
      pManager->SetRoundCorner(size.cx, size.cy);
    } else if (name == "defaultfontcolor") {
      pManager->SetDefaultFontColor(ParseColorValue(v));
    } else if (name == "disabledfontcolor") {
      pManager->SetDefaultDisabledColor(ParseColorValue(v));
    } else if (name == "selectedcolor") {
      pManager->SetDefaultSelectedBkColor(ParseColorValue(v));
    }
  }
}

bool CDialogBuilder::ApplyResourceElement(const CMarkupNode& node, CPaintManagerUI* pManager, bool shared, int depth) {
  if (IsTag(node, "Font")) {
    // A window's fonts are its own, also those of the style sheet it includes: were they shared,
    // every window built later would re-register them and change the fonts of the windows
    // already open. Only a font that says shared="true" is seen by other windows.
    bool isShared = ParseBoolValue(node.GetAttribute("shared").str());
    CDuiString face = node.HasAttribute("name") ? node.GetAttribute("name") : node.GetAttribute("face");
    int size = node.HasAttribute("size") ? ParseIntValue(node.GetAttribute("size").str()) : 12;
    bool bold = ParseBoolValue(node.GetAttribute("bold").str());
    bool underline = ParseBoolValue(node.GetAttribute("underline").str());
    bool italic = ParseBoolValue(node.GetAttribute("italic").str());
    // Without a window the fonts can only be shared ones.
    if (!pManager && !isShared) isShared = true;
    TFontInfo font{face, size, bold, underline, italic};
    if (ParseBoolValue(node.GetAttribute("default").str())) {
      if (isShared) {
        CPaintManagerUI::SetSharedDefaultFont(font);
      } else {
        pManager->SetDefaultFont(face, size, bold, underline, italic, false);
      }
    }
    if (node.HasAttribute("id")) {
      int id = ParseIntValue(node.GetAttribute("id").str());
      if (isShared) {
        CPaintManagerUI::AddSharedFont(id, font);
      } else {
        pManager->AddFont(id, face, size, bold, underline, italic, false);
      }
    }
    return true;
  }
  if (IsTag(node, "Style")) {
    bool isShared = shared || ParseBoolValue(node.GetAttribute("shared").str());
    CDuiString name = node.GetAttribute("name");
    if (isShared) {
      CPaintManagerUI::AddSharedStyle(name, EntryAttributes(node));
    } else if (pManager) {
      pManager->AddStyle(name, EntryAttributes(node));
    } else {
      m_localStyles[name] = EntryAttributes(node);
    }
    return true;
  }
  if (IsTag(node, "Default")) {
    bool isShared = shared || ParseBoolValue(node.GetAttribute("shared").str());
    CDuiString className = node.HasAttribute("class") ? node.GetAttribute("class") : node.GetAttribute("name");
    if (isShared) {
      CPaintManagerUI::AddSharedDefaultAttributeList(className, EntryAttributes(node));
    } else if (pManager) {
      pManager->AddDefaultAttributeList(className, EntryAttributes(node));
    } else {
      className.MakeLower();
      m_localDefaults[className] = EntryAttributes(node);
    }
    return true;
  }
  if (IsTag(node, "Include") && depth < kMaxIncludeDepth) {
    CMarkupNode sheet;
    CDuiString error;
    if (!LoadLayout(node.GetAttribute("source"), sheet, error)) {
      OutputDebugString(("layout include: " + error).str());
      return true;
    }
    // A style sheet is applied here; an included control tree is built where it stands.
    if (!IsTag(sheet, "Styles")) return false;
    for (const CMarkupNode& child : sheet.children) ApplyResourceElement(child, pManager, true, depth + 1);
    return true;
  }
  return IsTag(node, "Image");
}

CControlUI* CDialogBuilder::ParseChildren(const CMarkupNode& node, CControlUI* pParent, CPaintManagerUI* pManager,
                                          int depth) {
  CControlUI* first = nullptr;
  for (const CMarkupNode& child : node.children) {
    CControlUI* control = ParseElement(child, pParent, pManager, depth);
    if (!first) first = control;
  }
  return first;
}

CControlUI* CDialogBuilder::ParseElement(const CMarkupNode& node, CControlUI* pParent, CPaintManagerUI* pManager,
                                         int depth) {
  if (IsTag(node, "Window") || IsTag(node, "Font") || IsTag(node, "Style") || IsTag(node, "Default") ||
      IsTag(node, "Image") || IsTag(node, "Styles")) {
    return nullptr;
  }
  if (IsTag(node, "Include")) {
    if (depth >= kMaxIncludeDepth) return nullptr;
    CMarkupNode included;
    CDuiString error;
    if (!LoadLayout(node.GetAttribute("source"), included, error)) {
      OutputDebugString(("layout include: " + error).str());
      return nullptr;
    }
    if (IsTag(included, "Styles")) return nullptr;
    int count = node.HasAttribute("count") ? ParseIntValue(node.GetAttribute("count").str()) : 1;
    CControlUI* first = nullptr;
    for (int i = 0; i < count; ++i) {
      CControlUI* control = IsTag(included, "Window") ? ParseChildren(included, pParent, pManager, depth + 1)
                                                      : ParseElement(included, pParent, pManager, depth + 1);
      if (!first) first = control;
    }
    return first;
  }

  CControlUI* control = CreateForTag(node.tag);
  if (!control) {
    OutputDebugString(("layout: unknown control tag <" + node.tag + ">").str());
    return nullptr;
  }
  ApplyAttributes(control, node, pManager);
  if (!node.children.empty()) {
    if (control->GetInterface("IContainer")) {
      ParseChildren(node, control, pManager, depth);
    } else {
      OutputDebugString(("layout: <" + node.tag + "> cannot hold child controls").str());
    }
  }
  if (pParent) {
    auto* container = static_cast<IContainerUI*>(pParent->GetInterface("IContainer"));
    if (!container) {
      delete control;
      return nullptr;
    }
    container->Add(control);
  }
  return control;
}

CControlUI* CDialogBuilder::CreateForTag(const CDuiString& tag) {
  CControlFactory* factory = CControlFactory::GetInstance();
  if (factory->IsStandardTag(tag)) return factory->CreateControlForTag(tag);
  if (m_pCallback) {
    if (CControlUI* control = m_pCallback->CreateControl(tag)) return control;
  }
  return factory->CreateControlForTag(tag);
}

const TAttributeList* CDialogBuilder::FindStyle(const CDuiString& name, CPaintManagerUI* pManager) const {
  if (auto it = m_localStyles.find(name); it != m_localStyles.end()) return &it->second;
  if (pManager) return pManager->GetStyle(name);
  return CPaintManagerUI::GetSharedStyle(name);
}

void CDialogBuilder::ApplyAttributes(CControlUI* control, const CMarkupNode& node, CPaintManagerUI* pManager) {
  CDuiString className(control->GetClass());
  CDuiString lowerClass = className;
  lowerClass.MakeLower();
  if (auto it = m_localDefaults.find(lowerClass); it != m_localDefaults.end()) {
    ApplyList(control, it->second);
  } else if (pManager) {
    if (const TAttributeList* defaults = pManager->GetDefaultAttributeList(className)) ApplyList(control, *defaults);
  } else if (const TAttributeList* defaults = CPaintManagerUI::GetSharedDefaultAttributeList(className)) {
    ApplyList(control, *defaults);
  }
  CDuiString styles = node.GetAttribute("style");
  styles.Replace(",", " ");
  int at = 0;
  while (at < styles.GetLength()) {
    int end = styles.Find(' ', at);
    if (end < 0) end = styles.GetLength();
    CDuiString name = styles.Mid(at, end - at);
    if (!name.IsEmpty()) {
      if (const TAttributeList* style = FindStyle(name, pManager)) {
        ApplyList(control, *style);
      } else {
        OutputDebugString(("layout: unknown style '" + name + "'").str());
      }
    }
    at = end + 1;
  }
  for (const auto& [key, value] : node.attributes) {
    if (key != "style") control->SetAttribute(key, value);
  }
}
