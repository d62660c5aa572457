#include "profiles/macros/macro_bindings.h"

#include <algorithm>

namespace {

KeyAssignment DefaultFor(const KeyAssignmentPair& key) {
  KeyAssignment fallback = key.Default;
  fallback.KeyIndex = key.Current.KeyIndex;
  return fallback;
}

}  // namespace

std::vector<int> CollectBoundMacros(const std::vector<KeyAssignmentPair>& keys, int macroCount,
                                    const std::function<bool(size_t keyIndex)>& isPresent) {
  std::vector<int> order;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (isPresent && !isPresent(i)) continue;
    const KeyAssignment& current = keys[i].Current;
    if (!IsMacroAssignment(current) || current.High >= macroCount) continue;
    if (std::find(order.begin(), order.end(), current.High) == order.end()) order.push_back(current.High);
  }
  return order;
}

KeyAssignment AssignmentForDevice(const KeyAssignmentPair& key, const std::vector<int>& imageOrder, int macroCount) {
  const KeyAssignment& current = key.Current;
  if (!IsMacroAssignment(current)) return current;
  if (current.High >= macroCount) return DefaultFor(key);
  auto position = std::find(imageOrder.begin(), imageOrder.end(), current.High);
  if (position == imageOrder.end()) return DefaultFor(key);
  KeyAssignment sent = current;
  sent.High = static_cast<uint8_t>(position - imageOrder.begin());
  return sent;
}

bool RepairMacroAssignments(std::vector<KeyAssignmentPair>& keys, int macroCount) {
  bool changed = false;
  for (KeyAssignmentPair& key : keys) {
    if (IsMacroAssignment(key.Current) && key.Current.High >= macroCount) {
      key.Current = DefaultFor(key);
      changed = true;
    }
  }
  return changed;
}

bool ForgetMacroInAssignments(std::vector<KeyAssignmentPair>& keys, int removed) {
  bool changed = false;
  for (KeyAssignmentPair& key : keys) {
    if (!IsMacroAssignment(key.Current) || key.Current.High < removed) continue;
    if (key.Current.High == removed) {
      key.Current = DefaultFor(key);
    } else {
      --key.Current.High;
    }
    changed = true;
  }
  return changed;
}
