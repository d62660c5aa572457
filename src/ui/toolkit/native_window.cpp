#include "ui/toolkit/native_window.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include "ui/toolkit/control_timer.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/qt_paint.h"
#include "ui/toolkit/ui_thread.h"
#include "ui/toolkit/window_api.h"
#include "ui/toolkit/window_registry.h"
#include "ui/toolkit/window_wnd.h"

namespace {

WPARAM KeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  WPARAM state = 0;
  if (buttons & Qt::LeftButton) state |= MK_LBUTTON;
  if (buttons & Qt::RightButton) state |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) state |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) state |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) state |= MK_CONTROL;
  if (modifiers & Qt::AltModifier) state |= MK_ALT;
  return state;
}

LPARAM PointParam(const QPointF& position) {
  QPoint point = position.toPoint();
  return MAKELPARAM(point.x(), point.y());
}

// WM_SIZE's kind: a minimised window reports itself minimised even when it is resized.
WPARAM SizeKind(const QWidget& widget) {
  if (widget.isMinimized()) return SIZE_MINIMIZED;
  return widget.isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

struct KeyMapping {
  int key;
  UINT vk;
};

constexpr KeyMapping kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},     {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},     {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},   {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, VK_SNAPSHOT},  {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Super_L, VK_LWIN},    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, 0xBA},     {Qt::Key_Colon, 0xBA},
    {Qt::Key_Equal, 0xBB},         {Qt::Key_Plus, 0xBB},
    {Qt::Key_Comma, 0xBC},         {Qt::Key_Less, 0xBC},
    {Qt::Key_Minus, 0xBD},         {Qt::Key_Underscore, 0xBD},
    {Qt::Key_Period, 0xBE},        {Qt::Key_Greater, 0xBE},
    {Qt::Key_Slash, 0xBF},         {Qt::Key_Question, 0xBF},
    {Qt::Key_QuoteLeft, 0xC0},     {Qt::Key_AsciiTilde, 0xC0},
    {Qt::Key_BracketLeft, 0xDB},   {Qt::Key_BraceLeft, 0xDB},
    {Qt::Key_Backslash, 0xDC},     {Qt::Key_Bar, 0xDC},
    {Qt::Key_BracketRight, 0xDD},  {Qt::Key_BraceRight, 0xDD},
    {Qt::Key_Apostrophe, 0xDE},    {Qt::Key_QuoteDbl, 0xDE},
};

}  // namespace

UINT QtKeyToVirtualKey(int key, Qt::KeyboardModifiers modifiers) {
  if ((modifiers & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9)
    return VK_NUMPAD0 + UINT(key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return UINT('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return UINT('0' + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + UINT(key - Qt::Key_F1);
  for (const KeyMapping& mapping : kKeys) {
    if (mapping.key == key) return mapping.vk;
  }
  return 0;
}

// ---- CHostWidget ----

CHostWidget::CHostWidget(CNativeWindow* native, Qt::WindowFlags flags) : QWidget(nullptr, flags), native_(native) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_DeleteOnClose, false);
}

bool CHostWidget::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && native_ && native_->manager) {
    auto* help = static_cast<QHelpEvent*>(event);
    CControlUI* control = native_->manager->FindControl(POINT{help->pos().x(), help->pos().y()});
    while (control && control->GetToolTip().IsEmpty()) control = control->GetParent();
    if (control) {
      QToolTip::showText(help->globalPos(), QString::fromStdString(control->GetToolTip().str()), this);
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QWidget::event(event);
}

void CHostWidget::paintEvent(QPaintEvent* event) {
  if (!native_ || !native_->manager) return;
  QPainter painter(this);
  CPaintDC dc{&painter};
  native_->manager->DoPaint(&dc, FromQRect(event->rect()));
}

bool CHostWidget::StartCaptionDragOrResize(QMouseEvent* event) {
  CPaintManagerUI* manager = native_->manager;
  if (!manager || isMaximized()) return false;
  QPoint pt = event->position().toPoint();
  RECT box = manager->GetSizeBox();
  Qt::Edges edges;
  if (pt.x() < box.left) edges |= Qt::LeftEdge;
  if (pt.x() >= width() - box.right && box.right > 0) edges |= Qt::RightEdge;
  if (pt.y() < box.top) edges |= Qt::TopEdge;
  if (pt.y() >= height() - box.bottom && box.bottom > 0) edges |= Qt::BottomEdge;
  if (edges && windowHandle() && windowHandle()->startSystemResize(edges)) return true;
  RECT caption = manager->GetCaptionRect();
  bool inCaption =
      pt.x() >= caption.left && pt.x() < width() - caption.right && pt.y() >= caption.top && pt.y() < caption.bottom;
  if (!inCaption) return false;
  // Controls that take input (they declare control flags) keep their clicks; labels, images
  // and layouts in the caption band drag the window.
  CControlUI* control = manager->FindControl(POINT{pt.x(), pt.y()});
  if (control && control->GetControlFlags() != 0) return false;
  if (windowHandle() && windowHandle()->startSystemMove()) return true;
  manualDrag_ = true;
  dragOffset_ = event->globalPosition().toPoint() - pos();
  return true;
}

void CHostWidget::mousePressEvent(QMouseEvent* event) {
  if (!native_) return;
  if (event->button() == Qt::LeftButton && StartCaptionDragOrResize(event)) return;
  UINT message = event->button() == Qt::RightButton    ? WM_RBUTTONDOWN
                 : event->button() == Qt::MiddleButton ? WM_MBUTTONDOWN
                                                       : WM_LBUTTONDOWN;
  native_->DispatchInput(message, KeyState(event->buttons(), event->modifiers()), PointParam(event->position()));
}

void CHostWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (manualDrag_) {
    manualDrag_ = false;
    return;
  }
  if (!native_) return;
  UINT message = event->button() == Qt::RightButton    ? WM_RBUTTONUP
                 : event->button() == Qt::MiddleButton ? WM_MBUTTONUP
                                                       : WM_LBUTTONUP;
  native_->DispatchInput(message, KeyState(event->buttons(), event->modifiers()), PointParam(event->position()));
}

void CHostWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!native_) return;
  UINT message = event->button() == Qt::RightButton ? WM_RBUTTONDBLCLK : WM_LBUTTONDBLCLK;
  native_->DispatchInput(message, KeyState(event->buttons(), event->modifiers()), PointParam(event->position()));
}

void CHostWidget::mouseMoveEvent(QMouseEvent* event) {
  if (manualDrag_) {
    move(event->globalPosition().toPoint() - dragOffset_);
    return;
  }
  if (!native_) return;
  native_->DispatchInput(WM_MOUSEMOVE, KeyState(event->buttons(), event->modifiers()), PointParam(event->position()));
}

void CHostWidget::wheelEvent(QWheelEvent* event) {
  if (!native_) return;
  int delta = event->angleDelta().y();
  WPARAM wParam = KeyState(event->buttons(), event->modifiers()) | (WPARAM(WORD(int16_t(delta))) << 16);
  native_->DispatchInput(WM_MOUSEWHEEL, wParam, PointParam(event->globalPosition()));
}

void CHostWidget::contextMenuEvent(QContextMenuEvent* event) {
  if (!native_) return;
  native_->DispatchInput(WM_CONTEXTMENU, 0, MAKELPARAM(event->globalPos().x(), event->globalPos().y()));
}

void CHostWidget::keyPressEvent(QKeyEvent* event) {
  if (!native_) return;
  UINT vk = QtKeyToVirtualKey(event->key(), event->modifiers());
  // Bit 0 of lParam marks Shift for Tab (focus goes backwards).
  LPARAM shift = (event->modifiers() & Qt::ShiftModifier) || event->key() == Qt::Key_Backtab ? 1 : 0;
  HWND self = native_->window->GetHWND();
  if (vk) native_->DispatchInput(WM_KEYDOWN, vk, shift);
  if (!IsWindow(self) || !native_) return;
  QString text = event->text();
  if (text.isEmpty() || !text[0].isPrint()) return;
  for (char32_t code : text.toUcs4()) {
    if (!native_) return;
    native_->DispatchInput(WM_CHAR, WPARAM(code), 0);
  }
}

void CHostWidget::keyReleaseEvent(QKeyEvent* event) {
  if (!native_) return;
  UINT vk = QtKeyToVirtualKey(event->key(), event->modifiers());
  if (vk) native_->DispatchInput(WM_KEYUP, vk, 0);
}

void CHostWidget::leaveEvent(QEvent*) {
  if (native_) native_->DispatchInput(WM_MOUSELEAVE, 0, 0);
}

void CHostWidget::focusInEvent(QFocusEvent*) {
  if (native_) native_->Dispatch(WM_SETFOCUS, 0, 0);
}

void CHostWidget::focusOutEvent(QFocusEvent*) {
  // Focus moving into one of our own child editors stays inside the window.
  QWidget* focus = QApplication::focusWidget();
  if (focus && isAncestorOf(focus)) return;
  if (native_) native_->Dispatch(WM_KILLFOCUS, 0, 0);
}

void CHostWidget::resizeEvent(QResizeEvent*) {
  if (native_) native_->Dispatch(WM_SIZE, SizeKind(*this), MAKELPARAM(width(), height()));
}

void CHostWidget::moveEvent(QMoveEvent*) {
  if (native_) native_->Dispatch(WM_MOVE, 0, MAKELPARAM(x(), y()));
}

void CHostWidget::closeEvent(QCloseEvent* event) {
  if (!native_) return;
  // A popup is closed by Qt when the user clicks outside it; it always goes. Any other window
  // hears the window manager's close as the system close command and decides itself.
  if (native_->exStyle & WS_EX_UI_POPUP) {
    event->accept();
  } else {
    event->ignore();
  }
  native_->Dispatch(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void CHostWidget::changeEvent(QEvent* event) {
  if (native_ && event->type() == QEvent::WindowStateChange) {
    // As on Windows, minimising and coming back from it are heard as WM_SIZE, whoever did it.
    const bool wasMinimised = static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
    if (isMinimized() || wasMinimised) native_->Dispatch(WM_SIZE, SizeKind(*this), MAKELPARAM(width(), height()));
  } else if (native_ && event->type() == QEvent::ActivationChange) {
    native_->Dispatch(WM_ACTIVATE, isActiveWindow() ? WA_ACTIVE : WA_INACTIVE, 0);
  }
  QWidget::changeEvent(event);
}

void CHostWidget::showEvent(QShowEvent*) {
  if (native_) native_->Dispatch(WM_SHOWWINDOW, 1, 0);
}

void CHostWidget::hideEvent(QHideEvent*) {
  if (native_) native_->Dispatch(WM_SHOWWINDOW, 0, 0);
}

// ---- CNativeWindow ----

CNativeWindow::CNativeWindow(CWindowWnd* owner) : window(owner) {}

CNativeWindow::~CNativeWindow() { ReleaseWidget(); }

void CNativeWindow::CreateWidget(HWND ownerWindow, LPCTSTR title, DWORD windowStyle, DWORD windowExStyle, int x, int y,
                                 int cx, int cy) {
  owner = ownerWindow;
  style = windowStyle;
  exStyle = windowExStyle;
  Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
  if (exStyle & WS_EX_UI_POPUP) {
    flags = Qt::Popup | Qt::FramelessWindowHint;
  } else if (exStyle & WS_EX_TOOLWINDOW) {
    flags |= Qt::Tool;
  }
  if (exStyle & WS_EX_TOPMOST) flags |= Qt::WindowStaysOnTopHint;
  if (exStyle & WS_EX_NOACTIVATE) flags |= Qt::WindowDoesNotAcceptFocus;
  widget = new CHostWidget(this, flags);
  widget->setWindowTitle(QString::fromUtf8(title ? title : ""));
  if (exStyle & WS_EX_NOACTIVATE) widget->setAttribute(Qt::WA_ShowWithoutActivating);
  if (QWidget* ownerWidget = HostWidgetOf(owner)) {
    widget->winId();
    ownerWidget->winId();
    if (widget->windowHandle() && ownerWidget->windowHandle()) {
      widget->windowHandle()->setTransientParent(ownerWidget->windowHandle());
    }
  }
  widget->resize(cx == CW_USEDEFAULT || cx <= 0 ? 400 : cx, cy == CW_USEDEFAULT || cy <= 0 ? 300 : cy);
  if (x != CW_USEDEFAULT && y != CW_USEDEFAULT) widget->move(x, y);
}

LRESULT CNativeWindow::Dispatch(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return window->HandleMessage(uMsg, wParam, lParam);
}

LRESULT CNativeWindow::DispatchInput(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (manager && manager->PreMessageHandler(uMsg, wParam, lParam, result)) return result;
  return Dispatch(uMsg, wParam, lParam);
}

void CNativeWindow::ReleaseWidget() {
  if (!widget) return;
  CHostWidget* released = std::exchange(widget, nullptr);
  released->Detach();
  released->hide();
  // Deleted from the event loop: this may run inside one of the widget's own event handlers.
  released->deleteLater();
}

void CNativeWindow::Destroy() {
  if (destroying) return;
  destroying = true;
  HWND self = window->m_hWnd;
  CancelPendingSends(self);
  for (HWND other : AllWindowHandles()) {
    CNativeWindow* native = NativeWindowOf(other);
    if (native && native->owner == self) DestroyWindow(other);
  }
  timers.clear();
  Dispatch(WM_DESTROY, 0, 0);
  ReleaseWidget();
  if (modal) {
    modal->done = true;
    modal->result = closeResult;
    modal->loop->Exit();
    modal = nullptr;
  }
  UnregisterWindowHandle(self);
  CWindowWnd* finished = window;
  Dispatch(WM_NCDESTROY, 0, 0);
  finished->m_hWnd = nullptr;
  finished->OnFinalMessage(self);
}

void CNativeWindow::TearDownQuietly() {
  if (destroying) return;
  destroying = true;
  HWND self = window->m_hWnd;
  CancelPendingSends(self);
  timers.clear();
  ReleaseWidget();
  if (modal) {
    modal->done = true;
    modal->result = closeResult;
    modal->loop->Exit();
    modal = nullptr;
  }
  UnregisterWindowHandle(self);
  window->m_hWnd = nullptr;
}

bool CNativeWindow::SetTimer(UINT id, UINT elapse) {
  HWND self = window->m_hWnd;
  timers[id] = std::make_unique<CControlTimer>(std::max(1u, elapse), [self, id] {
    if (IsWindowHandleAlive(self)) DeliverWindowMessage(self, WM_TIMER, id, 0);
  });
  return true;
}

bool CNativeWindow::KillTimer(UINT id) { return timers.erase(id) > 0; }

CNativeWindow* NativeWindowOf(HWND hWnd) {
  CWindowWnd* window = LookupWindow(hWnd);
  return window ? window->m_native.get() : nullptr;
}

QWidget* HostWidgetOf(HWND hWnd) {
  CNativeWindow* native = NativeWindowOf(hWnd);
  return native ? native->widget : nullptr;
}
