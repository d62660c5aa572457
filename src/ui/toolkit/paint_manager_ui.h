#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/control_ui.h"
#include "ui/toolkit/dpi.h"
#include "ui/toolkit/dui_string.h"
#include "ui/toolkit/ui_interfaces.h"

// A font as layouts and AddFont describe it; size in pixels at 96 DPI.
struct TFontInfo {
  CDuiString sFontName;
  int iSize = 12;
  bool bBold = false;
  bool bUnderline = false;
  bool bItalic = false;
};

// An image's natural size in pixels (an SVG's own width and height).
struct TImageInfo {
  int nX = 0;
  int nY = 0;
};

class CControlTimer;

// The toolkit side of one window: its control tree, layout, painting, input dispatch, focus,
// control timers, notifications, fonts, styles and DPI. Also the home of the process-wide
// settings (instance and resource paths, the message loop, the user-interface thread).
class CPaintManagerUI {
 public:
  CPaintManagerUI();
  ~CPaintManagerUI();
  CPaintManagerUI(const CPaintManagerUI&) = delete;
  CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

  // ---- Process-wide ----
  static void SetInstance(HINSTANCE hInst);
  static HINSTANCE GetInstance();
  // The executable's folder with a trailing '/' (T640_PROGRAM_FOLDER overrides it).
  static CDuiString GetInstancePath();
  // A relative path is taken relative to the instance path; '\' is accepted as a separator and a
  // trailing '/' is added.
  static void SetResourcePath(LPCTSTR pStrPath);
  static CDuiString GetResourcePath();
  // 1 = plain files, the only kind there is; kept so start-up code can state it.
  static void SetResourceType(int type);
  static int GetResourceType();
  // Runs the user-interface thread's message loop until PostQuitMessage. Returns at once when
  // no toolkit window exists (a window that failed to build leaves nothing to wait for).
  static void MessageLoop();
  static bool IsUiThread();
  // Queues the task to run on the user-interface thread, after what is already queued (also
  // when called there). False when there is no user-interface thread (no CUiApplication).
  static bool RunOnUiThread(std::function<void()> task);
  // Every window's paint manager.
  static void SetAllDPI(int dpi);
  // Frees a record handed out in a message (the WM_MENUCLICK MenuCmd).
  static void DeletePtr(void* ptr);
  // Makes a font file's faces usable by name in this process. Returns a handle for
  // UnloadPrivateFont, or -1 when the file is missing or not a font.
  static int LoadPrivateFont(LPCTSTR pstrPath);
  static void UnloadPrivateFont(int handle);
  static std::vector<CPaintManagerUI*> GetPaintManagers();

  // ---- The window ----
  void Init(HWND hWnd, LPCTSTR pstrName = nullptr);
  HWND GetPaintWindow() const { return m_hWndPaint; }
  const CDuiString& GetName() const { return m_sName; }
  SIZE GetClientSize() const;
  // The layout's window size at 96 DPI; setting it resizes the window (scaled).
  SIZE GetInitSize() const { return m_szInitWindowSize; }
  void SetInitSize(int cx, int cy);
  RECT GetSizeBox() const;
  void SetSizeBox(RECT rcSizeBox);
  // Caption band: left and right insets, top, and bottom = height of the band from the top.
  RECT GetCaptionRect() const;
  void SetCaptionRect(RECT rcCaption);
  SIZE GetRoundCorner() const { return m_szRoundCorner; }
  void SetRoundCorner(int cx, int cy);
  SIZE GetMinInfo() const;
  void SetMinInfo(int cx, int cy);
  SIZE GetMaxInfo() const;
  void SetMaxInfo(int cx, int cy);
  DWORD GetDefaultFontColor() const { return m_dwDefaultFontColor; }
  void SetDefaultFontColor(DWORD color) { m_dwDefaultFontColor = color; }
  DWORD GetDefaultDisabledColor() const { return m_dwDefaultDisabledColor; }
  void SetDefaultDisabledColor(DWORD color) { m_dwDefaultDisabledColor = color; }
  DWORD GetDefaultSelectedBkColor() const { return m_dwDefaultSelectedBkColor; }
  void SetDefaultSelectedBkColor(DWORD color) { m_dwDefaultSelectedBkColor = color; }

  // Repaint and relayout requests; any thread.
  void Invalidate();
  void Invalidate(const RECT& rcItem);
  void NeedUpdate();
  bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
  // Lays the tree out now when something changed, and sends "windowinit" after the first
  // layout. Painting and input do this themselves; code that needs positions before the first
  // paint calls it.
  void UpdateLayout();

  // ---- DPI ----
  CDPI* GetDPIObj() { return &m_dpi; }
  const CDPI* GetDPIObj() const { return &m_dpi; }
  int GetDPI() const { return m_dpi.GetDPI(); }
  // Rescales the window and its controls. An accepted value returns true; any other value sets
  // 96 and returns false (the caller writes its own diagnostic).
  bool SetDPI(int dpi);
  // Drops what was prepared for the old scale (rendered images) and lays out again.
  void ResetDPIAssets();

  // ---- Fonts (sizes at 96 DPI) ----
  // A window's own fonts are its layout's and what is added to it; shared fonts are seen by every
  // window that has no font of its own with that id. A window's layout never changes another
  // window's fonts.
  void SetDefaultFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic, bool bShared = false);
  bool AddFont(int id, LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic,
               bool bShared = false);
  void RemoveFont(int id, bool bShared = false);
  void RemoveAllFonts(bool bShared = false);
  // The font with that id as it is drawn: this window's, else the shared one, else the default
  // font; in the interface face when one is set.
  TFontInfo GetFont(int id) const;
  TFontInfo GetDefaultFontInfo() const;
  bool HasFont(int id) const;
  // The face every window draws every font in, keeping each font's size and style: the program
  // sets its language's face here. Empty: each font's own face. Redraws every window.
  static void SetInterfaceFontFace(LPCTSTR face);
  static CDuiString GetInterfaceFontFace();

  // ---- Images ----
  bool GetImageSize(LPCTSTR pStrImage, SIZE& size);
  const TImageInfo* GetImageEx(LPCTSTR pStrImage);

  // ---- Styles and per-class defaults (this window's first, then the shared sheet's) ----
  void AddStyle(LPCTSTR pName, TAttributeList attributes, bool bShared = false);
  const TAttributeList* GetStyle(LPCTSTR pName) const;
  void AddDefaultAttributeList(LPCTSTR pStrControlName, TAttributeList attributes, bool bShared = false);
  const TAttributeList* GetDefaultAttributeList(LPCTSTR pStrControlName) const;
  static void RemoveAllSharedStyles();
  // The shared tables themselves (what bShared = true reaches from any window).
  static void SetSharedDefaultFont(const TFontInfo& font);
  static void AddSharedFont(int id, const TFontInfo& font);
  static void AddSharedStyle(LPCTSTR pName, TAttributeList attributes);
  static const TAttributeList* GetSharedStyle(LPCTSTR pName);
  static void AddSharedDefaultAttributeList(LPCTSTR pStrControlName, TAttributeList attributes);
  static const TAttributeList* GetSharedDefaultAttributeList(LPCTSTR pStrControlName);

  // ---- The control tree ----
  bool AttachDialog(CControlUI* pControl);
  bool InitControls(CControlUI* pControl, CControlUI* pParent = nullptr);
  // Forgets every reference to the control and its descendants (focus, hover, timers, groups).
  void ReapObjects(CControlUI* pControl);
  // Deletes the control on the next turn of the message loop, so a handler may remove the
  // control that sent its notification.
  void AddDelayedCleanup(CControlUI* pControl);
  CControlUI* GetRoot() const { return m_pRoot; }
  CControlUI* FindControl(POINT pt) const;
  // First control with that name in tree order (depth first, parents before children, children
  // in order); names may repeat.
  CControlUI* FindControl(LPCTSTR pstrName) const;
  CControlUI* FindSubControlByPoint(CControlUI* pParent, POINT pt) const;
  // Like FindControl, but only in pParent's subtree (pParent included).
  CControlUI* FindSubControlByName(CControlUI* pParent, LPCTSTR pstrName) const;
  // The index-th control of that class (case-insensitive) in pParent's subtree, in tree order.
  CControlUI* FindSubControlByClass(CControlUI* pParent, LPCTSTR pstrClass, int iIndex = 0) const;
  std::vector<CControlUI*> FindSubControlsByClass(CControlUI* pParent, LPCTSTR pstrClass) const;

  // ---- Option groups ----
  bool AddOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl);
  const std::vector<CControlUI*>* GetOptionGroup(LPCTSTR pStrGroupName) const;
  void RemoveOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl);
  void RemoveAllOptionGroups();

  // ---- Focus and mouse ----
  CControlUI* GetFocus() const { return m_pFocus; }
  // Sends UIEVENT_KILLFOCUS and "killfocus" to the old control, then UIEVENT_SETFOCUS and
  // "setfocus" to the new one.
  void SetFocus(CControlUI* pControl);
  CControlUI* GetHover() const { return m_pEventHover; }
  POINT GetMousePos() const { return m_ptLastMousePos; }
  // Mouse moves keep going to the control that got the button down until the button is up;
  // these exist for code that asks for it explicitly.
  void SetCapture();
  void ReleaseCapture();
  bool IsCaptured() const { return m_bMouseCapture; }

  // ---- Control timers (delivered to the control as UIEVENT_TIMER, then "timer") ----
  // Repeating until killed. Any thread.
  bool SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse);
  bool KillTimer(CControlUI* pControl, UINT nTimerID);
  void KillTimer(CControlUI* pControl);
  void RemoveAllTimers();
  bool HasTimer(CControlUI* pControl, UINT nTimerID) const;

  // ---- Notifications ----
  bool AddNotifier(INotifyUI* pControl);
  bool RemoveNotifier(INotifyUI* pControl);
  // Synchronous: the sender's own handlers, then every notifier in the order added. Async (any
  // thread): queued and delivered later if the sender still exists.
  void SendNotify(TNotifyUI& Msg, bool bAsync = false);
  void SendNotify(CControlUI* pControl, LPCTSTR pstrMessage, WPARAM wParam = 0, LPARAM lParam = 0, bool bAsync = false);

  // ---- Message filters ----
  // Pre-filters see the window's input messages before the window's HandleMessage.
  bool AddPreMessageFilter(IMessageFilterUI* pFilter);
  bool RemovePreMessageFilter(IMessageFilterUI* pFilter);
  // Filters see every message the paint manager handles, before it does.
  bool AddMessageFilter(IMessageFilterUI* pFilter);
  bool RemoveMessageFilter(IMessageFilterUI* pFilter);
  bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
  // The toolkit's handling of a window message; true when it consumed the message.
  bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);

  // ---- Painting ----
  // Paints the tree into the target (the window's paint pass).
  void DoPaint(HDC hDC, const RECT& rcPaint);
  // Lays the tree out for size and paints all of it into the target (renders, previews); the
  // window lays itself out at its own size again afterwards.
  void PaintOffscreen(HDC hDC, SIZE size);
  // Paints the window at its client size into a PNG file (screenshots). False when the file
  // cannot be written.
  bool SaveWindowImage(const std::string& path);

  // True while this manager exists; any thread.
  static bool IsAlive(const CPaintManagerUI* manager, uint64_t serial);
  uint64_t GetSerial() const { return m_serial; }

 private:
  struct PendingNotify;

  void SendNotifyNow(TNotifyUI& msg);
  void SetHover(CControlUI* pNewHover, POINT pt, WORD keyState);
  void DispatchMouse(int eventType, CControlUI* target, POINT pt, WPARAM wParam, LPARAM lParam);
  bool HandleMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
  bool HandleKeyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void ApplyWindowConstraints();
  void FireTimer(CControlUI* pControl, uint64_t serial, UINT nTimerID);
  void RunDelayedCleanup();

  uint64_t m_serial;
  HWND m_hWndPaint = nullptr;
  CDuiString m_sName;
  CControlUI* m_pRoot = nullptr;
  CControlUI* m_pFocus = nullptr;
  CControlUI* m_pEventHover = nullptr;
  CControlUI* m_pEventClick = nullptr;
  bool m_bMouseCapture = false;
  bool m_bUpdateNeeded = true;
  bool m_bFirstLayout = true;
  bool m_bInLayout = false;
  POINT m_ptLastMousePos{-1, -1};
  SIZE m_szInitWindowSize;
  SIZE m_szOffscreen;
  RECT m_rcSizeBox;
  RECT m_rcCaption;
  SIZE m_szRoundCorner;
  SIZE m_szMinWindow;
  SIZE m_szMaxWindow;
  DWORD m_dwDefaultFontColor = 0xFF000000;
  DWORD m_dwDefaultDisabledColor = 0xFFA7A6AA;
  DWORD m_dwDefaultSelectedBkColor = 0xFFBAE4FF;
  CDPI m_dpi;
  std::vector<INotifyUI*> m_aNotifiers;
  std::vector<IMessageFilterUI*> m_aPreMessageFilters;
  std::vector<IMessageFilterUI*> m_aMessageFilters;
  std::map<CDuiString, std::vector<CControlUI*>> m_optionGroups;
  std::map<CDuiString, TAttributeList> m_styles;
  std::map<CDuiString, TAttributeList> m_defaultAttributes;
  std::map<int, TFontInfo> m_fonts;
  std::unique_ptr<TFontInfo> m_defaultFont;
  std::vector<CControlUI*> m_delayedCleanup;
  bool m_bCleanupPosted = false;
  std::map<std::pair<CControlUI*, UINT>, std::unique_ptr<CControlTimer>> m_timers;
  std::map<CDuiString, TImageInfo> m_imageInfos;
  std::shared_ptr<bool> m_alive;
};
