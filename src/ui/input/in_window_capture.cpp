#include "ui/input/in_window_capture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "platform/input_capture/evdev_scan_codes.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/window_api.h"

class CInWindowCapture::Filter : public QObject {
 public:
  explicit Filter(CInWindowCapture& owner) : owner_(owner) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    // A click is seen here once, as it reaches the window, before Qt hands it to the widget under
    // the pointer (and to its parents, which would report it again).
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::MouseButtonRelease) {
      if (watched->isWindowType()) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPointF global = mouse->globalPosition();
        owner_.OnMouseButtonEvent(watched, mouse->button(), type != QEvent::MouseButtonRelease,
                                  static_cast<int>(global.x()), static_cast<int>(global.y()));
      }
      return false;
    }
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

namespace {

uint8_t ButtonBitOf(int qtButton) {
  switch (qtButton) {
    case Qt::LeftButton:
      return 0x01;
    case Qt::RightButton:
      return 0x02;
    case Qt::MiddleButton:
      return 0x04;
    case Qt::BackButton:
      return 0x08;
    case Qt::ForwardButton:
      return 0x10;
    default:
      return 0;
  }
}

}  // namespace

void CInWindowCapture::OnMouseButtonEvent(void* window, int qtButton, bool down, int screenX, int screenY) {
  QWidget* host = HostWidgetOf(window_);
  if (!sink_ || !host || host->window()->windowHandle() != static_cast<QObject*>(window)) return;
  const uint8_t bit = ButtonBitOf(qtButton);
  if (bit != 0) sink_->OnCapturedMouseButton(CapturedMouseButton{bit, down, screenX, screenY});
}
