// Input dispatch, focus, control timers and notifications of CPaintManagerUI.
#include <QCursor>
#include <QWidget>
#include <algorithm>

#include "platform/clock.h"
#include "ui/toolkit/control_timer.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/ui_thread.h"

struct CPaintManagerUI::PendingNotify {
  TNotifyUI msg;
  uint64_t senderSerial = 0;
};

namespace {

DWORD Timestamp() { return DWORD(GetTickCountMs()); }

Qt::CursorShape QtCursor(UiCursor cursor) {
  switch (cursor) {
    case UiCursor::kIBeam:
      return Qt::IBeamCursor;
    case UiCursor::kWait:
      return Qt::WaitCursor;
    case UiCursor::kCross:
      return Qt::CrossCursor;
    case UiCursor::kUpArrow:
      return Qt::UpArrowCursor;
    case UiCursor::kSize:
      return Qt::SizeAllCursor;
    case UiCursor::kIcon:
      return Qt::ArrowCursor;
    case UiCursor::kSizeNWSE:
      return Qt::SizeFDiagCursor;
    case UiCursor::kSizeNESW:
      return Qt::SizeBDiagCursor;
    case UiCursor::kSizeWE:
      return Qt::SizeHorCursor;
    case UiCursor::kSizeNS:
      return Qt::SizeVerCursor;
    case UiCursor::kSizeAll:
      return Qt::SizeAllCursor;
    case UiCursor::kHand:
      return Qt::PointingHandCursor;
    case UiCursor::kNo:
      return Qt::ForbiddenCursor;
    case UiCursor::kArrow:
      break;
  }
  return Qt::ArrowCursor;
}

CControlUI* CollectTabStops(CControlUI* control, void* data) {
  if ((control->GetControlFlags() & UIFLAG_TABSTOP) && control->IsVisible() && control->IsEnabled() &&
      control->IsKeyboardEnabled()) {
    static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
  }
  return nullptr;
}

}  // namespace

// ---- Messages ----

bool CPaintManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
  auto filters = m_aPreMessageFilters;
  for (IMessageFilterUI* filter : filters) {
    bool handled = false;
    LRESULT result = filter->MessageHandler(uMsg, wParam, lParam, handled);
    if (handled) {
      lRes = result;
      return true;
    }
  }
  return false;
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
  auto alive = m_alive;
  auto filters = m_aMessageFilters;
  for (IMessageFilterUI* filter : filters) {
    bool handled = false;
    LRESULT result = filter->MessageHandler(uMsg, wParam, lParam, handled);
    if (!*alive) return true;
    if (handled) {
      lRes = result;
      return true;
    }
  }
  switch (uMsg) {
    case WM_SIZE:
      NeedUpdate();
      if (!m_bFirstLayout && m_pRoot) SendNotify(m_pRoot, DUI_MSGTYPE_WINDOWSIZE, 0, 0, true);
      return false;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
    case WM_MOUSELEAVE:
      return HandleMouseMessage(uMsg, wParam, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      return HandleKeyMessage(uMsg, wParam, lParam);
    case WM_KILLFOCUS:
      m_bMouseCapture = false;
      return false;
    default:
      return false;
  }
}

void CPaintManagerUI::DispatchMouse(int eventType, CControlUI* target, POINT pt, WPARAM wParam, LPARAM lParam) {
  if (!target) return;
  TEventUI event;
  event.Type = eventType;
  event.pSender = target;
  event.ptMouse = pt;
  event.wKeyState = WORD(wParam & 0xFFFF);
  event.wParam = wParam;
  event.lParam = lParam;
  event.dwTimestamp = Timestamp();
  target->Event(event);
}

void CPaintManagerUI::SetHover(CControlUI* pNewHover, POINT pt, WORD keyState) {
  if (pNewHover == m_pEventHover) return;
  auto alive = m_alive;
  if (CControlUI* old = std::exchange(m_pEventHover, nullptr)) {
    DispatchMouse(UIEVENT_MOUSELEAVE, old, pt, keyState, 0);
    if (!*alive) return;
  }
  m_pEventHover = pNewHover;
  if (pNewHover) DispatchMouse(UIEVENT_MOUSEENTER, pNewHover, pt, keyState, 0);
  if (!*alive) return;
  if (QWidget* widget = HostWidgetOf(m_hWndPaint)) {
    widget->setCursor(QtCursor(m_pEventHover ? m_pEventHover->GetCursor() : UiCursor::kArrow));
  }
}

bool CPaintManagerUI::HandleMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (!m_pRoot) return false;
  if (m_bUpdateNeeded) {
    bool firstLayout = std::exchange(m_bFirstLayout, false);
    UpdateLayout();
    m_bFirstLayout = firstLayout;
  }
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (uMsg == WM_CONTEXTMENU || uMsg == WM_MOUSEWHEEL) {
    // These two carry screen coordinates, as the window system reports them.
    if (QWidget* widget = HostWidgetOf(m_hWndPaint)) {
      QPoint local = widget->mapFromGlobal(QPoint(pt.x, pt.y));
      pt = POINT{local.x(), local.y()};
    }
  }
  const WORD keyState = WORD(wParam & 0xFFFF);
  auto alive = m_alive;
  switch (uMsg) {
    case WM_MOUSELEAVE:
      if (!m_pEventClick) SetHover(nullptr, m_ptLastMousePos, 0);
      return false;
    case WM_MOUSEMOVE: {
      m_ptLastMousePos = pt;
      CControlUI* hover = FindControl(pt);
      SetHover(hover, pt, keyState);
      if (!*alive) return true;
      DispatchMouse(UIEVENT_MOUSEMOVE, m_pEventClick ? m_pEventClick : hover, pt, wParam, 0);
      return false;
    }
    case WM_LBUTTONDOWN: {
      m_ptLastMousePos = pt;
      CControlUI* control = FindControl(pt);
      if (!control) return false;
      m_pEventClick = control;
      control->SetFocus();
      if (!*alive) return true;
      // Focus handlers may have removed the control.
      if (m_pEventClick == control) DispatchMouse(UIEVENT_BUTTONDOWN, control, pt, wParam, 0);
      return false;
    }
    case WM_LBUTTONDBLCLK: {
      m_ptLastMousePos = pt;
      CControlUI* control = FindControl(pt);
      if (!control) return false;
      m_pEventClick = control;
      DispatchMouse(UIEVENT_DBLCLICK, control, pt, wParam, 0);
      return false;
    }
    case WM_LBUTTONUP: {
      m_ptLastMousePos = pt;
      CControlUI* control = std::exchange(m_pEventClick, nullptr);
      DispatchMouse(UIEVENT_BUTTONUP, control, pt, wParam, 0);
      if (!*alive) return true;
      SetHover(FindControl(pt), pt, keyState);
      return false;
    }
    case WM_RBUTTONDOWN: {
      m_ptLastMousePos = pt;
      CControlUI* control = FindControl(pt);
      if (!control) return false;
      control->SetFocus();
      if (!*alive) return true;
      if (FindControl(pt) == control) DispatchMouse(UIEVENT_RBUTTONDOWN, control, pt, wParam, 0);
      return false;
    }
    case WM_RBUTTONUP:
      m_ptLastMousePos = pt;
      DispatchMouse(UIEVENT_RBUTTONUP, FindControl(pt), pt, wParam, 0);
      return false;
    case WM_CONTEXTMENU:
      DispatchMouse(UIEVENT_CONTEXTMENU, FindControl(pt), pt, 0, MAKELPARAM(pt.x, pt.y));
      return false;
    case WM_MOUSEWHEEL: {
      int delta = int(int16_t(HIWORD(wParam)));
      // wParam 0 scrolls up, 1 down; lParam keeps the wheel delta.
      DispatchMouse(UIEVENT_SCROLLWHEEL, FindControl(pt), pt, delta > 0 ? 0 : 1, delta);
      return false;
    }
    default:
      return false;
  }
}

bool CPaintManagerUI::HandleKeyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_KEYDOWN && wParam == VK_TAB && m_pRoot) {
    std::vector<CControlUI*> stops;
    m_pRoot->FindControl(CollectTabStops, &stops, UIFIND_VISIBLE | UIFIND_ME_FIRST);
    if (!stops.empty()) {
      auto at = std::find(stops.begin(), stops.end(), m_pFocus);
      bool backwards = (lParam & 1) != 0;
      if (at == stops.end()) {
        SetFocus(backwards ? stops.back() : stops.front());
      } else if (backwards) {
        SetFocus(at == stops.begin() ? stops.back() : *(at - 1));
      } else {
        SetFocus(at + 1 == stops.end() ? stops.front() : *(at + 1));
      }
      return true;
    }
  }
  if (!m_pFocus) return false;
  TEventUI event;
  event.Type = uMsg == WM_KEYDOWN ? UIEVENT_KEYDOWN : (uMsg == WM_KEYUP ? UIEVENT_KEYUP : UIEVENT_CHAR);
  event.pSender = m_pFocus;
  event.chKey = UINT(wParam);
  event.ptMouse = m_ptLastMousePos;
  event.wParam = wParam;
  event.lParam = lParam;
  event.dwTimestamp = Timestamp();
  m_pFocus->Event(event);
  return false;
}

// ---- Focus ----

void CPaintManagerUI::SetFocus(CControlUI* pControl) {
  if (pControl == m_pFocus) return;
  auto alive = m_alive;
  if (CControlUI* old = std::exchange(m_pFocus, nullptr)) {
    TEventUI event;
    event.Type = UIEVENT_KILLFOCUS;
    event.pSender = old;
    event.dwTimestamp = Timestamp();
    old->Event(event);
    if (!*alive) return;
    SendNotify(old, DUI_MSGTYPE_KILLFOCUS);
    if (!*alive) return;
  }
  if (!pControl || pControl->GetManager() != this || !pControl->IsVisible() || !pControl->IsEnabled()) return;
  // A killfocus handler may have moved the focus already; the latest request wins.
  if (m_pFocus) return;
  m_pFocus = pControl;
  TEventUI event;
  event.Type = UIEVENT_SETFOCUS;
  event.pSender = pControl;
  event.dwTimestamp = Timestamp();
  pControl->Event(event);
  if (!*alive) return;
  SendNotify(pControl, DUI_MSGTYPE_SETFOCUS);
}

// ---- Control timers ----

bool CPaintManagerUI::SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse) {
  if (!pControl) return false;
  if (CControlUI::IsMarshalNeeded()) {
    uint64_t controlSerial = pControl->GetSerial();
    return PostUiTask([this, serial = m_serial, pControl, controlSerial, nTimerID, uElapse] {
      if (IsAlive(this, serial) && CControlUI::IsAlive(pControl, controlSerial)) SetTimer(pControl, nTimerID, uElapse);
    });
  }
  auto key = std::make_pair(pControl, nTimerID);
  m_timers.erase(key);
  uint64_t controlSerial = pControl->GetSerial();
  m_timers[key] = std::make_unique<CControlTimer>(std::max(1u, uElapse), [this, pControl, controlSerial, nTimerID] {
    FireTimer(pControl, controlSerial, nTimerID);
  });
  return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* pControl, UINT nTimerID) {
  if (CControlUI::IsMarshalNeeded()) {
    uint64_t controlSerial = pControl ? pControl->GetSerial() : 0;
    return PostUiTask([this, serial = m_serial, pControl, controlSerial, nTimerID] {
      if (IsAlive(this, serial) && CControlUI::IsAlive(pControl, controlSerial)) KillTimer(pControl, nTimerID);
    });
  }
  return m_timers.erase(std::make_pair(pControl, nTimerID)) > 0;
}

void CPaintManagerUI::KillTimer(CControlUI* pControl) {
  if (CControlUI::IsMarshalNeeded()) {
    uint64_t controlSerial = pControl ? pControl->GetSerial() : 0;
    PostUiTask([this, serial = m_serial, pControl, controlSerial] {
      if (IsAlive(this, serial) && CControlUI::IsAlive(pControl, controlSerial)) KillTimer(pControl);
    });
    return;
  }
  for (auto it = m_timers.begin(); it != m_timers.end();) {
    it = it->first.first == pControl ? m_timers.erase(it) : std::next(it);
  }
}

void CPaintManagerUI::RemoveAllTimers() { m_timers.clear(); }

bool CPaintManagerUI::HasTimer(CControlUI* pControl, UINT nTimerID) const {
  return m_timers.count(std::make_pair(pControl, nTimerID)) > 0;
}

void CPaintManagerUI::FireTimer(CControlUI* pControl, uint64_t serial, UINT nTimerID) {
  if (!CControlUI::IsAlive(pControl, serial)) return;
  TEventUI event;
  event.Type = UIEVENT_TIMER;
  event.pSender = pControl;
  event.wParam = nTimerID;
  event.ptMouse = m_ptLastMousePos;
  event.dwTimestamp = Timestamp();
  pControl->Event(event);
}

// ---- Notifications ----

bool CPaintManagerUI::AddNotifier(INotifyUI* pControl) {
  if (!pControl || std::find(m_aNotifiers.begin(), m_aNotifiers.end(), pControl) != m_aNotifiers.end()) return false;
  m_aNotifiers.push_back(pControl);
  return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* pControl) {
  auto it = std::find(m_aNotifiers.begin(), m_aNotifiers.end(), pControl);
  if (it == m_aNotifiers.end()) return false;
  m_aNotifiers.erase(it);
  return true;
}

void CPaintManagerUI::SendNotify(CControlUI* pControl, LPCTSTR pstrMessage, WPARAM wParam, LPARAM lParam, bool bAsync) {
  TNotifyUI msg;
  msg.pSender = pControl;
  msg.sType = pstrMessage;
  msg.wParam = wParam;
  msg.lParam = lParam;
  SendNotify(msg, bAsync);
}

void CPaintManagerUI::SendNotify(TNotifyUI& Msg, bool bAsync) {
  // A notification raised on a worker thread is delivered on the user-interface thread; the
  // window's state (mouse position, the sender's virtual window) is read there too.
  if (bAsync || CControlUI::IsMarshalNeeded()) {
    auto pending = std::make_shared<PendingNotify>();
    pending->msg = Msg;
    pending->senderSerial = Msg.pSender ? Msg.pSender->GetSerial() : 0;
    PostUiTask([this, serial = m_serial, pending] {
      if (!IsAlive(this, serial)) return;
      if (pending->msg.pSender && !CControlUI::IsAlive(pending->msg.pSender, pending->senderSerial)) return;
      SendNotifyNow(pending->msg);
    });
    return;
  }
  SendNotifyNow(Msg);
}

void CPaintManagerUI::SendNotifyNow(TNotifyUI& msg) {
  msg.ptMouse = m_ptLastMousePos;
  msg.dwTimestamp = Timestamp();
  if (msg.pSender && msg.sVirtualWnd.IsEmpty()) msg.sVirtualWnd = msg.pSender->GetVirtualWnd();
  auto alive = m_alive;
  if (msg.pSender && !msg.pSender->FireNotifyHandlers(msg)) return;
  if (!*alive) return;
  auto notifiers = m_aNotifiers;
  for (INotifyUI* notifier : notifiers) {
    // A notifier may close the window, or remove another notifier, while handling this one.
    if (!*alive) return;
    if (std::find(m_aNotifiers.begin(), m_aNotifiers.end(), notifier) == m_aNotifiers.end()) continue;
    notifier->Notify(msg);
  }
}

// ---- Message filters ----

bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* pFilter) {
  if (!pFilter ||
      std::find(m_aPreMessageFilters.begin(), m_aPreMessageFilters.end(), pFilter) != m_aPreMessageFilters.end()) {
    return false;
  }
  m_aPreMessageFilters.push_back(pFilter);
  return true;
}

bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* pFilter) {
  auto it = std::find(m_aPreMessageFilters.begin(), m_aPreMessageFilters.end(), pFilter);
  if (it == m_aPreMessageFilters.end()) return false;
  m_aPreMessageFilters.erase(it);
  return true;
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* pFilter) {
  if (!pFilter || std::find(m_aMessageFilters.begin(), m_aMessageFilters.end(), pFilter) != m_aMessageFilters.end()) {
    return false;
  }
  m_aMessageFilters.push_back(pFilter);
  return true;
}

bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* pFilter) {
  auto it = std::find(m_aMessageFilters.begin(), m_aMessageFilters.end(), pFilter);
  if (it == m_aMessageFilters.end()) return false;
  m_aMessageFilters.erase(it);
  return true;
}
