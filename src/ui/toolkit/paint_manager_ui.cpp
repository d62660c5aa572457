#include "ui/toolkit/paint_manager_ui.h"

#include <QFontDatabase>
#include <QString>
#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "platform/program_folder.h"
#include "ui/toolkit/control_timer.h"
#include "ui/toolkit/native_window.h"
#include "ui/toolkit/render_engine.h"
#include "ui/toolkit/ui_thread.h"
#include "ui/toolkit/window_registry.h"

// Paint-manager state that outlives one window: paths, the list of managers, shared fonts and
// styles. Everything here is touched on the user-interface thread only, except the liveness
// table, which workers consult before posting.
namespace {

struct ProcessState {
  HINSTANCE instance = nullptr;
  CDuiString resourcePath;
  int resourceType = 1;
  std::vector<CPaintManagerUI*> managers;
  std::map<int, TFontInfo> sharedFonts;
  std::unique_ptr<TFontInfo> sharedDefaultFont;
  CDuiString interfaceFontFace;
  std::map<CDuiString, TAttributeList> sharedStyles;
  std::map<CDuiString, TAttributeList> sharedDefaults;
};

ProcessState& Process() {
  static ProcessState state;
  return state;
}

struct LiveManagers {
  std::mutex mutex;
  std::unordered_map<const CPaintManagerUI*, uint64_t> serials;
  uint64_t next = 1;
};

LiveManagers& Live() {
  static LiveManagers live;
  return live;
}

const TFontInfo& BuiltInDefaultFont() {
  static const TFontInfo font{"", 12, false, false, false};
  return font;
}

TFontInfo InInterfaceFace(TFontInfo font) {
  if (!Process().interfaceFontFace.IsEmpty()) font.sFontName = Process().interfaceFontFace;
  return font;
}

CDuiString LowerKey(LPCTSTR name) {
  CDuiString key(name);
  key.MakeLower();
  return key;
}

CControlUI* FindByName(CControlUI* control, void* data) {
  return control->GetName() == static_cast<const char*>(data) ? control : nullptr;
}

CControlUI* FindByPoint(CControlUI* control, void*) { return control; }

struct ClassSearch {
  CDuiString className;
  std::vector<CControlUI*>* found;
};

CControlUI* CollectByClass(CControlUI* control, void* data) {
  auto* search = static_cast<ClassSearch*>(data);
  if (search->className.CompareNoCase(control->GetClass()) == 0) search->found->push_back(control);
  return nullptr;  // keep walking the whole subtree
}

}  // namespace

CPaintManagerUI::CPaintManagerUI() : m_alive(std::make_shared<bool>(true)) {
  {
    std::lock_guard guard(Live().mutex);
    m_serial = Live().next++;
    Live().serials[this] = m_serial;
  }
  Process().managers.push_back(this);
}

CPaintManagerUI::~CPaintManagerUI() {
  *m_alive = false;
  RemoveAllTimers();
  for (CControlUI* control : m_delayedCleanup) delete control;
  m_delayedCleanup.clear();
  CControlUI* root = std::exchange(m_pRoot, nullptr);
  delete root;
  if (CNativeWindow* native = NativeWindowOf(m_hWndPaint); native && native->manager == this) {
    native->manager = nullptr;
  }
  auto& managers = Process().managers;
  managers.erase(std::remove(managers.begin(), managers.end(), this), managers.end());
  std::lock_guard guard(Live().mutex);
  Live().serials.erase(this);
}

bool CPaintManagerUI::IsAlive(const CPaintManagerUI* manager, uint64_t serial) {
  std::lock_guard guard(Live().mutex);
  auto it = Live().serials.find(manager);
  return it != Live().serials.end() && it->second == serial;
}

// ---- Process-wide ----

void CPaintManagerUI::SetInstance(HINSTANCE hInst) { Process().instance = hInst; }
HINSTANCE CPaintManagerUI::GetInstance() { return Process().instance; }
CDuiString CPaintManagerUI::GetInstancePath() { return CDuiString(ProgramFolder()); }

void CPaintManagerUI::SetResourcePath(LPCTSTR pStrPath) {
  CDuiString path(pStrPath);
  path.Replace("\\", "/");
  if (!path.IsEmpty() && path[0] != '/') path = GetInstancePath() + path;
  if (!path.IsEmpty() && path[path.GetLength() - 1] != '/') path += '/';
  Process().resourcePath = path;
}

CDuiString CPaintManagerUI::GetResourcePath() { return Process().resourcePath; }
void CPaintManagerUI::SetResourceType(int type) { Process().resourceType = type; }
int CPaintManagerUI::GetResourceType() { return Process().resourceType; }

void CPaintManagerUI::MessageLoop() {
  if (AllWindowHandles().empty()) {
    ClearQuitRequest();
    return;
  }
  CUiLoop loop;
  loop.Run();
  ClearQuitRequest();
}

bool CPaintManagerUI::IsUiThread() { return IsOnUiThread(); }

bool CPaintManagerUI::RunOnUiThread(std::function<void()> task) { return PostUiTask(std::move(task)); }

void CPaintManagerUI::SetAllDPI(int dpi) {
  for (CPaintManagerUI* manager : GetPaintManagers()) manager->SetDPI(dpi);
}

void CPaintManagerUI::DeletePtr(void* ptr) { delete static_cast<CMessageRecord*>(ptr); }

int CPaintManagerUI::LoadPrivateFont(LPCTSTR pstrPath) {
  CDuiString path(pstrPath);
  path.Replace("\\", "/");
  return QFontDatabase::addApplicationFont(QString::fromStdString(path.str()));
}

void CPaintManagerUI::UnloadPrivateFont(int handle) {
  if (handle >= 0) QFontDatabase::removeApplicationFont(handle);
}

std::vector<CPaintManagerUI*> CPaintManagerUI::GetPaintManagers() { return Process().managers; }

// ---- The window ----

void CPaintManagerUI::Init(HWND hWnd, LPCTSTR pstrName) {
  m_hWndPaint = hWnd;
  m_sName = pstrName;
  if (CNativeWindow* native = NativeWindowOf(hWnd)) native->manager = this;
  // "windowinit" follows the first layout; it is sent from the message loop rather than from a
  // paint, so its handlers may show, hide or open windows. A window that is never painted (kept
  // hidden) still gets it.
  PostUiTask([this, alive = m_alive] {
    if (*alive) UpdateLayout();
  });
}

SIZE CPaintManagerUI::GetClientSize() const {
  if (m_szOffscreen.cx > 0 && m_szOffscreen.cy > 0) return m_szOffscreen;
  if (QWidget* widget = HostWidgetOf(m_hWndPaint)) return SIZE{widget->width(), widget->height()};
  return m_dpi.Scale(m_szInitWindowSize);
}

void CPaintManagerUI::SetInitSize(int cx, int cy) {
  m_szInitWindowSize = SIZE{cx, cy};
  if (QWidget* widget = HostWidgetOf(m_hWndPaint)) {
    SIZE scaled = m_dpi.Scale(m_szInitWindowSize);
    if (scaled.cx > 0 && scaled.cy > 0) widget->resize(scaled.cx, scaled.cy);
  }
  NeedUpdate();
}

RECT CPaintManagerUI::GetSizeBox() const { return m_dpi.Scale(m_rcSizeBox); }
void CPaintManagerUI::SetSizeBox(RECT rcSizeBox) { m_rcSizeBox = rcSizeBox; }
RECT CPaintManagerUI::GetCaptionRect() const { return m_dpi.Scale(m_rcCaption); }
void CPaintManagerUI::SetCaptionRect(RECT rcCaption) { m_rcCaption = rcCaption; }
void CPaintManagerUI::SetRoundCorner(int cx, int cy) { m_szRoundCorner = SIZE{cx, cy}; }
SIZE CPaintManagerUI::GetMinInfo() const { return m_dpi.Scale(m_szMinWindow); }

void CPaintManagerUI::SetMinInfo(int cx, int cy) {
  m_szMinWindow = SIZE{cx, cy};
  ApplyWindowConstraints();
}

SIZE CPaintManagerUI::GetMaxInfo() const { return m_dpi.Scale(m_szMaxWindow); }

void CPaintManagerUI::SetMaxInfo(int cx, int cy) {
  m_szMaxWindow = SIZE{cx, cy};
  ApplyWindowConstraints();
}

void CPaintManagerUI::ApplyWindowConstraints() {
  QWidget* widget = HostWidgetOf(m_hWndPaint);
  if (!widget) return;
  SIZE minimum = GetMinInfo();
  SIZE maximum = GetMaxInfo();
  widget->setMinimumSize(std::max(0, minimum.cx), std::max(0, minimum.cy));
  widget->setMaximumSize(maximum.cx > 0 ? maximum.cx : QWIDGETSIZE_MAX, maximum.cy > 0 ? maximum.cy : QWIDGETSIZE_MAX);
}

void CPaintManagerUI::Invalidate() {
  if (CControlUI::IsMarshalNeeded()) {
    PostUiTask([this, alive = m_alive] {
      if (*alive) Invalidate();
    });
    return;
  }
  if (QWidget* widget = HostWidgetOf(m_hWndPaint)) widget->update();
}

void CPaintManagerUI::Invalidate(const RECT& rcItem) {
  if (CControlUI::IsMarshalNeeded()) {
    PostUiTask([this, alive = m_alive, rcItem] {
      if (*alive) Invalidate(rcItem);
    });
    return;
  }
  if (IsRectEmpty(rcItem)) return;
  if (QWidget* widget = HostWidgetOf(m_hWndPaint)) {
    widget->update(QRect(rcItem.left, rcItem.top, RectWidth(rcItem), RectHeight(rcItem)));
  }
}

void CPaintManagerUI::NeedUpdate() {
  if (CControlUI::IsMarshalNeeded()) {
    PostUiTask([this, alive = m_alive] {
      if (*alive) NeedUpdate();
    });
    return;
  }
  m_bUpdateNeeded = true;
  Invalidate();
}

void CPaintManagerUI::UpdateLayout() {
  if (m_pRoot && m_bUpdateNeeded && !m_bInLayout) {
    m_bInLayout = true;
    // Laying out can change what needs laying out (a scroll bar appears and narrows the
    // content); a few passes settle it.
    for (int pass = 0; pass < 4 && m_bUpdateNeeded; ++pass) {
      m_bUpdateNeeded = false;
      SIZE size = GetClientSize();
      if (m_pRoot->IsVisible()) m_pRoot->SetPos(RECT{0, 0, size.cx, size.cy}, false);
    }
    m_bUpdateNeeded = false;
    m_bInLayout = false;
    Invalidate();
  }
  if (m_bFirstLayout && m_pRoot && m_hWndPaint) {
    m_bFirstLayout = false;
    SendNotify(m_pRoot, DUI_MSGTYPE_WINDOWINIT);
  }
}

// ---- DPI ----

bool CPaintManagerUI::SetDPI(int dpi) {
  int old = m_dpi.GetDPI();
  bool accepted = m_dpi.SetDPI(dpi);
  int now = m_dpi.GetDPI();
  if (old != now) {
    if (QWidget* widget = HostWidgetOf(m_hWndPaint)) {
      // Size first: the new minimum size would otherwise stretch the window before it is scaled.
      QSize size((widget->width() * now + old / 2) / old, (widget->height() * now + old / 2) / old);
      widget->setMinimumSize(0, 0);
      widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
      widget->resize(size);
      ApplyWindowConstraints();
    }
  }
  ResetDPIAssets();
  return accepted;
}

void CPaintManagerUI::ResetDPIAssets() {
  m_imageInfos.clear();
  if (m_pRoot) {
    // Every control's scaled sizes change; the whole tree is laid out again.
    m_pRoot->NeedUpdate();
  }
  NeedUpdate();
}

// ---- Fonts ----

void CPaintManagerUI::SetDefaultFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic,
                                     bool bShared) {
  TFontInfo font{pStrFontName, nSize, bBold, bUnderline, bItalic};
  if (bShared) {
    SetSharedDefaultFont(font);
  } else {
    m_defaultFont = std::make_unique<TFontInfo>(font);
    NeedUpdate();
  }
}

bool CPaintManagerUI::AddFont(int id, LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic,
                              bool bShared) {
  TFontInfo font{pStrFontName, nSize, bBold, bUnderline, bItalic};
  if (bShared) {
    AddSharedFont(id, font);
  } else {
    m_fonts[id] = font;
    NeedUpdate();
  }
  return true;
}

void CPaintManagerUI::RemoveFont(int id, bool bShared) {
  if (bShared) {
    Process().sharedFonts.erase(id);
  } else {
    m_fonts.erase(id);
  }
}

void CPaintManagerUI::RemoveAllFonts(bool bShared) {
  if (bShared) {
    Process().sharedFonts.clear();
  } else {
    m_fonts.clear();
  }
}

TFontInfo CPaintManagerUI::GetFont(int id) const {
  if (auto it = m_fonts.find(id); it != m_fonts.end()) return InInterfaceFace(it->second);
  if (auto it = Process().sharedFonts.find(id); it != Process().sharedFonts.end()) return InInterfaceFace(it->second);
  return GetDefaultFontInfo();
}

TFontInfo CPaintManagerUI::GetDefaultFontInfo() const {
  if (m_defaultFont) return InInterfaceFace(*m_defaultFont);
  if (Process().sharedDefaultFont) return InInterfaceFace(*Process().sharedDefaultFont);
  return InInterfaceFace(BuiltInDefaultFont());
}

bool CPaintManagerUI::HasFont(int id) const { return m_fonts.count(id) > 0 || Process().sharedFonts.count(id) > 0; }

// ---- Images ----

bool CPaintManagerUI::GetImageSize(LPCTSTR pStrImage, SIZE& size) {
  return CRenderEngine::GetImageSize(this, pStrImage, size);
}

const TImageInfo* CPaintManagerUI::GetImageEx(LPCTSTR pStrImage) {
  CDuiString key(pStrImage);
  if (auto it = m_imageInfos.find(key); it != m_imageInfos.end()) return &it->second;
  SIZE size;
  if (!GetImageSize(pStrImage, size)) return nullptr;
  return &m_imageInfos.emplace(key, TImageInfo{size.cx, size.cy}).first->second;
}

// ---- Styles and defaults ----

void CPaintManagerUI::AddStyle(LPCTSTR pName, TAttributeList attributes, bool bShared) {
  if (bShared) {
    AddSharedStyle(pName, std::move(attributes));
  } else {
    m_styles[CDuiString(pName)] = std::move(attributes);
  }
}

const TAttributeList* CPaintManagerUI::GetStyle(LPCTSTR pName) const {
  CDuiString name(pName);
  if (auto it = m_styles.find(name); it != m_styles.end()) return &it->second;
  return GetSharedStyle(pName);
}

void CPaintManagerUI::AddDefaultAttributeList(LPCTSTR pStrControlName, TAttributeList attributes, bool bShared) {
  if (bShared) {
    AddSharedDefaultAttributeList(pStrControlName, std::move(attributes));
  } else {
    m_defaultAttributes[LowerKey(pStrControlName)] = std::move(attributes);
  }
}

const TAttributeList* CPaintManagerUI::GetDefaultAttributeList(LPCTSTR pStrControlName) const {
  CDuiString key = LowerKey(pStrControlName);
  if (auto it = m_defaultAttributes.find(key); it != m_defaultAttributes.end()) return &it->second;
  return GetSharedDefaultAttributeList(pStrControlName);
}

void CPaintManagerUI::SetSharedDefaultFont(const TFontInfo& font) {
  Process().sharedDefaultFont = std::make_unique<TFontInfo>(font);
  for (CPaintManagerUI* manager : Process().managers) manager->NeedUpdate();
}

void CPaintManagerUI::AddSharedFont(int id, const TFontInfo& font) {
  Process().sharedFonts[id] = font;
  for (CPaintManagerUI* manager : Process().managers) manager->NeedUpdate();
}

void CPaintManagerUI::SetInterfaceFontFace(LPCTSTR face) {
  Process().interfaceFontFace = face ? face : "";
  for (CPaintManagerUI* manager : Process().managers) {
    manager->NeedUpdate();
    manager->Invalidate();
  }
}

CDuiString CPaintManagerUI::GetInterfaceFontFace() { return Process().interfaceFontFace; }

void CPaintManagerUI::AddSharedStyle(LPCTSTR pName, TAttributeList attributes) {
  Process().sharedStyles[CDuiString(pName)] = std::move(attributes);
}

const TAttributeList* CPaintManagerUI::GetSharedStyle(LPCTSTR pName) {
  auto it = Process().sharedStyles.find(CDuiString(pName));
  return it == Process().sharedStyles.end() ? nullptr : &it->second;
}

void CPaintManagerUI::AddSharedDefaultAttributeList(LPCTSTR pStrControlName, TAttributeList attributes) {
  Process().sharedDefaults[LowerKey(pStrControlName)] = std::move(attributes);
}

const TAttributeList* CPaintManagerUI::GetSharedDefaultAttributeList(LPCTSTR pStrControlName) {
  auto it = Process().sharedDefaults.find(LowerKey(pStrControlName));
  return it == Process().sharedDefaults.end() ? nullptr : &it->second;
}

void CPaintManagerUI::RemoveAllSharedStyles() {
  Process().sharedStyles.clear();
  Process().sharedDefaults.clear();
}

// ---- The control tree ----

bool CPaintManagerUI::AttachDialog(CControlUI* pControl) {
  if (!pControl) return false;
  SetFocus(nullptr);
  m_pEventHover = nullptr;
  m_pEventClick = nullptr;
  if (m_pRoot && m_pRoot != pControl) {
    CControlUI* old = m_pRoot;
    m_pRoot = nullptr;
    AddDelayedCleanup(old);
  }
  m_pRoot = pControl;
  m_bUpdateNeeded = true;
  m_bFirstLayout = true;
  return InitControls(pControl);
}

bool CPaintManagerUI::InitControls(CControlUI* pControl, CControlUI* pParent) {
  if (!pControl) return false;
  pControl->SetManager(this, pParent ? pParent : pControl->GetParent(), true);
  return true;
}

void CPaintManagerUI::ReapObjects(CControlUI* pControl) {
  if (!pControl) return;
  auto inSubtree = [pControl](CControlUI* candidate) {
    for (CControlUI* at = candidate; at; at = at->GetParent()) {
      if (at == pControl) return true;
    }
    return false;
  };
  if (inSubtree(m_pFocus)) m_pFocus = nullptr;
  if (inSubtree(m_pEventHover)) m_pEventHover = nullptr;
  if (inSubtree(m_pEventClick)) m_pEventClick = nullptr;
  if (pControl == m_pRoot) m_pRoot = nullptr;
  for (auto it = m_timers.begin(); it != m_timers.end();) {
    it = inSubtree(it->first.first) ? m_timers.erase(it) : std::next(it);
  }
  for (auto& [group, members] : m_optionGroups) {
    members.erase(std::remove_if(members.begin(), members.end(), inSubtree), members.end());
  }
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI* pControl) {
  if (!pControl) return;
  ReapObjects(pControl);
  pControl->SetManager(nullptr, nullptr, false);
  m_delayedCleanup.push_back(pControl);
  if (m_bCleanupPosted) return;
  m_bCleanupPosted = true;
  bool posted = PostUiTask([this, alive = m_alive] {
    if (*alive) RunDelayedCleanup();
  });
  if (!posted) RunDelayedCleanup();
}

void CPaintManagerUI::RunDelayedCleanup() {
  m_bCleanupPosted = false;
  std::vector<CControlUI*> controls;
  controls.swap(m_delayedCleanup);
  for (CControlUI* control : controls) delete control;
}

CControlUI* CPaintManagerUI::FindControl(POINT pt) const {
  if (!m_pRoot) return nullptr;
  return m_pRoot->FindControl(FindByPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindControl(LPCTSTR pstrName) const { return FindSubControlByName(m_pRoot, pstrName); }

CControlUI* CPaintManagerUI::FindSubControlByPoint(CControlUI* pParent, POINT pt) const {
  if (!pParent) pParent = m_pRoot;
  if (!pParent) return nullptr;
  return pParent->FindControl(FindByPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* pParent, LPCTSTR pstrName) const {
  if (!pParent || !pstrName || !*pstrName) return nullptr;
  return pParent->FindControl(FindByName, const_cast<char*>(pstrName), UIFIND_ALL | UIFIND_ME_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByClass(CControlUI* pParent, LPCTSTR pstrClass, int iIndex) const {
  std::vector<CControlUI*> found = FindSubControlsByClass(pParent, pstrClass);
  if (iIndex < 0 || iIndex >= int(found.size())) return nullptr;
  return found[size_t(iIndex)];
}

std::vector<CControlUI*> CPaintManagerUI::FindSubControlsByClass(CControlUI* pParent, LPCTSTR pstrClass) const {
  std::vector<CControlUI*> found;
  if (!pParent) pParent = m_pRoot;
  if (!pParent) return found;
  ClassSearch search{CDuiString(pstrClass), &found};
  pParent->FindControl(CollectByClass, &search, UIFIND_ALL | UIFIND_ME_FIRST);
  return found;
}

// ---- Option groups ----

bool CPaintManagerUI::AddOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl) {
  auto& members = m_optionGroups[CDuiString(pStrGroupName)];
  if (std::find(members.begin(), members.end(), pControl) != members.end()) return false;
  members.push_back(pControl);
  return true;
}

const std::vector<CControlUI*>* CPaintManagerUI::GetOptionGroup(LPCTSTR pStrGroupName) const {
  auto it = m_optionGroups.find(CDuiString(pStrGroupName));
  return it == m_optionGroups.end() ? nullptr : &it->second;
}

void CPaintManagerUI::RemoveOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl) {
  auto it = m_optionGroups.find(CDuiString(pStrGroupName));
  if (it == m_optionGroups.end()) return;
  auto& members = it->second;
  members.erase(std::remove(members.begin(), members.end(), pControl), members.end());
  if (members.empty()) m_optionGroups.erase(it);
}

void CPaintManagerUI::RemoveAllOptionGroups() { m_optionGroups.clear(); }

void CPaintManagerUI::SetCapture() { m_bMouseCapture = true; }
void CPaintManagerUI::ReleaseCapture() { m_bMouseCapture = false; }

// ---- Painting ----

void CPaintManagerUI::DoPaint(HDC hDC, const RECT& rcPaint) {
  if (m_pRoot && m_bUpdateNeeded && !m_bInLayout) {
    bool firstLayout = m_bFirstLayout;
    // Lay out only; "windowinit" is left to the posted first-layout task.
    m_bFirstLayout = false;
    UpdateLayout();
    m_bFirstLayout = firstLayout;
  }
  if (m_pRoot && m_pRoot->IsVisible()) m_pRoot->Paint(hDC, rcPaint, nullptr);
}

void CPaintManagerUI::PaintOffscreen(HDC hDC, SIZE size) {
  m_szOffscreen = size;
  m_bUpdateNeeded = true;
  DoPaint(hDC, RECT{0, 0, size.cx, size.cy});
  m_szOffscreen = SIZE{};
  m_bUpdateNeeded = true;
  Invalidate();
}
