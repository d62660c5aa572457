#include "ui/toolkit/ui_platform.h"

#include <QGuiApplication>

std::string UiPlatformName() {
  if (!QGuiApplication::instance()) return {};
  return QGuiApplication::platformName().toStdString();
}
