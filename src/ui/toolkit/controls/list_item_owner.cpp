#include "ui/toolkit/controls/list_item_owner.h"

#include <algorithm>

#include "ui/toolkit/attribute_values.h"
#include "ui/toolkit/container_ui.h"

IListItemUI* CListItemOwner::ItemAt(int index) const {
  CControlUI* control = items_->GetItemAt(index);
  return control ? static_cast<IListItemUI*>(control->GetInterface("ListItem")) : nullptr;
}

void CListItemOwner::Renumber(int from) {
  for (int i = std::max(0, from); i < items_->GetCount(); ++i) {
    if (IListItemUI* item = ItemAt(i)) item->SetIndex(i);
  }
}

void CListItemOwner::ItemInserted(int index, CControlUI* owner) {
  if (IListItemUI* item = ItemAt(index)) item->SetOwner(owner);
  Renumber(index);
  for (int& selected : selected_) {
    if (selected >= index) ++selected;
  }
  if (curSel_ >= index) ++curSel_;
}

bool CListItemOwner::ItemRemoved(int index) {
  Renumber(index);
  bool wasCurrent = curSel_ == index;
  selected_.erase(std::remove(selected_.begin(), selected_.end(), index), selected_.end());
  for (int& selected : selected_) {
    if (selected > index) --selected;
  }
  if (wasCurrent) {
    curSel_ = selected_.empty() ? -1 : selected_.back();
  } else if (curSel_ > index) {
    --curSel_;
  }
  return wasCurrent;
}

void CListItemOwner::Reset() {
  curSel_ = -1;
  selected_.clear();
}

bool CListItemOwner::SelectOnly(int index) {
  if (index == curSel_ && selected_.size() == (index < 0 ? 0u : 1u)) return false;
  for (int selected : selected_) {
    if (IListItemUI* item = ItemAt(selected)) item->SetSelectedState(false);
  }
  selected_.clear();
  curSel_ = -1;
  IListItemUI* item = ItemAt(index);
  if (!item) return true;
  item->SetSelectedState(true);
  selected_.push_back(index);
  curSel_ = index;
  return true;
}

bool CListItemOwner::AddToSelection(int index) {
  IListItemUI* item = ItemAt(index);
  if (!item || std::find(selected_.begin(), selected_.end(), index) != selected_.end()) return false;
  item->SetSelectedState(true);
  selected_.push_back(index);
  curSel_ = index;
  return true;
}

bool CListItemOwner::RemoveFromSelection(int index) {
  auto it = std::find(selected_.begin(), selected_.end(), index);
  if (it == selected_.end()) return false;
  selected_.erase(it);
  if (IListItemUI* item = ItemAt(index)) item->SetSelectedState(false);
  if (curSel_ == index) curSel_ = selected_.empty() ? -1 : selected_.back();
  return true;
}

int CListItemOwner::FindSelectable(int index, bool forward) const {
  int count = items_->GetCount();
  if (count == 0) return -1;
  index = std::clamp(index, 0, count - 1);
  for (int step = 0; step < 2; ++step) {
    for (int i = index; i >= 0 && i < count; i += forward ? 1 : -1) {
      CControlUI* control = items_->GetItemAt(i);
      if (control->GetInterface("ListItem") && control->IsVisible() && control->IsEnabled()) return i;
    }
    forward = !forward;
  }
  return -1;
}

bool CListItemOwner::SetItemAttribute(const CDuiString& name, const CDuiString& value) {
  std::string_view v = value.str();
  if (name == "itemfont") {
    info_.nFont = ParseIntValue(v);
  } else if (name == "itemalign") {
    info_.uTextStyle &= ~(DT_LEFT | DT_CENTER | DT_RIGHT);
    if (value == "center") info_.uTextStyle |= DT_CENTER;
    if (value == "right") info_.uTextStyle |= DT_RIGHT;
  } else if (name == "itemendellipsis") {
    info_.uTextStyle = ParseBoolValue(v) ? (info_.uTextStyle | DT_END_ELLIPSIS) : (info_.uTextStyle & ~DT_END_ELLIPSIS);
  } else if (name == "itemtextpadding") {
    info_.rcTextPadding = ParseRectValue(v);
  } else if (name == "itemheight") {
    info_.nItemHeight = ParseIntValue(v);
  } else if (name == "itemtextcolor") {
    info_.dwTextColor = ParseColorValue(v);
  } else if (name == "itembkcolor") {
    info_.dwBkColor = ParseColorValue(v);
  } else if (name == "itemselectedtextcolor") {
    info_.dwSelectedTextColor = ParseColorValue(v);
  } else if (name == "itemselectedbkcolor") {
    info_.dwSelectedBkColor = ParseColorValue(v);
  } else if (name == "itemhottextcolor") {
    info_.dwHotTextColor = ParseColorValue(v);
  } else if (name == "itemhotbkcolor") {
    info_.dwHotBkColor = ParseColorValue(v);
  } else if (name == "itemdisabledtextcolor") {
    info_.dwDisabledTextColor = ParseColorValue(v);
  } else if (name == "itemlinecolor") {
    info_.dwLineColor = ParseColorValue(v);
  } else if (name == "itemhotbordercolor") {
    info_.dwHotBorderColor = ParseColorValue(v);
  } else if (name == "itembkimage") {
    info_.sBkImage = value;
  } else if (name == "itemselectedimage") {
    info_.sSelectedImage = value;
  } else if (name == "itemhotimage") {
    info_.sHotImage = value;
  } else if (name == "itemdisabledimage") {
    info_.sDisabledImage = value;
  } else {
    return false;
  }
  return true;
}
