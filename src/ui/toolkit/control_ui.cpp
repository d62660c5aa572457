#include "ui/toolkit/control_ui.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/resource_manager.h"
#include "ui/toolkit/ui_thread.h"

namespace {

struct LiveControls {
  std::mutex mutex;
  std::unordered_map<const CControlUI*, uint64_t> serials;
  uint64_t next = 1;
};

LiveControls& Live() {
  static LiveControls live;
  return live;
}

struct CursorName {
  const char* name;
  UiCursor cursor;
};

constexpr CursorName kCursorNames[] = {
    {"arrow", UiCursor::kArrow},       {"ibeam", UiCursor::kIBeam},
    {"wait", UiCursor::kWait},         {"cross", UiCursor::kCross},
    {"uparrow", UiCursor::kUpArrow},   {"size", UiCursor::kSize},
    {"icon", UiCursor::kIcon},         {"sizenwse", UiCursor::kSizeNWSE},
    {"sizenesw", UiCursor::kSizeNESW}, {"sizewe", UiCursor::kSizeWE},
    {"sizens", UiCursor::kSizeNS},     {"sizeall", UiCursor::kSizeAll},
    {"hand", UiCursor::kHand},         {"no", UiCursor::kNo},
};

bool IsAncestorOrSelf(const CControlUI* ancestor, const CControlUI* control) {
  for (const CControlUI* at = control; at; at = at->GetParent()) {
    if (at == ancestor) return true;
  }
  return false;
}

}  // namespace

CControlUI::CControlUI() {
  std::lock_guard guard(Live().mutex);
  m_serial = Live().next++;
  Live().serials[this] = m_serial;
}

CControlUI::~CControlUI() {
  if (m_pManager) m_pManager->ReapObjects(this);
  std::lock_guard guard(Live().mutex);
  Live().serials.erase(this);
}

bool CControlUI::IsAlive(const CControlUI* control, uint64_t serial) {
  std::lock_guard guard(Live().mutex);
  auto it = Live().serials.find(control);
  return it != Live().serials.end() && it->second == serial;
}

bool CControlUI::IsMarshalNeeded() { return !IsOnUiThread() && IsUiThreadRunning(); }

bool CControlUI::PostToUiThread(std::function<void()> change) {
  if (IsOnUiThread()) return false;
  // Without a running user-interface thread (a control built in a unit test) the change is made
  // in place: there is nobody else to race with.
  return PostUiTask([control = this, serial = m_serial, change = std::move(change)] {
    if (IsAlive(control, serial)) change();
  });
}

int CControlUI::Scale(int value) const { return m_pManager ? m_pManager->GetDPIObj()->Scale(value) : value; }
RECT CControlUI::Scale(RECT rc) const { return m_pManager ? m_pManager->GetDPIObj()->Scale(rc) : rc; }
SIZE CControlUI::Scale(SIZE size) const { return m_pManager ? m_pManager->GetDPIObj()->Scale(size) : size; }

CDuiString CControlUI::GetName() const { return m_sName; }
void CControlUI::SetName(LPCTSTR pstrName) { m_sName = pstrName; }
LPCTSTR CControlUI::GetClass() const { return "Control"; }

void* CControlUI::GetInterface(LPCTSTR pstrName) {
  if (CDuiString(pstrName).CompareNoCase("Control") == 0) return this;
  return nullptr;
}

UINT CControlUI::GetControlFlags() const { return 0; }

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

CPaintManagerUI* CControlUI::GetManager() const { return m_pManager; }

void CControlUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
  m_pManager = pManager;
  m_pParent = pParent;
  if (bInit && m_pParent) Init();
}

CControlUI* CControlUI::GetParent() const { return m_pParent; }

CDuiString CControlUI::GetText() const {
  if (m_bResourceText) return CResourceManager::GetInstance()->GetText(m_sText);
  return m_sText;
}

void CControlUI::SetText(LPCTSTR pstrText) {
  CDuiString text(pstrText);
  if (PostToUiThread([this, text] { SetText(text); })) return;
  if (m_sText == text) return;
  m_sText = text;
  Invalidate();
}

void CControlUI::SetResourceText(bool bResource) {
  if (m_bResourceText == bResource) return;
  m_bResourceText = bResource;
  Invalidate();
}

void CControlUI::SetBkColor(DWORD dwBackColor) {
  if (PostToUiThread([this, dwBackColor] { SetBkColor(dwBackColor); })) return;
  if (m_dwBackColor == dwBackColor) return;
  m_dwBackColor = dwBackColor;
  Invalidate();
}

void CControlUI::SetBkImage(LPCTSTR pStrImage) {
  CDuiString image(pStrImage);
  if (PostToUiThread([this, image] { SetBkImage(image); })) return;
  if (m_sBkImage == image) return;
  m_sBkImage = image;
  Invalidate();
}

void CControlUI::SetForeImage(LPCTSTR pStrImage) {
  CDuiString image(pStrImage);
  if (PostToUiThread([this, image] { SetForeImage(image); })) return;
  if (m_sForeImage == image) return;
  m_sForeImage = image;
  Invalidate();
}

void CControlUI::SetForeColor(DWORD dwForeColor) {
  if (m_dwForeColor == dwForeColor) return;
  m_dwForeColor = dwForeColor;
  Invalidate();
}

void CControlUI::SetBorderColor(DWORD dwBorderColor) {
  m_dwBorderColor = dwBorderColor;
  Invalidate();
}

void CControlUI::SetFocusBorderColor(DWORD dwBorderColor) {
  m_dwFocusBorderColor = dwBorderColor;
  Invalidate();
}

int CControlUI::GetBorderSize() const { return Scale(m_rcBorderSize.left); }

void CControlUI::SetBorderSize(int nSize) { SetBorderSize(RECT{nSize, nSize, nSize, nSize}); }

void CControlUI::SetBorderSize(RECT rc) {
  m_rcBorderSize = rc;
  Invalidate();
}

SIZE CControlUI::GetBorderRound() const { return Scale(m_cxyBorderRound); }

void CControlUI::SetBorderRound(SIZE cxyRound) {
  m_cxyBorderRound = cxyRound;
  Invalidate();
}

bool CControlUI::DrawImage(HDC hDC, LPCTSTR pStrImage, LPCTSTR pStrModify) {
  return CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, m_rcPaint, pStrImage, pStrModify);
}

const RECT& CControlUI::GetPos() const { return m_rcItem; }

void CControlUI::SetPos(RECT rc, bool bNeedInvalidate) {
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  RECT old = m_rcItem;
  m_rcItem = rc;
  m_bUpdateNeeded = false;
  if (bNeedInvalidate && m_pManager && !(old == rc)) {
    m_pManager->Invalidate(old);
    m_pManager->Invalidate(rc);
  }
}

int CControlUI::GetWidth() const { return RectWidth(m_rcItem); }
int CControlUI::GetHeight() const { return RectHeight(m_rcItem); }
int CControlUI::GetX() const { return m_rcItem.left; }
int CControlUI::GetY() const { return m_rcItem.top; }

RECT CControlUI::GetPadding() const { return Scale(m_rcPadding); }

void CControlUI::SetPadding(RECT rcPadding) {
  m_rcPadding = rcPadding;
  NeedParentUpdate();
}

SIZE CControlUI::GetFixedXY() const { return Scale(m_cXY); }

void CControlUI::SetFixedXY(SIZE szXY) {
  m_cXY = szXY;
  NeedParentUpdate();
}

int CControlUI::GetFixedWidth() const { return Scale(m_cxyFixed.cx); }

void CControlUI::SetFixedWidth(int cx) {
  if (cx < 0) return;
  m_cxyFixed.cx = cx;
  NeedParentUpdate();
}

int CControlUI::GetFixedHeight() const { return Scale(m_cxyFixed.cy); }

void CControlUI::SetFixedHeight(int cy) {
  if (cy < 0) return;
  m_cxyFixed.cy = cy;
  NeedParentUpdate();
}

int CControlUI::GetMinWidth() const { return Scale(m_cxyMin.cx); }
void CControlUI::SetMinWidth(int cx) {
  if (cx < 0) return;
  m_cxyMin.cx = cx;
  NeedParentUpdate();
}
int CControlUI::GetMaxWidth() const { return Scale(m_cxyMax.cx); }
void CControlUI::SetMaxWidth(int cx) {
  if (cx < 0) return;
  m_cxyMax.cx = cx;
  NeedParentUpdate();
}
int CControlUI::GetMinHeight() const { return Scale(m_cxyMin.cy); }
void CControlUI::SetMinHeight(int cy) {
  if (cy < 0) return;
  m_cxyMin.cy = cy;
  NeedParentUpdate();
}
int CControlUI::GetMaxHeight() const { return Scale(m_cxyMax.cy); }
void CControlUI::SetMaxHeight(int cy) {
  if (cy < 0) return;
  m_cxyMax.cy = cy;
  NeedParentUpdate();
}

SIZE CControlUI::EstimateSize(SIZE) { return SIZE{GetFixedWidth(), GetFixedHeight()}; }

CDuiString CControlUI::GetToolTip() const {
  // Tooltips are usually language keys; plain text without a translation comes back unchanged.
  if (m_sToolTip.IsEmpty()) return m_sToolTip;
  return CResourceManager::GetInstance()->GetText(m_sToolTip);
}

void CControlUI::SetToolTip(LPCTSTR pstrText) {
  CDuiString text(pstrText);
  if (PostToUiThread([this, text] { SetToolTip(text); })) return;
  m_sToolTip = text;
}

bool CControlUI::IsContextMenuUsed() const { return m_bMenuUsed; }
void CControlUI::SetContextMenuUsed(bool bMenuUsed) { m_bMenuUsed = bMenuUsed; }

const CDuiString& CControlUI::GetUserData() const { return m_sUserData; }

void CControlUI::SetUserData(LPCTSTR pstrText) {
  CDuiString text(pstrText);
  if (PostToUiThread([this, text] { SetUserData(text); })) return;
  m_sUserData = text;
}

uintptr_t CControlUI::GetTag() const { return m_pTag; }
void CControlUI::SetTag(uintptr_t pTag) { m_pTag = pTag; }

bool CControlUI::IsVisible() const { return m_bVisible && m_bInternVisible; }

void CControlUI::SetVisible(bool bVisible) {
  if (PostToUiThread([this, bVisible] { SetVisible(bVisible); })) return;
  if (m_bVisible == bVisible) return;
  bool wasVisible = IsVisible();
  m_bVisible = bVisible;
  if (!bVisible && m_pManager && m_pManager->GetFocus() && IsAncestorOrSelf(this, m_pManager->GetFocus())) {
    m_pManager->SetFocus(nullptr);
  }
  if (IsVisible() != wasVisible) NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool bVisible) {
  m_bInternVisible = bVisible;
  if (!bVisible && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
}

bool CControlUI::IsEnabled() const { return m_bEnabled; }

void CControlUI::SetEnabled(bool bEnable) {
  if (PostToUiThread([this, bEnable] { SetEnabled(bEnable); })) return;
  if (m_bEnabled == bEnable) return;
  m_bEnabled = bEnable;
  Invalidate();
}

bool CControlUI::IsMouseEnabled() const { return m_bMouseEnabled; }
void CControlUI::SetMouseEnabled(bool bEnable) { m_bMouseEnabled = bEnable; }
bool CControlUI::IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
void CControlUI::SetKeyboardEnabled(bool bEnable) { m_bKeyboardEnabled = bEnable; }
bool CControlUI::IsFocused() const { return m_bFocused; }

void CControlUI::SetFocus() {
  if (m_pManager) m_pManager->SetFocus(this);
}

bool CControlUI::IsFloat() const { return m_bFloat; }

void CControlUI::SetFloat(bool bFloat) {
  if (m_bFloat == bFloat) return;
  m_bFloat = bFloat;
  NeedParentUpdate();
}

CControlUI* CControlUI::FindControl(FINDCONTROLPROC Proc, void* pData, UINT uFlags) {
  if ((uFlags & UIFIND_VISIBLE) && !IsVisible()) return nullptr;
  if ((uFlags & UIFIND_ENABLED) && !IsEnabled()) return nullptr;
  if ((uFlags & UIFIND_HITTEST) && (!m_bMouseEnabled || !PtInRect(m_rcItem, *static_cast<POINT*>(pData)))) {
    return nullptr;
  }
  return Proc(this, pData);
}

void CControlUI::Invalidate() {
  if (m_pManager && IsVisible()) m_pManager->Invalidate(m_rcItem);
}

void CControlUI::NeedUpdate() {
  if (PostToUiThread([this] { NeedUpdate(); })) return;
  m_bUpdateNeeded = true;
  if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
  if (PostToUiThread([this] { NeedParentUpdate(); })) return;
  if (m_pParent) {
    m_pParent->NeedUpdate();
  } else {
    NeedUpdate();
  }
}

void CControlUI::Init() {
  if (m_bInited) return;
  m_bInited = true;
  DoInit();
}

void CControlUI::DoInit() {}

void CControlUI::Event(TEventUI& event) {
  for (auto& handler : m_eventHandlers) {
    if (!handler(event)) return;
  }
  DoEvent(event);
}

void CControlUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      return;
    case UIEVENT_SETFOCUS:
      m_bFocused = true;
      Invalidate();
      return;
    case UIEVENT_KILLFOCUS:
      m_bFocused = false;
      Invalidate();
      return;
    case UIEVENT_TIMER:
      if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_TIMER, event.wParam, event.lParam);
      return;
    case UIEVENT_CONTEXTMENU:
      if (IsContextMenuUsed()) {
        if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_MENU, event.wParam, event.lParam);
        return;
      }
      break;
    default:
      break;
  }
  if (m_pParent) m_pParent->DoEvent(event);
}

void CControlUI::AddEventHandler(std::function<bool(TEventUI&)> handler) {
  m_eventHandlers.push_back(std::move(handler));
}

void CControlUI::AddNotifyHandler(std::function<bool(TNotifyUI&)> handler) {
  m_notifyHandlers.push_back(std::move(handler));
}

bool CControlUI::FireNotifyHandlers(TNotifyUI& msg) {
  for (auto& handler : m_notifyHandlers) {
    if (!handler(msg)) return false;
  }
  return true;
}

void CControlUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  std::string_view v = value.str();
  if (name == "pos") {
    RECT rc = ParseRectValue(v);
    SetFixedXY(SIZE{rc.left, rc.top});
    if (rc.right - rc.left > 0) SetFixedWidth(rc.right - rc.left);
    if (rc.bottom - rc.top > 0) SetFixedHeight(rc.bottom - rc.top);
  } else if (name == "float") {
    SetFloat(ParseBoolValue(v));
  } else if (name == "padding") {
    SetPadding(ParseRectValue(v));
  } else if (name == "bkcolor" || name == "bkcolor1") {
    SetBkColor(ParseColorValue(v));
  } else if (name == "forecolor") {
    SetForeColor(ParseColorValue(v));
  } else if (name == "bordercolor") {
    SetBorderColor(ParseColorValue(v));
  } else if (name == "focusbordercolor") {
    SetFocusBorderColor(ParseColorValue(v));
  } else if (name == "bordersize") {
    if (value.Find(',') >= 0) {
      SetBorderSize(ParseRectValue(v));
    } else {
      SetBorderSize(ParseIntValue(v));
    }
  } else if (name == "borderround") {
    SetBorderRound(ParseSizeValue(v));
  } else if (name == "bkimage") {
    SetBkImage(value);
  } else if (name == "foreimage") {
    SetForeImage(value);
  } else if (name == "width") {
    SetFixedWidth(ParseIntValue(v));
  } else if (name == "height") {
    SetFixedHeight(ParseIntValue(v));
  } else if (name == "minwidth") {
    SetMinWidth(ParseIntValue(v));
  } else if (name == "minheight") {
    SetMinHeight(ParseIntValue(v));
  } else if (name == "maxwidth") {
    SetMaxWidth(ParseIntValue(v));
  } else if (name == "maxheight") {
    SetMaxHeight(ParseIntValue(v));
  } else if (name == "name") {
    SetName(value);
  } else if (name == "text") {
    SetText(value);
  } else if (name == "resourcetext") {
    SetResourceText(ParseBoolValue(v));
  } else if (name == "tooltip") {
    SetToolTip(value);
  } else if (name == "userdata") {
    SetUserData(value);
  } else if (name == "tag") {
    SetTag(uintptr_t(ParseIntValue(v, 10, 0)));
  } else if (name == "enabled") {
    SetEnabled(ParseBoolValue(v));
  } else if (name == "mouse") {
    SetMouseEnabled(ParseBoolValue(v));
  } else if (name == "keyboard") {
    SetKeyboardEnabled(ParseBoolValue(v));
  } else if (name == "visible") {
    SetVisible(ParseBoolValue(v));
  } else if (name == "menu") {
    SetContextMenuUsed(ParseBoolValue(v));
  } else if (name == "virtualwnd") {
    SetVirtualWnd(value);
  } else if (name == "cursor") {
    for (const CursorName& entry : kCursorNames) {
      if (value.CompareNoCase(entry.name) == 0) SetCursor(entry.cursor);
    }
  } else if (name == "style" && m_pManager) {
    if (const TAttributeList* style = m_pManager->GetStyle(value)) {
      for (const auto& [key, styleValue] : *style) SetAttribute(key, styleValue);
    }
  }
}

CControlUI* CControlUI::ApplyAttributeList(LPCTSTR pstrList) {
  for (const auto& [name, value] : ParseAttributeList(pstrList ? pstrList : "")) SetAttribute(name, value);
  return this;
}

bool CControlUI::Paint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) {
  if (pStopControl == this) return false;
  return DoPaint(hDC, rcPaint, pStopControl);
}

bool CControlUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI*) {
  if (!IntersectRect(m_rcPaint, rcPaint, m_rcItem)) return true;
  PaintBkColor(hDC);
  PaintBkImage(hDC);
  PaintStatusImage(hDC);
  PaintText(hDC);
  PaintForeColor(hDC);
  PaintForeImage(hDC);
  PaintBorder(hDC);
  return true;
}

void CControlUI::PaintBkColor(HDC hDC) {
  if (ArgbAlpha(m_dwBackColor) == 0) return;
  SIZE round = GetBorderRound();
  if (round.cx > 0 || round.cy > 0) {
    CRenderEngine::FillRoundRect(hDC, m_rcItem, round.cx, round.cy, m_dwBackColor);
  } else {
    CRenderEngine::DrawColor(hDC, m_rcItem, m_dwBackColor);
  }
}

void CControlUI::PaintBkImage(HDC hDC) {
  if (!m_sBkImage.IsEmpty()) DrawImage(hDC, m_sBkImage);
}

void CControlUI::PaintStatusImage(HDC) {}
void CControlUI::PaintText(HDC) {}
void CControlUI::PaintForeColor(HDC) {}

void CControlUI::PaintForeImage(HDC hDC) {
  if (!m_sForeImage.IsEmpty()) DrawImage(hDC, m_sForeImage);
}

void CControlUI::PaintBorder(HDC hDC) {
  DWORD color = (IsFocused() && m_dwFocusBorderColor != 0) ? m_dwFocusBorderColor : m_dwBorderColor;
  if (ArgbAlpha(color) == 0) return;
  RECT border = Scale(m_rcBorderSize);
  SIZE round = GetBorderRound();
  bool uniform = border.left == border.top && border.left == border.right && border.left == border.bottom;
  if (uniform && border.left > 0) {
    if (round.cx > 0 || round.cy > 0) {
      CRenderEngine::DrawRoundRect(hDC, m_rcItem, border.left, round.cx, round.cy, color);
    } else {
      CRenderEngine::DrawRect(hDC, m_rcItem, border.left, color);
    }
    return;
  }
  const RECT& rc = m_rcItem;
  CRenderEngine::DrawColor(hDC, RECT{rc.left, rc.top, rc.right, rc.top + border.top}, color);
  CRenderEngine::DrawColor(hDC, RECT{rc.left, rc.bottom - border.bottom, rc.right, rc.bottom}, color);
  CRenderEngine::DrawColor(hDC, RECT{rc.left, rc.top, rc.left + border.left, rc.bottom}, color);
  CRenderEngine::DrawColor(hDC, RECT{rc.right - border.right, rc.top, rc.right, rc.bottom}, color);
}

void CControlUI::SetVirtualWnd(LPCTSTR pstrValue) { m_sVirtualWnd = pstrValue; }

CDuiString CControlUI::GetVirtualWnd() const {
  if (!m_sVirtualWnd.IsEmpty()) return m_sVirtualWnd;
  return m_pParent ? m_pParent->GetVirtualWnd() : CDuiString();
}
