#include <algorithm>
#include <vector>

#include "ui/toolkit/container_ui.h"

namespace {

// One child's share of a row or column, in axis terms: "main" runs along the layout, "cross"
// across it.
struct Slot {
  CControlUI* control = nullptr;
  int fixedMain = 0;
  int fixedCross = 0;
  int minMain = 0;
  int maxMain = 0;
  int minCross = 0;
  int maxCross = 0;
  int padBefore = 0;
  int padAfter = 0;
  int padCrossBefore = 0;
  int padCrossAfter = 0;
  int size = 0;
  bool resolved = false;
};

// Shares `space` among the flexible slots; a slot whose share would break its minimum or maximum
// is fixed there and the rest is shared again.
void ShareFlexibleSpace(std::vector<Slot*>& flexible, int space) {
  std::vector<Slot*> open = flexible;
  bool changed = true;
  while (changed && !open.empty()) {
    changed = false;
    int share = std::max(0, space) / int(open.size());
    for (auto it = open.begin(); it != open.end(); ++it) {
      Slot* slot = *it;
      int bounded = std::clamp(share, slot->minMain, std::max(slot->minMain, slot->maxMain));
      if (bounded != share) {
        slot->size = bounded;
        slot->resolved = true;
        space -= bounded;
        open.erase(it);
        changed = true;
        break;
      }
    }
  }
  if (open.empty()) return;
  int share = std::max(0, space) / int(open.size());
  int remainder = std::max(0, space) - share * int(open.size());
  for (Slot* slot : open) {
    slot->size = share;
    slot->resolved = true;
  }
  // The pixels that do not divide evenly go to the last flexible child, so the row ends exactly
  // at the container's edge.
  open.back()->size += remainder;
}

}  // namespace

int CContainerUI::LayoutLinear(RECT area, bool horizontal) {
  const int mainStart = horizontal ? area.left : area.top;
  const int mainSpace = horizontal ? RectWidth(area) : RectHeight(area);
  const int crossStart = horizontal ? area.top : area.left;
  const int crossSpace = horizontal ? RectHeight(area) : RectWidth(area);
  const int childPadding = GetChildPadding();

  std::vector<Slot> slots;
  for (CControlUI* control : m_items) {
    if (!control->IsVisible() || control->IsFloat()) continue;
    Slot slot;
    slot.control = control;
    SIZE estimate = control->EstimateSize(SIZE{RectWidth(area), RectHeight(area)});
    RECT pad = control->GetPadding();
    slot.fixedMain = horizontal ? estimate.cx : estimate.cy;
    slot.fixedCross = horizontal ? estimate.cy : estimate.cx;
    slot.minMain = horizontal ? control->GetMinWidth() : control->GetMinHeight();
    slot.maxMain = horizontal ? control->GetMaxWidth() : control->GetMaxHeight();
    slot.minCross = horizontal ? control->GetMinHeight() : control->GetMinWidth();
    slot.maxCross = horizontal ? control->GetMaxHeight() : control->GetMaxWidth();
    slot.padBefore = horizontal ? pad.left : pad.top;
    slot.padAfter = horizontal ? pad.right : pad.bottom;
    slot.padCrossBefore = horizontal ? pad.top : pad.left;
    slot.padCrossAfter = horizontal ? pad.bottom : pad.right;
    slots.push_back(slot);
  }

  int used = slots.empty() ? 0 : childPadding * int(slots.size() - 1);
  std::vector<Slot*> flexible;
  for (Slot& slot : slots) {
    used += slot.padBefore + slot.padAfter;
    if (slot.fixedMain > 0) {
      slot.size = std::clamp(slot.fixedMain, slot.minMain, std::max(slot.minMain, slot.maxMain));
      slot.resolved = true;
      used += slot.size;
    } else {
      flexible.push_back(&slot);
    }
  }
  int freeSpace = mainSpace - used;
  if (!flexible.empty()) {
    // A scrolling column has no height to share: its flexible children take their minimum.
    if (!horizontal && m_bVScrollEnabled) {
      for (Slot* slot : flexible) slot->size = slot->minMain;
    } else {
      ShareFlexibleSpace(flexible, freeSpace);
    }
  }
  int total = used;
  for (Slot* slot : flexible) total += slot->size;

  int cursor = mainStart;
  const UINT mainAlign = horizontal ? m_iChildAlign : m_iChildVAlign;
  if (flexible.empty() && total < mainSpace) {
    if (mainAlign == DT_CENTER || mainAlign == DT_VCENTER) cursor += (mainSpace - total) / 2;
    if (mainAlign == DT_RIGHT || mainAlign == DT_BOTTOM) cursor += mainSpace - total;
  }
  const int scroll = horizontal ? 0 : m_iScrollPos;
  const UINT crossAlign = horizontal ? m_iChildVAlign : m_iChildAlign;
  for (Slot& slot : slots) {
    cursor += slot.padBefore;
    int crossRoom = crossSpace - slot.padCrossBefore - slot.padCrossAfter;
    int crossSize = slot.fixedCross > 0 ? slot.fixedCross : crossRoom;
    crossSize = std::clamp(crossSize, slot.minCross, std::max(slot.minCross, slot.maxCross));
    int crossPos = crossStart + slot.padCrossBefore;
    if (slot.fixedCross > 0) {
      if (crossAlign == DT_VCENTER || crossAlign == DT_CENTER) crossPos += (crossRoom - crossSize) / 2;
      if (crossAlign == DT_BOTTOM || crossAlign == DT_RIGHT) crossPos += crossRoom - crossSize;
    }
    RECT rc = horizontal ? RECT{cursor, crossPos, cursor + slot.size, crossPos + crossSize}
                         : RECT{crossPos, cursor - scroll, crossPos + crossSize, cursor - scroll + slot.size};
    slot.control->SetPos(rc, false);
    cursor += slot.size + slot.padAfter + childPadding;
  }
  for (int i = 0; i < int(m_items.size()); ++i) {
    if (m_items[size_t(i)]->IsVisible() && m_items[size_t(i)]->IsFloat()) SetFloatPos(i);
  }
  return total;
}
