#include "ui/toolkit/ui_application.h"

#include <QApplication>
#include <cstdlib>

#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/ui_thread.h"
#include "ui/toolkit/window_api.h"
#include "ui/toolkit/window_registry.h"

#if defined(__SANITIZE_THREAD__)
// Qt is not built with ThreadSanitizer and synchronises its own worker pools (image conversion and
// scaling) with futexes the sanitizer cannot see, so the memory calls Qt itself makes are left
// out of the analysis. Our code's cross-thread traffic never goes through Qt (see ui_thread.h),
// so this hides nothing of ours.
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libQt6Core.so\n"
         "called_from_lib:libQt6Gui.so\n"
         "called_from_lib:libQt6Widgets.so\n"
         "called_from_lib:libQt6Svg.so\n";
}
#endif

struct CUiApplication::Impl {
  std::unique_ptr<QApplication> app;
};

CUiApplication::CUiApplication(int& argc, char** argv) : impl_(std::make_unique<Impl>()) {
  // Must be set before the QApplication exists; otherwise Qt scales on top of the toolkit.
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
  impl_->app = std::make_unique<QApplication>(argc, argv);
  // Windows end when the program says so (the tray keeps it alive with no window shown).
  QApplication::setQuitOnLastWindowClosed(false);
  StartUiThread();
}

CUiApplication::~CUiApplication() {
  for (HWND window : AllWindowHandles()) DestroyWindow(window);
  StopUiThread();
  CancelAllPendingSends();
  CRenderEngine::ClearImageCache();
  // Widgets and timers released with deleteLater go now, before Qt itself.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  impl_->app.reset();
}

void CUiApplication::ProcessPendingEvents() {
  DrainUiTasks();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
