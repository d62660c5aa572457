#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/controls/list_interfaces.h"
#include "ui/toolkit/controls/list_item_owner.h"

class CComboWnd;

// A drop-down choice. The items are list elements held by the combo; the combo shows the
// current item's text, and a click (or Space/Enter) opens a drop-down window listing them.
// An item's index counts every item, hidden ones included; -1 selects nothing.
//
// Choosing an item sends "itemselect" (wParam new index, lParam old). As for lists, the flag of
// RemoveAt is the trigger: removing the current item selects its neighbour and sends
// "itemselect" unless bTrigger is false. The mouse wheel over the focused combo moves the
// selection. Attributes: textpadding, textcolor, font, normalimage, hotimage, pushedimage,
// focusedimage, disabledimage, dropboxsize ("0,150": width 0 = the combo's), dropboxbkcolor,
// arrowcolor, and the list's item... set.
//
// A combo whose items follow a length rule can be given the widest texts the rule allows
// (SetWidthSamples): it is then never narrower than it takes to show each of them whole.
class CComboUI : public CContainerUI, public IListOwnerUI {
 public:
  CComboUI();
  ~CComboUI() override;
  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;
  UINT GetControlFlags() const override;

  CDuiString GetText() const override;
  void SetEnabled(bool bEnable = true) override;

  bool Add(CControlUI* pControl) override;
  bool AddAt(CControlUI* pControl, int iIndex) override;
  bool Remove(CControlUI* pControl, bool bDoNotDestroy = false) override;
  bool RemoveAt(int iIndex, bool bTrigger = true) override;
  void RemoveAll() override;

  TListInfoUI* GetListInfo() override { return &m_owner.Info(); }
  int GetCurSel() const override { return m_owner.CurSel(); }
  // Any thread.
  bool SelectItem(int iIndex, bool bTrigger = true) override;
  bool SelectMultiItem(int iIndex, bool bTrigger = true) override;
  bool UnSelectItem(int iIndex, bool bTrigger = true) override;

  // Opens the drop-down (when enabled and visible).
  bool Activate() override;
  void CloseDropDown();
  // The open drop-down window, or null.
  HWND GetDropDownWindow() const;
  SIZE GetDropBoxSize() const { return m_szDropBox; }
  DWORD GetDropBoxBkColor() const { return m_dwDropBoxBkColor; }

  RECT GetTextPadding() const;
  void SetTextPadding(RECT rc);
  void SetNormalImage(LPCTSTR pStrImage);

  // The combo is at least as wide as the widest sample with the text padding, in its font. The
  // samples are measured again when the font or the DPI has changed.
  void SetWidthSamples(std::vector<CDuiString> samples);
  SIZE EstimateSize(SIZE szAvailable) override;
  // Whether the current item's text is shown whole, not cut short with an ellipsis.
  bool ShowsTextWhole();

  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
  CControlUI* FindControl(FINDCONTROLPROC Proc, void* pData, UINT uFlags) override;
  bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

 private:
  friend class CComboWnd;
  bool RemoveItemAt(int iIndex, bool bDoNotDestroy, bool bTrigger);
  void NotifySelection(int oldSel);
  void MoveSelection(bool forward);
  int TextFont();
  int WidestSampleWidth();

  CListItemOwner m_owner{this};
  std::unique_ptr<CComboWnd> m_pWindow;
  UINT m_uButtonState = 0;
  RECT m_rcTextPadding{6, 0, 24, 0};
  DWORD m_dwTextColor = 0;
  int m_iFont = -1;
  SIZE m_szDropBox{0, 150};
  DWORD m_dwDropBoxBkColor = 0xFFFFFFFF;
  DWORD m_dwArrowColor = 0;
  CDuiString m_sNormalImage;
  CDuiString m_sHotImage;
  CDuiString m_sPushedImage;
  CDuiString m_sFocusedImage;
  CDuiString m_sDisabledImage;
  std::vector<CDuiString> m_widthSamples;
  std::string m_samplesMeasuredIn;  // the font and DPI of m_widestSample
  int m_widestSample = 0;
};
