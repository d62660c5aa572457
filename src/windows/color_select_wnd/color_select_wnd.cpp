#include "windows/color_select_wnd/color_select_wnd.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/debug_output.h"
#include "ui/toolkit/controls/color_palette_ui.h"
#include "ui/toolkit/controls/edit_ui.h"
#include "ui/toolkit/controls/option_ui.h"
#include "ui/toolkit/dpi.h"
#include "ui/toolkit/window_api.h"
#include "windows/color_select_wnd/color_select_controls.h"

using namespace color_select;

namespace {

using Wnd = CColorSelectWnd;

constexpr uintptr_t kScreenshotTimer = 1;
// Long enough for the first paint of every swatch and image after the first layout.
constexpr UINT kScreenshotDelayMs = 300;

DWORD Opaque(DWORD argb) { return argb | 0xFF000000u; }

template <typename T>
T* Find(CPaintManagerUI& manager, const std::string& name, const char* kind) {
  CControlUI* control = manager.FindControl(name.c_str());
  return control ? static_cast<T*>(control->GetInterface(kind)) : nullptr;
}

}  // namespace

const RouteRow<CColorSelectWnd> CColorSelectWnd::kRouteRows[] = {
    {NotifyKind::kClick, kCloseButton, false, &Wnd::OnClose},
    {NotifyKind::kClick, kCancelButton, false, &Wnd::OnClose},
    {NotifyKind::kClick, kOkButton, false, &Wnd::OnOk},
    // A click arrives before the option changes state: a preset that is already chosen is taken
    // again, so it can be collected or brought back after the palette or the numbers changed it.
    {NotifyKind::kClick, kPreset, true, &Wnd::OnPresetClicked},
    {NotifyKind::kSelectChanged, kPreset, true, &Wnd::OnPresetSelected},
    {NotifyKind::kSelectChanged, kCollected, true, &Wnd::OnCollectedSelected},
    {NotifyKind::kSelectChanged, kSevenColour, false, &Wnd::OnSevenColour},
    {NotifyKind::kColorChanged, kPalette, false, &Wnd::OnPaletteColour},
    {NotifyKind::kFocusLost, kRedEdit, false, &Wnd::OnComponentTyped},
    {NotifyKind::kFocusLost, kGreenEdit, false, &Wnd::OnComponentTyped},
    {NotifyKind::kFocusLost, kBlueEdit, false, &Wnd::OnComponentTyped},
    {NotifyKind::kReturn, kRedEdit, false, &Wnd::OnComponentTyped},
    {NotifyKind::kReturn, kGreenEdit, false, &Wnd::OnComponentTyped},
    {NotifyKind::kReturn, kBlueEdit, false, &Wnd::OnComponentTyped},
};

std::span<const RouteRow<CColorSelectWnd>> CColorSelectWnd::Rows() { return kRouteRows; }

CColorSelectWnd::CColorSelectWnd(std::string userOptionPath, std::string factoryOptionPath)
    : m_file(std::move(userOptionPath), std::move(factoryOptionPath)) {}

CDuiString CColorSelectWnd::GetSkinFile() { return kLayoutFile; }

// The controls are found, and the stored colours put onto them, as soon as the layout exists, so
// the opener's colour and every click already meet the loaded window.
void CColorSelectWnd::InitWindow() {
  m_pPalette = Find<CColorPaletteUI>(m_pm, kPalette, "ColorPalette");
  m_pPreview = m_pm.FindControl(kPreview);
  m_edits = {Find<CEditUI>(m_pm, kRedEdit, "Edit"), Find<CEditUI>(m_pm, kGreenEdit, "Edit"),
             Find<CEditUI>(m_pm, kBlueEdit, "Edit")};
  m_pSevenColour = Find<COptionUI>(m_pm, kSevenColour, "Option");
  m_pSevenColourLayout = m_pm.FindControl(kSevenColourLayout);
  for (int i = 0; i < kColourOptionSlots; ++i) {
    m_presets[static_cast<size_t>(i)] = Find<COptionUI>(m_pm, kPreset + std::to_string(i), "Option");
    m_collected[static_cast<size_t>(i)] = Find<COptionUI>(m_pm, kCollected + std::to_string(i), "Option");
  }
  SetCurrentColour(m_dwCurrentColour);
  ShowSevenColour(m_bSevenColour);
  LoadCollectedColours();
}

void CColorSelectWnd::LoadCollectedColours() {
  m_file.Load();
  for (const DamagedFileNotice& notice : m_file.Notices()) {
    OutputDebugString("colour options were damaged and are kept as " + notice.keptAs);
  }
  for (int i = 0; i < kColourOptionSlots; ++i) {
    const std::optional<CollectedColour> stored = m_file.Collected(i);
    COptionUI* slot = CollectedSlot(i);
    if (!stored || !slot) continue;
    slot->SetBkColor(0xFFFFFFFF);
    slot->SetSelectedBkColor(0xFFFFFFFF);
    slot->SetUserData(stored->userData.c_str());
    if (stored->Filled()) {
      slot->SetBkColor(Opaque(stored->colour));
      slot->SetSelectedBkColor(Opaque(stored->colour));
      slot->SetBorderSize(0);
    }
  }
  if (m_file.HasCollectedSelection()) m_nCollectedSlot = kNoCollectedSlot;
}

void CColorSelectWnd::SetWindowDpi(int dpi) {
  if (dpi == m_nDpi) return;
  if (CDPI::IsValidDPI(dpi)) {
    m_nDpi = dpi;
  } else {
    OutputDebugString("SET_WND DPI SET ERROR");
    m_nDpi = 96;
  }
  CPaintManagerUI::SetAllDPI(m_nDpi);
}

void CColorSelectWnd::SetCurrentColour(DWORD argb) {
  if (m_pPreview) {
    m_pPreview->SetBkImage("");
    m_pPreview->SetBkColor(argb);
  }
  SelectInPalette(argb);
  m_dwCurrentColour = argb;
  ShowComponents(argb);
}

DWORD CColorSelectWnd::GetReturnedColour() const { return m_pPreview ? m_pPreview->GetBkColor() : 0; }

void CColorSelectWnd::ApplyCurrentColour() {
  if (COptionUI* slot = CollectedSlot(m_nCollectedSlot); slot && slot->IsSelected()) {
    slot->SetBkColor(m_dwCurrentColour);
    slot->SetSelectedBkColor(m_dwCurrentColour);
    slot->SetUserData(std::string(kCollectedSlotFilled).c_str());
    slot->SetBorderSize(0);
    SaveCollectedColours();
  }
  if (m_pPreview) m_pPreview->SetBkColor(m_dwCurrentColour);
  ShowSevenColour(false);
}

void CColorSelectWnd::ShowSevenColour(bool on) {
  m_bSevenColour = on;
  if (m_pSevenColour) m_pSevenColour->Selected(on, false);
  if (m_pPreview) m_pPreview->SetBkImage(on ? kSevenColourImage : "");
}

void CColorSelectWnd::EnableSevenColourChoice(bool enable) {
  if (m_pSevenColour) m_pSevenColour->SetEnabled(enable);
  if (m_pSevenColourLayout) m_pSevenColourLayout->SetVisible(enable);
  if (!enable && m_pSevenColour) m_pSevenColour->Selected(false, false);
}

void CColorSelectWnd::ShowComponents(DWORD argb) {
  const DWORD components[] = {(argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF};
  for (size_t i = 0; i < m_edits.size(); ++i) {
    if (m_edits[i]) m_edits[i]->SetText(std::to_string(components[i]).c_str());
  }
}

void CColorSelectWnd::SelectInPalette(DWORD argb) {
  if (m_pPalette) m_pPalette->SetSelectColor(argb);
}

COptionUI* CColorSelectWnd::Preset(int index) const {
  return index >= 0 && index < kColourOptionSlots ? m_presets[static_cast<size_t>(index)] : nullptr;
}

COptionUI* CColorSelectWnd::CollectedSlot(int index) const {
  return index >= 0 && index < kColourOptionSlots ? m_collected[static_cast<size_t>(index)] : nullptr;
}

void CColorSelectWnd::SavePresets() {
  std::array<std::optional<uint32_t>, kColourOptionSlots> colours{};
  for (int i = 0; i < kColourOptionSlots; ++i) {
    if (const COptionUI* preset = Preset(i)) colours[static_cast<size_t>(i)] = preset->GetBkColor();
  }
  if (!m_file.SavePresets(colours, m_nSelectedPreset)) OutputDebugString("colour presets not saved");
}

void CColorSelectWnd::SaveCollectedColours() {
  std::array<std::optional<CollectedColour>, kColourOptionSlots> slots{};
  for (int i = 0; i < kColourOptionSlots; ++i) {
    if (const COptionUI* slot = CollectedSlot(i)) {
      slots[static_cast<size_t>(i)] = CollectedColour{slot->GetBkColor(), slot->GetUserData().str()};
    }
  }
  if (!m_file.SaveCollected(slots, m_nCollectedSlot)) OutputDebugString("collected colours not saved");
}

// ---- notifications ----

void CColorSelectWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == DUI_MSGTYPE_WINDOWINIT && !m_sScreenshotPath.empty()) {
    ::SetTimer(m_hWnd, kScreenshotTimer, kScreenshotDelayMs);
  }
  if (const std::optional<NotifyKind> kind = NotifyKindOf(msg.sType.str())) {
    if (DispatchRoute(Rows(), *this, *kind, msg)) {
      msg.bHandled = true;
      return;
    }
  }
  WindowImplBase::Notify(msg);
}

// The base window would close with IDCANCEL on "closebtn"; this window's caller knows 0 and 1.
void CColorSelectWnd::OnClick(TNotifyUI&) {}

void CColorSelectWnd::OnClose(TNotifyUI&, int) { Close(kCancelled); }

void CColorSelectWnd::OnOk(TNotifyUI&, int) {
  if (!m_pPalette) {
    Close(kNoPalette);
    return;
  }
  m_dwCurrentColour = GetReturnedColour();
  Close(kConfirmed);
}

void CColorSelectWnd::OnPresetSelected(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) UsePreset(index);
}

void CColorSelectWnd::OnPresetClicked(TNotifyUI& msg, int index) {
  if (IsSelectedOption(msg)) UsePreset(index);
}

void CColorSelectWnd::UsePreset(int index) {
  const COptionUI* preset = Preset(index);
  if (!preset) return;
  m_nSelectedPreset = index;
  SavePresets();
  m_dwCurrentColour = Opaque(preset->GetBkColor());
  SelectInPalette(m_dwCurrentColour);
  ApplyCurrentColour();
  ShowComponents(m_dwCurrentColour);
}

void CColorSelectWnd::OnCollectedSelected(TNotifyUI& msg, int index) {
  if (!IsSelectedOption(msg)) return;
  m_nCollectedSlot = index;
  const COptionUI* slot = CollectedSlot(index);
  if (!slot || slot->GetUserData().str() != kCollectedSlotFilled) return;
  SaveCollectedColours();
  const DWORD colour = Opaque(slot->GetBkColor());
  if (m_pPreview) m_pPreview->SetBkColor(colour);
  ShowSevenColour(false);
  SelectInPalette(colour);
  ShowComponents(colour);
}

void CColorSelectWnd::OnPaletteColour(TNotifyUI&, int) {
  if (!m_pPalette) return;
  m_dwCurrentColour = m_pPalette->GetSelectColor();
  ApplyCurrentColour();
  ShowComponents(m_dwCurrentColour);
}

// All three numbers are read whenever one field is left: above 255 is 255, empty is 0, and each
// field then shows the number taken.
void CColorSelectWnd::OnComponentTyped(TNotifyUI&, int) {
  DWORD colour = 0xFF000000u;
  for (size_t i = 0; i < m_edits.size(); ++i) {
    const std::string text = m_edits[i] ? m_edits[i]->GetText().str() : std::string();
    const long typed = text.empty() ? 0 : std::strtol(text.substr(0, 6).c_str(), nullptr, 10);
    const DWORD value = static_cast<DWORD>(std::clamp(typed, 0L, 255L));
    if (m_edits[i] && text != std::to_string(value)) m_edits[i]->SetText(std::to_string(value).c_str());
    colour |= value << (16 - 8 * i);
  }
  m_dwCurrentColour = colour;
  SelectInPalette(colour);
  ApplyCurrentColour();
}

void CColorSelectWnd::OnSevenColour(TNotifyUI& msg, int) {
  m_bSevenColour = IsSelectedOption(msg);
  if (m_pPreview) m_pPreview->SetBkImage(m_bSevenColour ? kSevenColourImage : "");
}

// ---- window messages ----

LRESULT CColorSelectWnd::ResponseDefaultKeyEvent(WPARAM wParam) {
  if (wParam != VK_ESCAPE) return 0;
  Close(kCancelled);
  return 1;
}

LRESULT CColorSelectWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
  bHandled = false;
  if (uMsg == WM_DPICHANGED) FollowDpiChange(wParam, lParam);
  if (uMsg == WM_TIMER && wParam == kScreenshotTimer) {
    bHandled = true;
    ::KillTimer(m_hWnd, kScreenshotTimer);
    m_pm.UpdateLayout();
    m_bScreenshotSaved = m_pm.SaveWindowImage(m_sScreenshotPath);
    Close(kCancelled);
  }
  return 0;
}

void CColorSelectWnd::FollowDpiChange(WPARAM wParam, LPARAM lParam) {
  m_nDpi = LOWORD(wParam);
  m_pm.SetDPI(m_nDpi);
  m_pm.ResetDPIAssets();
  if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
    SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, RectWidth(*suggested), RectHeight(*suggested),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  m_pm.NeedUpdate();
}
