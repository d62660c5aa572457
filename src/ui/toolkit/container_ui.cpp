#include "ui/toolkit/container_ui.h"

#include <algorithm>
#include <memory>

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/paint_manager_ui.h"
#include "ui/toolkit/qt_paint.h"
#include "ui/toolkit/render_engine.h"

namespace {

// Owns a control on its way to the user-interface thread, so it is freed if the container is
// gone (or the thread stopped) before the hand-over runs.
struct CPendingChild {
  CControlUI* control = nullptr;
  CPendingChild() = default;
  CPendingChild(const CPendingChild&) = delete;
  CPendingChild& operator=(const CPendingChild&) = delete;
  ~CPendingChild() { delete control; }
  CControlUI* Release() { return std::exchange(control, nullptr); }
};

constexpr int kScrollBarWidth = 8;
constexpr int kScrollLine = 30;
constexpr WPARAM kWheelUp = 0;

}  // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
  m_bDelayedDestroy = false;
  RemoveAll();
}

LPCTSTR CContainerUI::GetClass() const { return "Container"; }

void* CContainerUI::GetInterface(LPCTSTR pstrName) {
  CDuiString name(pstrName);
  if (name.CompareNoCase("Container") == 0) return static_cast<CContainerUI*>(this);
  if (name.CompareNoCase("IContainer") == 0) return static_cast<IContainerUI*>(this);
  return CControlUI::GetInterface(pstrName);
}

CControlUI* CContainerUI::GetItemAt(int iIndex) const {
  if (iIndex < 0 || iIndex >= int(m_items.size())) return nullptr;
  return m_items[size_t(iIndex)];
}

int CContainerUI::GetItemIndex(CControlUI* pControl) const {
  auto it = std::find(m_items.begin(), m_items.end(), pControl);
  return it == m_items.end() ? -1 : int(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* pControl, int iNewIndex) {
  int old = GetItemIndex(pControl);
  if (old < 0 || iNewIndex < 0 || iNewIndex >= int(m_items.size())) return false;
  m_items.erase(m_items.begin() + old);
  m_items.insert(m_items.begin() + iNewIndex, pControl);
  NeedUpdate();
  return true;
}

int CContainerUI::GetCount() const { return int(m_items.size()); }

bool CContainerUI::Add(CControlUI* pControl) { return AddAt(pControl, -1); }

bool CContainerUI::AddAt(CControlUI* pControl, int iIndex) {
  if (!pControl) return false;
  auto pending = std::make_shared<CPendingChild>();
  pending->control = pControl;
  if (PostToUiThread([this, pending, iIndex] { AddAt(pending->Release(), iIndex); })) return true;
  pending->Release();
  if (iIndex < 0 || iIndex > int(m_items.size())) iIndex = int(m_items.size());
  m_items.insert(m_items.begin() + iIndex, pControl);
  if (m_pManager) {
    m_pManager->InitControls(pControl, this);
  } else {
    pControl->SetManager(nullptr, this, false);
  }
  pControl->SetInternVisible(IsVisible());
  NeedUpdate();
  return true;
}

void CContainerUI::DetachChild(CControlUI* pControl, bool bDoNotDestroy) {
  if (m_pManager) m_pManager->ReapObjects(pControl);
  if (bDoNotDestroy || !m_bAutoDestroy) {
    pControl->SetManager(nullptr, nullptr, false);
    return;
  }
  if (m_bDelayedDestroy && m_pManager) {
    m_pManager->AddDelayedCleanup(pControl);
  } else {
    delete pControl;
  }
}

bool CContainerUI::Remove(CControlUI* pControl, bool bDoNotDestroy) {
  if (PostToUiThread([this, pControl, bDoNotDestroy] { Remove(pControl, bDoNotDestroy); })) return true;
  int index = GetItemIndex(pControl);
  if (index < 0) return false;
  return RemoveAt(index, bDoNotDestroy);
}

bool CContainerUI::RemoveAt(int iIndex, bool bDoNotDestroy) {
  if (PostToUiThread([this, iIndex, bDoNotDestroy] { RemoveAt(iIndex, bDoNotDestroy); })) return true;
  CControlUI* control = GetItemAt(iIndex);
  if (!control) return false;
  m_items.erase(m_items.begin() + iIndex);
  DetachChild(control, bDoNotDestroy);
  NeedUpdate();
  return true;
}

void CContainerUI::RemoveAll() {
  if (PostToUiThread([this] { RemoveAll(); })) return;
  std::vector<CControlUI*> items;
  items.swap(m_items);
  for (CControlUI* control : items) DetachChild(control, false);
  m_iScrollPos = 0;
  NeedUpdate();
}

void CContainerUI::DoEvent(TEventUI& event) {
  if (HandleScrollEvent(event)) return;
  CControlUI::DoEvent(event);
}

void CContainerUI::SetVisible(bool bVisible) {
  if (PostToUiThread([this, bVisible] { SetVisible(bVisible); })) return;
  if (m_bVisible == bVisible) return;
  CControlUI::SetVisible(bVisible);
  for (CControlUI* control : m_items) control->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool bVisible) {
  CControlUI::SetInternVisible(bVisible);
  for (CControlUI* control : m_items) control->SetInternVisible(IsVisible());
}

void CContainerUI::SetMouseEnabled(bool bEnable) { CControlUI::SetMouseEnabled(bEnable); }

RECT CContainerUI::GetInset() const { return Scale(m_rcInset); }

void CContainerUI::SetInset(RECT rcInset) {
  m_rcInset = rcInset;
  NeedUpdate();
}

int CContainerUI::GetChildPadding() const { return Scale(m_iChildPadding); }

void CContainerUI::SetChildPadding(int iPadding) {
  m_iChildPadding = iPadding;
  NeedUpdate();
}

void CContainerUI::SetChildAlign(UINT iAlign) {
  m_iChildAlign = iAlign;
  NeedUpdate();
}

void CContainerUI::SetChildVAlign(UINT iVAlign) {
  m_iChildVAlign = iVAlign;
  NeedUpdate();
}

void CContainerUI::EnableScrollBar(bool bEnableVertical) {
  m_bVScrollEnabled = bEnableVertical;
  if (!bEnableVertical) m_iScrollPos = 0;
  NeedUpdate();
}

SIZE CContainerUI::GetScrollPos() const { return SIZE{0, m_iScrollPos}; }

SIZE CContainerUI::GetScrollRange() const { return SIZE{0, m_iScrollRange}; }

void CContainerUI::SetScrollPos(SIZE szPos) {
  int pos = std::clamp(szPos.cy, 0, std::max(0, m_iScrollRange));
  if (pos == m_iScrollPos) return;
  m_iScrollPos = pos;
  NeedUpdate();
  Invalidate();
}

void CContainerUI::LineUp() { SetScrollPos(SIZE{0, m_iScrollPos - Scale(kScrollLine)}); }
void CContainerUI::LineDown() { SetScrollPos(SIZE{0, m_iScrollPos + Scale(kScrollLine)}); }
void CContainerUI::PageUp() { SetScrollPos(SIZE{0, m_iScrollPos - RectHeight(GetChildArea())}); }
void CContainerUI::PageDown() { SetScrollPos(SIZE{0, m_iScrollPos + RectHeight(GetChildArea())}); }
void CContainerUI::HomeUp() { SetScrollPos(SIZE{0, 0}); }
void CContainerUI::EndDown() { SetScrollPos(SIZE{0, m_iScrollRange}); }

void CContainerUI::ScrollIntoView(CControlUI* pControl) {
  if (!pControl || !m_bVScrollEnabled) return;
  if (m_pManager) m_pManager->UpdateLayout();
  RECT area = GetChildArea();
  const RECT& pos = pControl->GetPos();
  if (pos.top < area.top) {
    SetScrollPos(SIZE{0, m_iScrollPos - (area.top - pos.top)});
  } else if (pos.bottom > area.bottom) {
    SetScrollPos(SIZE{0, m_iScrollPos + (pos.bottom - area.bottom)});
  }
}

RECT CContainerUI::GetChildArea() const {
  RECT area = m_rcItem;
  DeflateRect(area, GetInset());
  if (m_bVScrollEnabled && m_iScrollRange > 0) area.right -= Scale(kScrollBarWidth);
  if (area.right < area.left) area.right = area.left;
  if (area.bottom < area.top) area.bottom = area.top;
  return area;
}

RECT CContainerUI::GetScrollBarRect() const {
  if (!m_bVScrollEnabled || m_iScrollRange <= 0) return RECT{};
  RECT area = m_rcItem;
  DeflateRect(area, GetInset());
  return RECT{area.right - Scale(kScrollBarWidth), area.top, area.right, area.bottom};
}

void CContainerUI::SetContentHeight(int cy) {
  int view = RectHeight(m_rcItem) - GetInset().top - GetInset().bottom;
  int range = m_bVScrollEnabled ? std::max(0, cy - view) : 0;
  bool barChanged = (range > 0) != (m_iScrollRange > 0);
  m_iContentHeight = cy;
  m_iScrollRange = range;
  int clamped = std::clamp(m_iScrollPos, 0, range);
  // The scroll bar takes width from the children, so its appearing or going, or a position that
  // had to be pulled back, needs one more layout pass.
  if (barChanged || clamped != m_iScrollPos) {
    m_iScrollPos = clamped;
    NeedUpdate();
  }
}

bool CContainerUI::HandleScrollEvent(TEventUI& event) {
  if (!m_bVScrollEnabled || m_iScrollRange <= 0) return false;
  RECT bar = GetScrollBarRect();
  int view = RectHeight(bar);
  int thumb = std::max(Scale(20), view * view / std::max(1, m_iContentHeight));
  int thumbTop = bar.top + (view - thumb) * m_iScrollPos / std::max(1, m_iScrollRange);
  switch (event.Type) {
    case UIEVENT_SCROLLWHEEL:
      if (event.wParam == kWheelUp) {
        LineUp();
      } else {
        LineDown();
      }
      return true;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (!PtInRect(bar, event.ptMouse)) return false;
      if (event.ptMouse.y < thumbTop) {
        PageUp();
      } else if (event.ptMouse.y >= thumbTop + thumb) {
        PageDown();
      } else {
        m_bThumbDragging = true;
        m_iThumbDragStartY = event.ptMouse.y;
        m_iThumbDragStartPos = m_iScrollPos;
      }
      return true;
    case UIEVENT_MOUSEMOVE:
      if (!m_bThumbDragging) return false;
      if (view > thumb) {
        SetScrollPos(
            SIZE{0, m_iThumbDragStartPos + (event.ptMouse.y - m_iThumbDragStartY) * m_iScrollRange / (view - thumb)});
      }
      return true;
    case UIEVENT_BUTTONUP:
      if (!m_bThumbDragging) return false;
      m_bThumbDragging = false;
      return true;
    default:
      return false;
  }
}

void CContainerUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CControlUI::SetPos(rc, bNeedInvalidate);
  RECT area = GetChildArea();
  for (int i = 0; i < int(m_items.size()); ++i) {
    CControlUI* control = m_items[size_t(i)];
    if (!control->IsVisible()) continue;
    if (control->IsFloat()) {
      SetFloatPos(i);
      continue;
    }
    RECT pad = control->GetPadding();
    RECT slot{area.left + pad.left, area.top + pad.top - m_iScrollPos, area.right - pad.right,
              area.bottom - pad.bottom - m_iScrollPos};
    SIZE fixed = control->EstimateSize(SIZE{RectWidth(slot), RectHeight(slot)});
    if (fixed.cx > 0) slot.right = slot.left + fixed.cx;
    if (fixed.cy > 0) slot.bottom = slot.top + fixed.cy;
    control->SetPos(slot, false);
  }
  SetContentHeight(RectHeight(area));
}

void CContainerUI::SetFloatPos(int iIndex) {
  CControlUI* control = GetItemAt(iIndex);
  if (!control) return;
  SIZE xy = control->GetFixedXY();
  int width = control->GetFixedWidth();
  int height = control->GetFixedHeight();
  RECT rc{m_rcItem.left + xy.cx, m_rcItem.top + xy.cy, 0, 0};
  rc.right = width > 0 ? rc.left + width : m_rcItem.right;
  rc.bottom = height > 0 ? rc.top + height : m_rcItem.bottom;
  control->SetPos(rc, false);
}

bool CContainerUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) {
  RECT paint;
  if (!IntersectRect(paint, rcPaint, m_rcItem)) return true;
  QPainter* painter = PainterOf(hDC);
  if (!CControlUI::DoPaint(hDC, rcPaint, pStopControl)) return false;
  if (m_items.empty()) return true;
  RECT area = GetChildArea();
  RECT childPaint;
  bool hasChildArea = IntersectRect(childPaint, paint, area);
  for (CControlUI* control : m_items) {
    if (control == pStopControl) return false;
    if (!control->IsVisible()) continue;
    const RECT& clip = control->IsFloat() ? paint : childPaint;
    if (!control->IsFloat() && !hasChildArea) continue;
    RECT overlap;
    if (!IntersectRect(overlap, clip, control->GetPos())) continue;
    if (painter) {
      painter->save();
      painter->setClipRect(ToQRect(clip), Qt::IntersectClip);
    }
    bool keepGoing = control->Paint(hDC, clip, pStopControl);
    if (painter) painter->restore();
    if (!keepGoing) return false;
  }
  RECT bar = GetScrollBarRect();
  if (!IsRectEmpty(bar)) {
    int view = RectHeight(bar);
    int thumb = std::max(Scale(20), view * view / std::max(1, m_iContentHeight));
    int thumbTop = bar.top + (view - thumb) * m_iScrollPos / std::max(1, m_iScrollRange);
    RECT thumbRect{bar.left + Scale(2), thumbTop, bar.right - Scale(2), thumbTop + thumb};
    CRenderEngine::FillRoundRect(hDC, thumbRect, Scale(4), Scale(4), m_dwScrollThumbColor);
  }
  return true;
}

void CContainerUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
  CDuiString name(pstrName);
  CDuiString value(pstrValue);
  if (PostToUiThread([this, name, value] { SetAttribute(name, value); })) return;
  std::string_view v = value.str();
  if (name == "inset") {
    SetInset(ParseRectValue(v));
  } else if (name == "childpadding") {
    SetChildPadding(ParseIntValue(v));
  } else if (name == "childalign") {
    SetChildAlign(value == "center" ? DT_CENTER : (value == "right" ? DT_RIGHT : DT_LEFT));
  } else if (name == "childvalign") {
    SetChildVAlign(value == "vcenter" ? DT_VCENTER : (value == "bottom" ? DT_BOTTOM : DT_TOP));
  } else if (name == "mousechild") {
    SetMouseChildEnabled(ParseBoolValue(v));
  } else if (name == "vscrollbar") {
    EnableScrollBar(ParseBoolValue(v));
  } else if (name == "scrollthumbcolor") {
    m_dwScrollThumbColor = ParseColorValue(v);
  } else if (name == "autodestroy") {
    SetAutoDestroy(ParseBoolValue(v));
  } else if (name == "delayeddestroy") {
    SetDelayedDestroy(ParseBoolValue(v));
  } else {
    CControlUI::SetAttribute(pstrName, pstrValue);
  }
}

void CContainerUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
  for (CControlUI* control : m_items) control->SetManager(pManager, this, bInit);
  CControlUI::SetManager(pManager, pParent, bInit);
}

CControlUI* CContainerUI::FindControl(FINDCONTROLPROC Proc, void* pData, UINT uFlags) {
  if ((uFlags & UIFIND_VISIBLE) && !IsVisible()) return nullptr;
  if ((uFlags & UIFIND_ENABLED) && !IsEnabled()) return nullptr;
  const bool hitTest = (uFlags & UIFIND_HITTEST) != 0;
  if (hitTest && !PtInRect(m_rcItem, *static_cast<POINT*>(pData))) return nullptr;
  auto self = [&]() -> CControlUI* {
    if (hitTest && !m_bMouseEnabled) return nullptr;
    return Proc(this, pData);
  };
  if (uFlags & UIFIND_ME_FIRST) {
    if (CControlUI* found = self()) return found;
  }
  if (hitTest && !m_bMouseChildEnabled) return (uFlags & UIFIND_ME_FIRST) ? nullptr : self();
  if (hitTest && !PtInRect(GetChildArea(), *static_cast<POINT*>(pData))) {
    // Outside the child area only floating children (which may overhang the inset) can be hit.
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
      if (!(*it)->IsFloat()) continue;
      if (CControlUI* found = (*it)->FindControl(Proc, pData, uFlags)) return found;
    }
    return (uFlags & UIFIND_ME_FIRST) ? nullptr : self();
  }
  if (uFlags & UIFIND_TOP_FIRST) {
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
      if (CControlUI* found = (*it)->FindControl(Proc, pData, uFlags)) return found;
    }
  } else {
    for (CControlUI* control : m_items) {
      if (CControlUI* found = control->FindControl(Proc, pData, uFlags)) return found;
    }
  }
  return (uFlags & UIFIND_ME_FIRST) ? nullptr : self();
}
