#include "ui/toolkit/markup.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {

CDuiString FromQt(QStringView text) { return CDuiString(text.toString().toStdString()); }

bool ReadElement(QXmlStreamReader& reader, CMarkupNode& node) {
  node.tag = FromQt(reader.name());
  for (const QXmlStreamAttribute& attribute : reader.attributes()) {
    node.attributes.emplace_back(FromQt(attribute.name()), FromQt(attribute.value()));
  }
  while (!reader.atEnd()) {
    QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::StartElement) {
      node.children.emplace_back();
      if (!ReadElement(reader, node.children.back())) return false;
    } else if (token == QXmlStreamReader::Characters && !reader.isWhitespace()) {
      node.text += FromQt(reader.text());
    } else if (token == QXmlStreamReader::EndElement) {
      return true;
    }
  }
  return !reader.hasError();
}

}  // namespace

bool CMarkupNode::HasAttribute(std::string_view name) const {
  for (const auto& [key, value] : attributes) {
    if (key.CompareNoCase(name) == 0) return true;
  }
  return false;
}

CDuiString CMarkupNode::GetAttribute(std::string_view name) const {
  for (const auto& [key, value] : attributes) {
    if (key.CompareNoCase(name) == 0) return value;
  }
  return {};
}

bool ParseMarkup(std::string_view xml, CMarkupNode& root, CDuiString& error) {
  root = CMarkupNode{};
  QXmlStreamReader reader(QByteArray(xml.data(), qsizetype(xml.size())));
  while (!reader.atEnd()) {
    if (reader.readNext() == QXmlStreamReader::StartElement) {
      if (ReadElement(reader, root) && !reader.hasError()) return true;
      break;
    }
  }
  error.Format("XML error at line %lld: %s", static_cast<long long>(reader.lineNumber()),
               reader.hasError() ? reader.errorString().toStdString().c_str() : "no root element");
  return false;
}

bool LoadMarkupFile(const CDuiString& path, CMarkupNode& root, CDuiString& error) {
  QFile file(QString::fromStdString(path.str()));
  if (!file.open(QIODevice::ReadOnly)) {
    error = "cannot open " + path;
    return false;
  }
  QByteArray bytes = file.readAll();
  if (!ParseMarkup(std::string_view(bytes.constData(), size_t(bytes.size())), root, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}
