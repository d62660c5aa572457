#include "profiles/macros/macro_block_builder.h"

#include "profiles/macros/macro_image.h"
#include "profiles/macros/macro_limits.h"

MacroBlockBuild BuildMacroBlock(CMacroStore& store, const std::vector<int>& imageOrder, uint8_t macroUnits,
                                MacroEventLimit limit) {
  MacroBlockBuild build;
  store.Load();
  if (store.Count() == 0 || imageOrder.empty()) return build;

  std::vector<std::vector<MacroEvent>> records;
  for (int number : imageOrder) records.push_back(store.ReadMacroEvents(number));
  return BuildMacroBlockOf(records, macroUnits, limit);
}

MacroBlockBuild BuildMacroBlockOf(const std::vector<std::vector<MacroEvent>>& records, uint8_t macroUnits,
                                  MacroEventLimit limit) {
  MacroBlockBuild build;
  if (records.empty()) return build;
  std::vector<size_t> counts;
  for (const std::vector<MacroEvent>& record : records) {
    counts.push_back(record.size());
    if (limit == MacroEventLimit::kEnforce && counts.back() > kMaxMacroEvents) {
      build.status = MacroBlockStatus::kMacroTooLong;
      build.number = static_cast<int>(counts.back());
      return build;
    }
  }
  int overCapacity = EventsOverCapacity(MacroImageLength(counts), macroUnits);
  if (overCapacity > 0) {
    build.status = MacroBlockStatus::kOverCapacity;
    build.number = overCapacity;
    return build;
  }
  // The memory holds at most 255 × 128 bytes, well inside the image's 16-bit length, so the
  // capacity check above already rules out an image the encoder would refuse.
  EncodeMacroImage(records, build.image);
  build.status = MacroBlockStatus::kReady;
  return build;
}
