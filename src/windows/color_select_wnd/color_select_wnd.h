#pragma once

#include <array>
#include <span>
#include <string>

#include "profiles/settings/colour_option_file.h"
#include "ui/toolkit/control_routes.h"
#include "ui/toolkit/window_impl_base.h"

class CColorPaletteUI;
class CEditUI;
class COptionUI;

// The modal window in which the user picks one colour: a palette, twenty presets, the red, green
// and blue numbers, and twenty slots of the user's own colours kept in color_option_info.config.
// The opener creates it, gives it the DPI and the colour to start from, and runs it modally:
// result kConfirmed ("okbtn"; the colour is then CurrentColour()), kCancelled, or kNoPalette for a
// layout without a palette, which the opener takes as a cancel. The object outlives its window,
// so the opener reads the colour after the modal loop and then deletes it.
class CColorSelectWnd : public WindowImplBase {
 public:
  static constexpr UINT kCancelled = 0;
  static constexpr UINT kConfirmed = 1;
  static constexpr UINT kNoPalette = 2;
  static constexpr int kNoCollectedSlot = -1;

  CColorSelectWnd(std::string userOptionPath, std::string factoryOptionPath);

  LPCTSTR GetWindowClassName() const override { return "ColorSelectWnd"; }

  // 48, 72, 96, 120, 144, 168 or 192 is kept; any other value is traced and 96 is used. Every
  // window of the program is then at that DPI.
  void SetWindowDpi(int dpi);
  int GetWindowDpi() const { return m_nDpi; }
  // The preview, the palette and the numbers show `argb`, which becomes the current colour.
  void SetCurrentColour(DWORD argb);
  DWORD GetCurrentColour() const { return m_dwCurrentColour; }
  // The colour the window returns: the preview's.
  DWORD GetReturnedColour() const;
  void EnableSevenColourChoice(bool enable);
  bool IsSevenColour() const { return m_bSevenColour; }
  int GetSelectedPreset() const { return m_nSelectedPreset; }
  int GetCollectedSlot() const { return m_nCollectedSlot; }
  const CColourOptionFile& OptionFile() const { return m_file; }

  // --screenshot: once laid out and painted, the window saves itself as a PNG and closes with
  // kCancelled. ScreenshotSaved says whether the picture was written.
  void SaveScreenshotAndClose(std::string path) { m_sScreenshotPath = std::move(path); }
  bool ScreenshotSaved() const { return m_bScreenshotSaved; }

  static std::span<const RouteRow<CColorSelectWnd>> Rows();

 protected:
  CDuiString GetSkinFile() override;
  void InitWindow() override;
  void Notify(TNotifyUI& msg) override;
  void OnClick(TNotifyUI& msg) override;
  LRESULT ResponseDefaultKeyEvent(WPARAM wParam) override;
  LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

 private:
  static const RouteRow<CColorSelectWnd> kRouteRows[];

  void OnCancel(TNotifyUI& msg, int index);
  void OnOk(TNotifyUI& msg, int index);
  void OnPresetSelected(TNotifyUI& msg, int index);
  void OnPresetClicked(TNotifyUI& msg, int index);
  void OnCollectedSelected(TNotifyUI& msg, int index);
  void OnPaletteColour(TNotifyUI& msg, int index);
  void OnComponentTyped(TNotifyUI& msg, int index);
  void OnSevenColour(TNotifyUI& msg, int index);

  // The file's collected colours onto the slots; no slot is chosen afterwards.
  void LoadCollectedColours();
  void UsePreset(int index);
  // The current colour goes into the chosen collected slot (saved), and onto the preview.
  void ApplyCurrentColour();
  void ShowSevenColour(bool on);
  void ShowComponents(DWORD argb);
  void SelectInPalette(DWORD argb);
  void SavePresets();
  void SaveCollectedColours();
  COptionUI* Preset(int index) const;
  COptionUI* CollectedSlot(int index) const;
  void FollowDpiChange(WPARAM wParam, LPARAM lParam);

  CColourOptionFile m_file;
  CColorPaletteUI* m_pPalette = nullptr;
  CControlUI* m_pPreview = nullptr;
  std::array<CEditUI*, 3> m_edits{};
  COptionUI* m_pSevenColour = nullptr;
  CControlUI* m_pSevenColourLayout = nullptr;
  std::array<COptionUI*, kColourOptionSlots> m_presets{};
  std::array<COptionUI*, kColourOptionSlots> m_collected{};

  int m_nDpi = 96;
  DWORD m_dwCurrentColour = 0;
  int m_nSelectedPreset = 4;
  int m_nCollectedSlot = 0;
  bool m_bSevenColour = false;
  std::string m_sScreenshotPath;
  bool m_bScreenshotSaved = false;
};
