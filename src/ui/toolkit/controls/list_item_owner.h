#pragma once
#include <vector>

#include "ui/toolkit/controls/list_interfaces.h"

class CContainerUI;

// The selection and item bookkeeping lists and combos share (internal): indexes of every item
// (hidden ones included), the selected set, the current item, and the item... attributes.
class CListItemOwner {
 public:
  explicit CListItemOwner(CContainerUI* items) : items_(items) {}

  TListInfoUI& Info() { return info_; }
  int CurSel() const { return curSel_; }
  const std::vector<int>& Selected() const { return selected_; }
  IListItemUI* ItemAt(int index) const;

  // Item bookkeeping after the container inserted or removed index.
  void ItemInserted(int index, CControlUI* owner);
  // Returns true when the removed item was the current one.
  bool ItemRemoved(int index);
  void Reset();

  // Selection changes; each returns true when the selection changed.
  bool SelectOnly(int index);
  bool AddToSelection(int index);
  bool RemoveFromSelection(int index);
  // The nearest visible, enabled item from index going forward (or back), or -1.
  int FindSelectable(int index, bool forward) const;

  // An item... attribute; false when the name is not one.
  bool SetItemAttribute(const CDuiString& name, const CDuiString& value);

 private:
  void Renumber(int from);

  CContainerUI* items_;
  TListInfoUI info_;
  int curSel_ = -1;
  std::vector<int> selected_;
};
