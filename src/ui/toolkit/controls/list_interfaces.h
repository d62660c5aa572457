#pragma once
#include "ui/toolkit/control_ui.h"

// How a list (or a combo's drop-down) draws its items; set with the list's item... attributes.
struct TListInfoUI {
  int nFont = -1;
  UINT uTextStyle = DT_VCENTER | DT_SINGLELINE;
  RECT rcTextPadding{6, 0, 6, 0};
  int nItemHeight = 24;
  DWORD dwTextColor = 0;
  DWORD dwBkColor = 0;
  DWORD dwSelectedTextColor = 0;
  DWORD dwSelectedBkColor = 0;
  DWORD dwHotTextColor = 0;
  DWORD dwHotBkColor = 0;
  DWORD dwDisabledTextColor = 0;
  DWORD dwLineColor = 0;
  DWORD dwHotBorderColor = 0;
  CDuiString sBkImage;
  CDuiString sSelectedImage;
  CDuiString sHotImage;
  CDuiString sDisabledImage;
};

// The list side of list items: items ask it to change the selection. Indexes count every item,
// hidden ones included.
class IListOwnerUI {
 public:
  virtual ~IListOwnerUI() = default;
  virtual TListInfoUI* GetListInfo() = 0;
  virtual int GetCurSel() const = 0;
  // -1 selects nothing. Sends "itemselect" (wParam new index, lParam old) when the trigger is on
  // and the selection changed.
  virtual bool SelectItem(int iIndex, bool bTrigger = true) = 0;
  // Adds to the selection (Ctrl+click on container elements).
  virtual bool SelectMultiItem(int iIndex, bool bTrigger = true) = 0;
  virtual bool UnSelectItem(int iIndex, bool bTrigger = true) = 0;
  virtual void DoEvent(TEventUI& event) = 0;
};

class IListItemUI {
 public:
  virtual ~IListItemUI() = default;
  virtual int GetIndex() const = 0;
  virtual void SetIndex(int iIndex) = 0;
  virtual IListOwnerUI* GetOwner() = 0;
  virtual void SetOwner(CControlUI* pOwner) = 0;
  virtual bool IsSelected() const = 0;
  // Changes the item's own state and, when selecting, asks the owner to make it the selection.
  virtual bool Select(bool bSelect = true, bool bTrigger = true) = 0;
  // Only the item's own state (the owner is not told); used by owners.
  virtual void SetSelectedState(bool bSelected) = 0;
};
