#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/ui_interfaces.h"

class CPaintManagerUI;

// FindControl traversal flags.
inline constexpr UINT UIFIND_ALL = 0x00000000;
inline constexpr UINT UIFIND_VISIBLE = 0x00000001;
inline constexpr UINT UIFIND_ENABLED = 0x00000002;
inline constexpr UINT UIFIND_HITTEST = 0x00000004;
inline constexpr UINT UIFIND_TOP_FIRST = 0x00000008;
inline constexpr UINT UIFIND_ME_FIRST = 0x80000000;

class CControlUI;
using FINDCONTROLPROC = CControlUI* (*)(CControlUI* control, void* data);

// Mouse cursor shapes a control asks for while the pointer is over it.
enum class UiCursor {
  kArrow,
  kIBeam,
  kWait,
  kCross,
  kUpArrow,
  kSize,
  kIcon,
  kSizeNWSE,
  kSizeNESW,
  kSizeWE,
  kSizeNS,
  kSizeAll,
  kHand,
  kNo,
};

// The base of every control: a rectangle in a window, its look (colours, images, border, text)
// and its reaction to input. All sizes given to setters and attributes are layout values at
// 96 DPI; the getters of fixed sizes, padding and position offsets return them scaled to the
// window's DPI, and GetPos is always in window pixels.
//
// Thread rule: a control belongs to the user-interface thread. The setters marked "any thread"
// below may be called from a worker; the toolkit then carries the change to the user-interface
// thread (it happens a little later, and is dropped if the control is deleted first). Everything
// else, reads included, must run on the user-interface thread (use
// CPaintManagerUI::RunOnUiThread).
class CControlUI {
 public:
  CControlUI();
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  virtual CDuiString GetName() const;
  virtual void SetName(LPCTSTR pstrName);
  // The class name layouts and lookups use ("Button", "DeviceKeyButton"), without C and UI.
  virtual LPCTSTR GetClass() const;
  // This control as the named interface (a class name as GetClass gives it), or null.
  virtual void* GetInterface(LPCTSTR pstrName);
  virtual UINT GetControlFlags() const;

  virtual bool Activate();
  virtual CPaintManagerUI* GetManager() const;
  virtual void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true);
  virtual CControlUI* GetParent() const;

  // Text. In resource-text mode the stored text is a language key and GetText returns the
  // current language's text for it (the key itself when the language file lacks it).
  virtual CDuiString GetText() const;
  virtual void SetText(LPCTSTR pstrText);  // any thread
  const CDuiString& GetTextKey() const { return m_sText; }
  bool IsResourceText() const { return m_bResourceText; }
  void SetResourceText(bool bResource);

  // Look. Colours are 0xAARRGGBB; 0 means none.
  DWORD GetBkColor() const { return m_dwBackColor; }
  void SetBkColor(DWORD dwBackColor);  // any thread
  const CDuiString& GetBkImage() const { return m_sBkImage; }
  void SetBkImage(LPCTSTR pStrImage);  // any thread
  const CDuiString& GetForeImage() const { return m_sForeImage; }
  void SetForeImage(LPCTSTR pStrImage);  // any thread
  DWORD GetForeColor() const { return m_dwForeColor; }
  void SetForeColor(DWORD dwForeColor);
  DWORD GetBorderColor() const { return m_dwBorderColor; }
  void SetBorderColor(DWORD dwBorderColor);
  DWORD GetFocusBorderColor() const { return m_dwFocusBorderColor; }
  void SetFocusBorderColor(DWORD dwBorderColor);
  int GetBorderSize() const;
  void SetBorderSize(int nSize);
  void SetBorderSize(RECT rc);
  SIZE GetBorderRound() const;
  void SetBorderRound(SIZE cxyRound);
  bool DrawImage(HDC hDC, LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);

  // Position and size.
  virtual const RECT& GetPos() const;
  virtual void SetPos(RECT rc, bool bNeedInvalidate = true);
  virtual int GetWidth() const;
  virtual int GetHeight() const;
  virtual int GetX() const;
  virtual int GetY() const;
  virtual RECT GetPadding() const;
  virtual void SetPadding(RECT rcPadding);
  // Offset of a floating control from its container's top-left corner.
  virtual SIZE GetFixedXY() const;
  virtual void SetFixedXY(SIZE szXY);
  virtual int GetFixedWidth() const;
  virtual void SetFixedWidth(int cx);
  virtual int GetFixedHeight() const;
  virtual void SetFixedHeight(int cy);
  virtual int GetMinWidth() const;
  virtual void SetMinWidth(int cx);
  virtual int GetMaxWidth() const;
  virtual void SetMaxWidth(int cx);
  virtual int GetMinHeight() const;
  virtual void SetMinHeight(int cy);
  virtual int GetMaxHeight() const;
  virtual void SetMaxHeight(int cy);
  // The size this control wants inside the given space; 0 in a dimension means "flexible".
  virtual SIZE EstimateSize(SIZE szAvailable);

  virtual CDuiString GetToolTip() const;
  virtual void SetToolTip(LPCTSTR pstrText);  // any thread
  virtual bool IsContextMenuUsed() const;
  virtual void SetContextMenuUsed(bool bMenuUsed);
  virtual const CDuiString& GetUserData() const;
  virtual void SetUserData(LPCTSTR pstrText);  // any thread
  virtual uintptr_t GetTag() const;
  virtual void SetTag(uintptr_t pTag);
  UiCursor GetCursor() const { return m_cursor; }
  void SetCursor(UiCursor cursor) { m_cursor = cursor; }

  // State. IsVisible is false while the control or an ancestor is hidden.
  virtual bool IsVisible() const;
  virtual void SetVisible(bool bVisible = true);  // any thread
  virtual void SetInternVisible(bool bVisible = true);
  virtual bool IsEnabled() const;
  virtual void SetEnabled(bool bEnable = true);  // any thread
  virtual bool IsMouseEnabled() const;
  virtual void SetMouseEnabled(bool bEnable = true);
  virtual bool IsKeyboardEnabled() const;
  virtual void SetKeyboardEnabled(bool bEnable = true);
  virtual bool IsFocused() const;
  virtual void SetFocus();
  virtual bool IsFloat() const;
  virtual void SetFloat(bool bFloat = true);

  virtual CControlUI* FindControl(FINDCONTROLPROC Proc, void* pData, UINT uFlags);

  // Repaint, and lay the window out again before the next paint. Any thread.
  void Invalidate();
  bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
  void NeedUpdate();
  void NeedParentUpdate();

  // Called once, when the control first joins a window's tree.
  virtual void Init();
  virtual void DoInit();

  // Input: Event runs the handlers added with AddEventHandler, then DoEvent (unless one of them
  // returned false). Controls override DoEvent.
  virtual void Event(TEventUI& event);
  virtual void DoEvent(TEventUI& event);
  void AddEventHandler(std::function<bool(TEventUI&)> handler);
  // Short notification handlers run before the window's notifiers; returning false stops the
  // notification from reaching them.
  void AddNotifyHandler(std::function<bool(TNotifyUI&)> handler);
  bool FireNotifyHandlers(TNotifyUI& msg);

  // Layout attributes (see skin/README.md). Unknown names are ignored. Any thread.
  virtual void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue);
  // "name1=\"value1\" name2='value2'" applied in order.
  CControlUI* ApplyAttributeList(LPCTSTR pstrList);

  // Painting: DoPaint draws background colour, background image, state images, text, fore
  // image and border, in that order.
  virtual bool Paint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl = nullptr);
  virtual bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl);
  virtual void PaintBkColor(HDC hDC);
  virtual void PaintBkImage(HDC hDC);
  virtual void PaintStatusImage(HDC hDC);
  virtual void PaintText(HDC hDC);
  virtual void PaintForeColor(HDC hDC);
  virtual void PaintForeImage(HDC hDC);
  virtual void PaintBorder(HDC hDC);

  void SetVirtualWnd(LPCTSTR pstrValue);
  CDuiString GetVirtualWnd() const;

  // Carries a change to the user-interface thread when called from elsewhere. Returns true when
  // the change was posted (the caller returns at once) and false on the user-interface thread
  // (the caller goes on and does it).
  bool PostToUiThread(std::function<void()> change);

  // A process-unique serial, so posted work can tell this control from a later one at the same
  // address.
  uint64_t GetSerial() const { return m_serial; }
  // True while a control with this address and serial exists. Any thread.
  static bool IsAlive(const CControlUI* control, uint64_t serial);
  // True on a worker thread while a user-interface thread runs.
  static bool IsMarshalNeeded();

 protected:
  int Scale(int value) const;
  RECT Scale(RECT rc) const;
  SIZE Scale(SIZE size) const;

  CPaintManagerUI* m_pManager = nullptr;
  CControlUI* m_pParent = nullptr;
  CDuiString m_sName;
  CDuiString m_sText;
  CDuiString m_sToolTip;
  CDuiString m_sUserData;
  CDuiString m_sVirtualWnd;
  CDuiString m_sBkImage;
  CDuiString m_sForeImage;
  uintptr_t m_pTag = 0;
  bool m_bResourceText = false;
  bool m_bUpdateNeeded = true;
  bool m_bMenuUsed = false;
  bool m_bVisible = true;
  bool m_bInternVisible = true;
  bool m_bEnabled = true;
  bool m_bMouseEnabled = true;
  bool m_bKeyboardEnabled = true;
  bool m_bFocused = false;
  bool m_bFloat = false;
  bool m_bInited = false;
  RECT m_rcItem;
  RECT m_rcPaint;
  RECT m_rcPadding;
  SIZE m_cXY;
  SIZE m_cxyFixed;
  SIZE m_cxyMin;
  SIZE m_cxyMax{9999, 9999};
  DWORD m_dwBackColor = 0;
  DWORD m_dwForeColor = 0;
  DWORD m_dwBorderColor = 0;
  DWORD m_dwFocusBorderColor = 0;
  RECT m_rcBorderSize;
  SIZE m_cxyBorderRound;
  UiCursor m_cursor = UiCursor::kArrow;

 private:
  uint64_t m_serial;
  std::vector<std::function<bool(TEventUI&)>> m_eventHandlers;
  std::vector<std::function<bool(TNotifyUI&)>> m_notifyHandlers;
};
