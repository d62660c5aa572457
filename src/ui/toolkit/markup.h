#pragma once
#include <string_view>
#include <vector>

#include "ui/toolkit/dui_string.h"

// A parsed XML element (internal to the toolkit): layouts, res.xml and language files are read
// into this small tree. Attributes keep their document order.
struct CMarkupNode {
  CDuiString tag;
  std::vector<std::pair<CDuiString, CDuiString>> attributes;
  std::vector<CMarkupNode> children;
  CDuiString text;

  bool HasAttribute(std::string_view name) const;
  // The value of the attribute (names compared case-insensitively), or empty.
  CDuiString GetAttribute(std::string_view name) const;
};

// False with a message naming the line when the text is not well-formed XML.
bool ParseMarkup(std::string_view xml, CMarkupNode& root, CDuiString& error);
bool LoadMarkupFile(const CDuiString& path, CMarkupNode& root, CDuiString& error);
