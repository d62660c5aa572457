#include "ui/input/in_window_capture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "ui/input/evdev_scan_codes.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/window_api.h"

class CInWindowCapture::Filter : public QObject {
 public:
  explicit Filter(CInWindowCapture& owner) : owner_(owner) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride) {
      return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    // A shortcut check comes before the press; taking it keeps a shortcut from firing.
    if (type == QEvent::ShortcutOverride) {
      if (!watched->isWidgetType() || !owner_.OnKeyEvent(watched, true, 0)) return false;
      event->accept();
      return true;
    }
    if (key->isAutoRepeat()) return watched->isWidgetType() && owner_.OnKeyEvent(watched, true, 0);
    return watched->isWidgetType() && owner_.OnKeyEvent(watched, type == QEvent::KeyPress, key->nativeScanCode());
  }

 private:
  CInWindowCapture& owner_;
};

CInWindowCapture::CInWindowCapture(HWND window) : window_(window) {}

CInWindowCapture::~CInWindowCapture() { Stop(); }

bool CInWindowCapture::IsAvailable() const { return IsWindow(window_) && HostWidgetOf(window_) != nullptr; }

const char* CInWindowCapture::UnavailableReason() const { return "keyset_capture_unavailable"; }

bool CInWindowCapture::Start(IInputCaptureSink& sink) {
  if (!IsAvailable() || !qApp) return false;
  if (!filter_) filter_ = std::make_unique<Filter>(*this);
  if (!sink_) qApp->installEventFilter(filter_.get());
  sink_ = &sink;
  return true;
}

// The filter stays: a sink may stop the capture from inside the filter's own call.
void CInWindowCapture::Stop() {
  if (sink_ && filter_ && qApp) qApp->removeEventFilter(filter_.get());
  sink_ = nullptr;
}

// `nativeScanCode` 0 marks an event that is taken without being reported.
bool CInWindowCapture::OnKeyEvent(void* widget, bool down, unsigned int nativeScanCode) {
  QWidget* host = HostWidgetOf(window_);
  auto* target = static_cast<QWidget*>(widget);
  if (!sink_ || !host || (target != host && !host->isAncestorOf(target))) return false;
  if (nativeScanCode < kX11KeycodeOffset) return true;
  const std::optional<ScanCode> code = ScanCodeOfEvdev(nativeScanCode - kX11KeycodeOffset);
  if (!code) return true;
  sink_->OnCapturedKey(CapturedKey{code->scan, code->extended, down});
  return true;
}
