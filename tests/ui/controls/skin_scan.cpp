#include "skin_scan.h"

#include <QDirIterator>
#include <QFile>

#include <algorithm>
#include <cctype>
#include <regex>

#include "controls_harness.h"
#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/markup.h"

namespace {

using AttributeMap = std::map<std::string, std::string>;

std::string Lower(std::string text) {
  for (char& ch : text) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  return text;
}

std::vector<std::string> FilesUnder(const std::string& folder, const QStringList& patterns) {
  std::vector<std::string> files;
  QDirIterator it(QString::fromStdString(folder), patterns, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) files.push_back(it.next().toStdString());
  std::sort(files.begin(), files.end());
  return files;
}

bool Load(const std::string& path, CMarkupNode& root) {
  CDuiString error;
  return LoadMarkupFile(CDuiString(path), root, error);
}

AttributeMap Attributes(const CMarkupNode& node) {
  AttributeMap map;
  for (const auto& [key, value] : node.attributes) map[Lower(key.str())] = value.str();
  return map;
}

// Named styles and class defaults of the shared style sheet and of window layouts.
struct StyleSheet {
  std::map<std::string, AttributeMap> styles;
  std::map<std::string, AttributeMap> defaults;

  void Add(const CMarkupNode& node) {
    for (const CMarkupNode& child : node.children) {
      std::string tag = Lower(child.tag.str());
      AttributeMap attributes = Attributes(child);
      if (tag == "style") styles[attributes["name"]] = attributes;
      if (tag == "default") defaults[Lower(attributes["class"])] = attributes;
    }
  }

  AttributeMap Effective(const CMarkupNode& node) const {
    AttributeMap own = Attributes(node);
    AttributeMap result;
    if (auto it = defaults.find(Lower(node.tag.str())); it != defaults.end()) result = it->second;
    std::string names = own["style"];
    std::replace(names.begin(), names.end(), ',', ' ');
    size_t at = 0;
    while (at < names.size()) {
      size_t end = names.find(' ', at);
      if (end == std::string::npos) end = names.size();
      if (auto it = styles.find(names.substr(at, end - at)); it != styles.end()) {
        for (const auto& [key, value] : it->second) result[key] = value;
      }
      at = end + 1;
    }
    for (const auto& [key, value] : own) result[key] = value;
    return result;
  }
};

StyleSheet SharedStyles() {
  StyleSheet sheet;
  for (const std::string& file : SkinXmlFiles()) {
    CMarkupNode root;
    if (!Load(file, root)) continue;
    if (root.tag.CompareNoCase("Styles") == 0 || root.tag.CompareNoCase("Window") == 0) sheet.Add(root);
  }
  return sheet;
}

void CollectKeys(const CMarkupNode& node, const StyleSheet& sheet, const std::string& file,
                 std::map<std::string, std::string>& keys) {
  const std::string tag = Lower(node.tag.str());
  if (tag != "style" && tag != "default" && tag != "font" && tag != "include") {
    AttributeMap attributes = sheet.Effective(node);
    if (ParseBoolValue(attributes["resourcetext"]) && !attributes["text"].empty()) {
      keys.emplace(attributes["text"], file);
    }
    if (!attributes["tooltip"].empty()) keys.emplace(attributes["tooltip"], file);
  }
  for (const CMarkupNode& child : node.children) CollectKeys(child, sheet, file, keys);
}

void CollectImages(const CMarkupNode& node, const std::string& file, std::map<std::string, std::string>& images) {
  static const std::regex kQuotedFile(R"((?:file|res)\s*=\s*['"]([^'"]+)['"])");
  for (const auto& [key, value] : node.attributes) {
    const std::string name = Lower(key.str());
    const std::string text = value.str();
    bool imageAttribute = name.size() > 5 && name.compare(name.size() - 5, 5, "image") == 0;
    if (!imageAttribute && name != "value") continue;
    if (text.find('=') == std::string::npos) {
      if (imageAttribute && !text.empty()) images.emplace(text, file);
      continue;
    }
    for (std::sregex_iterator it(text.begin(), text.end(), kQuotedFile), end; it != end; ++it) {
      images.emplace((*it)[1].str(), file);
    }
  }
  for (const CMarkupNode& child : node.children) CollectImages(child, file, images);
}

}  // namespace

std::vector<std::string> SkinXmlFiles() { return FilesUnder(SkinFolder(), {"*.xml"}); }

std::vector<std::string> SkinLayoutFiles() {
  std::vector<std::string> layouts;
  for (const std::string& file : SkinXmlFiles()) {
    CMarkupNode root;
    if (!Load(file, root)) {
      layouts.push_back(file);  // a broken file counts as a layout, so the layout test reports it
      continue;
    }
    if (root.tag.CompareNoCase("Styles") != 0 && root.tag.CompareNoCase("Resources") != 0) layouts.push_back(file);
  }
  return layouts;
}

std::map<std::string, std::string> LayoutTextKeys() {
  StyleSheet sheet = SharedStyles();
  std::map<std::string, std::string> keys;
  for (const std::string& file : SkinLayoutFiles()) {
    CMarkupNode root;
    if (Load(file, root)) CollectKeys(root, sheet, file, keys);
  }
  return keys;
}

std::map<std::string, std::string> CodeTextKeys() {
  static const std::regex kMarker(R"re(TextKey\(\s*"((?:[^"\\]|\\.)*)"\s*\))re");
  std::map<std::string, std::string> keys;
  for (const std::string& file : FilesUnder(std::string(T640_SOURCE_DIR) + "src", {"*.cpp", "*.h"})) {
    QFile source(QString::fromStdString(file));
    if (!source.open(QIODevice::ReadOnly)) continue;
    const std::string text = source.readAll().toStdString();
    if (text.find("TextKey(") == std::string::npos) continue;
    for (std::sregex_iterator it(text.begin(), text.end(), kMarker), end; it != end; ++it) {
      keys.emplace((*it)[1].str(), file);
    }
  }
  return keys;
}

std::vector<std::string> ShippedLanguageFiles() {
  QFile config(QString::fromStdString(ShippedDataFolder() + "Language.config"));
  std::vector<std::string> files;
  if (!config.open(QIODevice::ReadOnly)) return files;
  static const std::regex kFile(R"re("Language_file"\s*:\s*"([^"]+)")re");
  const std::string text = config.readAll().toStdString();
  for (std::sregex_iterator it(text.begin(), text.end(), kFile), end; it != end; ++it) {
    files.push_back(ShippedDataFolder() + (*it)[1].str());
  }
  return files;
}

std::set<std::string> LanguageKeys(const std::string& path, std::vector<std::string>* duplicates) {
  std::set<std::string> keys;
  CMarkupNode root;
  if (!Load(path, root)) return keys;
  for (const CMarkupNode& item : root.children) {
    if (item.tag.CompareNoCase("Text") != 0) continue;
    std::string key = item.GetAttribute("key").str();
    if (!keys.insert(key).second && duplicates) duplicates->push_back(key);
  }
  return keys;
}

std::map<std::string, std::string> SkinImageNames() {
  std::map<std::string, std::string> images;
  for (const std::string& file : SkinXmlFiles()) {
    CMarkupNode root;
    if (Load(file, root) && root.tag.CompareNoCase("Resources") != 0) CollectImages(root, file, images);
  }
  return images;
}
