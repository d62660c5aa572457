#include "ui/toolkit/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "platform/debug_output.h"

namespace {

struct InstalledTranslation {
  CDuiString languageName;
  std::unique_ptr<QTranslator> translator;
};

InstalledTranslation& Installed() {
  static InstalledTranslation installed;
  return installed;
}

}  // namespace

void UseQtTranslationsFor(const CDuiString& languageName) {
  InstalledTranslation& installed = Installed();
  if (!QCoreApplication::instance() || installed.languageName == languageName) return;
  installed.languageName = languageName;
  if (installed.translator) {
    QCoreApplication::removeTranslator(installed.translator.get());
    installed.translator.reset();
  }
  const QString locale = QString::fromStdString(languageName.str()).replace('-', '_');
  // Qt's texts are written in English; there is nothing to load for it.
  if (locale.isEmpty() || locale.startsWith("en", Qt::CaseInsensitive)) return;
  auto translator = std::make_unique<QTranslator>();
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QLocale(locale), "qtbase", "_", folder)) {
    OutputDebugString("no Qt translation for " + languageName.str() + " in " + folder.toStdString());
    return;
  }
  QCoreApplication::installTranslator(translator.get());
  installed.translator = std::move(translator);
}

CDuiString QtTranslationInUse() {
  const InstalledTranslation& installed = Installed();
  return installed.translator ? CDuiString(installed.translator->filePath().toStdString()) : CDuiString();
}
