#include "skin_render.h"

#include <QDir>
#include <QFileInfo>

#include "device_stand_in.h"
#include "preview_states.h"
#include "ui/controls/register_program_controls.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/qt_paint.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/resource_manager.h"

namespace {

constexpr const char* kDefaultLanguage = "lan_cn.xml";
constexpr const char* kStyleSheet = "styles.xml";
// A layout whose root is a control has no window size of its own.
constexpr SIZE kSubTreeSize{400, 300};

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// The program loads its private fonts from "Font/" beside the skin at start-up; a preview should
// draw with the same faces where they are there.
void LoadProgramFonts(const std::string& skinFolder) {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  QDir fonts(ToQString(skinFolder + "../Font"));
  for (const QString& file : fonts.entryList({"*.ttf", "*.otf"}, QDir::Files)) {
    CPaintManagerUI::LoadPrivateFont(fonts.filePath(file).toStdString().c_str());
  }
}

std::string FindLanguageFile(const std::string& language, const std::string& skinFolder) {
  const std::string name = language.empty() ? kDefaultLanguage : language;
  if (QFileInfo(ToQString(name)).isFile()) return QFileInfo(ToQString(name)).absoluteFilePath().toStdString();
  QDir skin(ToQString(skinFolder));
  const QString file = ToQString(name);
  for (const QString& candidate : {skin.filePath(file), skin.filePath("../DefaultData/" + file)}) {
    if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).canonicalFilePath().toStdString();
  }
  return {};
}

}  // namespace

std::string FindSkinFolder(const std::string& layoutPath) {
  QFileInfo layout(ToQString(layoutPath));
  if (!layout.isFile()) return {};
  QDir folder = layout.absoluteDir();
  do {
    if (folder.exists("res.xml")) return folder.canonicalPath().toStdString() + "/";
  } while (folder.cdUp());
  return {};
}

bool RenderSkinLayout(const SkinRenderOptions& options, QImage& image, std::string& error) {
  const std::string skinFolder = FindSkinFolder(options.layout);
  if (skinFolder.empty()) {
    error = "no skin folder (with res.xml) holds " + options.layout;
    return false;
  }
  CPaintManagerUI::SetResourcePath(skinFolder.c_str());
  CResourceManager* resources = CResourceManager::GetInstance();
  resources->ResetResourceMap();
  if (!resources->LoadResource("res.xml")) {
    error = "cannot read " + skinFolder + "res.xml";
    return false;
  }
  CRenderEngine::ClearImageCache();
  LoadProgramFonts(skinFolder);
  RegisterProgramControls();
  const std::string language = FindLanguageFile(options.language, skinFolder);
  if (language.empty() || !resources->LoadLanguage(language.c_str())) {
    error = "cannot load the language file " + (options.language.empty() ? kDefaultLanguage : options.language);
    return false;
  }

  // A sub-tree layout cannot include the shared style sheet; in the program the window around it
  // has loaded it, so the preview loads it first.
  if (QFileInfo(ToQString(skinFolder + kStyleSheet)).isFile()) {
    CDialogBuilder sheet;
    sheet.Create(kStyleSheet);
  }
  CPaintManagerUI manager;
  if (!manager.SetDPI(options.dpi)) {
    error = "DPI " + std::to_string(options.dpi) + " is not one of 48, 72, 96, 120, 144, 168, 192";
    return false;
  }
  CDialogBuilder builder;
  CDeviceStandInCallback deviceStandIn;
  const std::string layoutPath = QFileInfo(ToQString(options.layout)).absoluteFilePath().toStdString();
  CControlUI* root = builder.Create(layoutPath.c_str(), nullptr, &deviceStandIn, &manager);
  if (!root) {
    error = "cannot build " + options.layout + ": " + builder.GetLastError().str();
    return false;
  }
  manager.AttachDialog(root);
  SIZE size = options.size;
  if (size.cx <= 0 || size.cy <= 0) size = manager.GetInitSize();
  if (size.cx <= 0 || size.cy <= 0) size = kSubTreeSize;
  manager.SetInitSize(size.cx, size.cy);
  manager.UpdateLayout();
  ApplyPreviewStates(manager, root);
  image = RenderToImage(manager);
  return true;
}
