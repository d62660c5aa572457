#pragma once
#include <map>
#include <memory>

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/ui_interfaces.h"

class CControlUI;
class CPaintManagerUI;
struct CMarkupNode;

// Builds a control tree from a layout (the dialect is described in skin/README.md).
//
// The layout is a res.xml id ("XML_MAIN"), a file (relative to the resource path, then the
// instance path; '\' accepted), or the XML text itself when it starts with '<'. A <Window> root
// sets the manager's window attributes, fonts and styles and builds its controls; a control
// root builds a sub-tree. With a parent the built controls are added to it.
//
// Tags: the toolkit's own tags are built directly; any other tag goes to the callback's
// CreateControl first, then to the control factory (as T, then "C" + T + "UI",
// case-insensitively). Whatever the callback or factory returns — a single control or a whole
// sub-tree built from another layout — then takes the element's attributes and children.
// Attributes apply in this order: the class's <Default>, the styles named in style="a b", the
// element's own attributes in document order.
class CDialogBuilder {
 public:
  CDialogBuilder();
  ~CDialogBuilder();
  CDialogBuilder(const CDialogBuilder&) = delete;
  CDialogBuilder& operator=(const CDialogBuilder&) = delete;

  CControlUI* Create(LPCTSTR xml, LPCTSTR type = nullptr, IDialogBuilderCallback* pCallback = nullptr,
                     CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);
  // Builds again from the layout the last Create loaded.
  CControlUI* Create(IDialogBuilderCallback* pCallback = nullptr, CPaintManagerUI* pManager = nullptr,
                     CControlUI* pParent = nullptr);
  // Why the last Create returned nothing (file missing, XML error), or empty.
  const CDuiString& GetLastError() const { return m_error; }

 private:
  bool Load(LPCTSTR xml);
  void ApplyWindowAttributes(const CMarkupNode& window, CPaintManagerUI* pManager);
  // Font, Default, Style and Include elements of a window or a style sheet.
  bool ApplyResourceElement(const CMarkupNode& node, CPaintManagerUI* pManager, bool shared, int depth);
  CControlUI* ParseChildren(const CMarkupNode& node, CControlUI* pParent, CPaintManagerUI* pManager, int depth);
  CControlUI* ParseElement(const CMarkupNode& node, CControlUI* pParent, CPaintManagerUI* pManager, int depth);
  CControlUI* CreateForTag(const CDuiString& tag);
  void ApplyAttributes(CControlUI* control, const CMarkupNode& node, CPaintManagerUI* pManager);
  const TAttributeList* FindStyle(const CDuiString& name, CPaintManagerUI* pManager) const;

  std::unique_ptr<CMarkupNode> m_root;
  IDialogBuilderCallback* m_pCallback = nullptr;
  CDuiString m_error;
  // Styles and defaults of a build without a paint manager.
  std::map<CDuiString, TAttributeList> m_localStyles;
  std::map<CDuiString, TAttributeList> m_localDefaults;
};
