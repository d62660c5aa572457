#pragma once
#include <vector>

#include "ui/toolkit/control_ui.h"

class IContainerUI {
 public:
  virtual ~IContainerUI() = default;
  virtual CControlUI* GetItemAt(int iIndex) const = 0;
  virtual int GetItemIndex(CControlUI* pControl) const = 0;
  virtual bool SetItemIndex(CControlUI* pControl, int iNewIndex) = 0;
  virtual int GetCount() const = 0;
  virtual bool Add(CControlUI* pControl) = 0;
  virtual bool AddAt(CControlUI* pControl, int iIndex) = 0;
  virtual bool Remove(CControlUI* pControl, bool bDoNotDestroy = false) = 0;
  virtual bool RemoveAt(int iIndex, bool bDoNotDestroy = false) = 0;
  virtual void RemoveAll() = 0;
};

// A control that owns child controls. The plain container gives every non-floating child its
// whole inner rectangle (stacked); the layouts arrange them. Floating children sit at their
// pos offset from the container's top-left corner. With vscrollbar="true" the content scrolls
// vertically (wheel, and a thin scroll bar on the right that can be dragged).
//
// Removing a child deletes it on the next turn of the message loop (so a notification handler
// may remove its own sender), unless bDoNotDestroy keeps it for the caller.
class CContainerUI : public CControlUI, public IContainerUI {
 public:
  CContainerUI();
  ~CContainerUI() override;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  CControlUI* GetItemAt(int iIndex) const override;
  int GetItemIndex(CControlUI* pControl) const override;
  bool SetItemIndex(CControlUI* pControl, int iNewIndex) override;
  int GetCount() const override;
  // Any thread (then the container takes the control a little later).
  bool Add(CControlUI* pControl) override;
  bool AddAt(CControlUI* pControl, int iIndex) override;
  bool Remove(CControlUI* pControl, bool bDoNotDestroy = false) override;
  bool RemoveAt(int iIndex, bool bDoNotDestroy = false) override;
  void RemoveAll() override;

  void DoEvent(TEventUI& event) override;
  void SetVisible(bool bVisible = true) override;
  void SetInternVisible(bool bVisible = true) override;
  void SetMouseEnabled(bool bEnable = true) override;

  virtual RECT GetInset() const;
  virtual void SetInset(RECT rcInset);
  virtual int GetChildPadding() const;
  virtual void SetChildPadding(int iPadding);
  virtual UINT GetChildAlign() const { return m_iChildAlign; }
  virtual void SetChildAlign(UINT iAlign);
  virtual UINT GetChildVAlign() const { return m_iChildVAlign; }
  virtual void SetChildVAlign(UINT iVAlign);
  virtual bool IsAutoDestroy() const { return m_bAutoDestroy; }
  virtual void SetAutoDestroy(bool bAuto) { m_bAutoDestroy = bAuto; }
  virtual bool IsDelayedDestroy() const { return m_bDelayedDestroy; }
  virtual void SetDelayedDestroy(bool bDelayed) { m_bDelayedDestroy = bDelayed; }
  virtual bool IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
  virtual void SetMouseChildEnabled(bool bEnable = true) { m_bMouseChildEnabled = bEnable; }

  // Vertical scrolling.
  bool IsVScrollEnabled() const { return m_bVScrollEnabled; }
  void EnableScrollBar(bool bEnableVertical = true);
  SIZE GetScrollPos() const;
  SIZE GetScrollRange() const;
  void SetScrollPos(SIZE szPos);
  void LineUp();
  void LineDown();
  void PageUp();
  void PageDown();
  void HomeUp();
  void EndDown();
  // Scrolls so the child (or the given content rectangle) is inside the view.
  void ScrollIntoView(CControlUI* pControl);

  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
  bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
  CControlUI* FindControl(FINDCONTROLPROC Proc, void* pData, UINT uFlags) override;

 protected:
  // The rectangle children are laid out in: the item minus inset (and the scroll bar).
  RECT GetChildArea() const;
  // Lays the visible children out in a row (horizontal) or column inside area: fixed sizes
  // first, the rest shared by the flexible children within their minimum and maximum; floating
  // children at their offsets. Returns the extent of the content along the axis.
  int LayoutLinear(RECT area, bool horizontal);
  // Places the floating child at its offset; the layouts call it for each floating child.
  void SetFloatPos(int iIndex);
  // Called by layouts with the content height they produced, to update the scroll range.
  void SetContentHeight(int cy);
  RECT GetScrollBarRect() const;
  bool HandleScrollEvent(TEventUI& event);
  void DetachChild(CControlUI* pControl, bool bDoNotDestroy);

  std::vector<CControlUI*> m_items;
  RECT m_rcInset;
  int m_iChildPadding = 0;
  UINT m_iChildAlign = DT_LEFT;
  UINT m_iChildVAlign = DT_TOP;
  bool m_bAutoDestroy = true;
  bool m_bDelayedDestroy = true;
  bool m_bMouseChildEnabled = true;
  bool m_bVScrollEnabled = false;
  int m_iScrollPos = 0;
  int m_iScrollRange = 0;
  int m_iContentHeight = 0;
  DWORD m_dwScrollThumbColor = 0x80888888;
  bool m_bThumbDragging = false;
  int m_iThumbDragStartY = 0;
  int m_iThumbDragStartPos = 0;
};
