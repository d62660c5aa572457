#include "devices/mouse/profile_write/macro_image_send.h"

#include "profiles/macros/sent_macro_record.h"
#include "transport/result_codes.h"

ProfileMacros MacrosOfStore(CMacroStore& store) {
  store.Load();
  ProfileMacros macros;
  macros.count = static_cast<int>(store.Count());
  macros.read = [&store](int number) {
    const std::vector<MacroListEntry>& entries = store.Entries();
    NamedMacro macro;
    if (number >= 0 && static_cast<size_t>(number) < entries.size()) macro.name = entries[static_cast<size_t>(number)].name;
    macro.events = store.ReadMacroEvents(number);
    return macro;
  };
  return macros;
}

ProfileMacros MacrosOfList(const std::vector<NamedMacro>& list) {
  ProfileMacros macros;
  macros.count = static_cast<int>(list.size());
  macros.read = [&list](int number) {
    return number >= 0 && static_cast<size_t>(number) < list.size() ? list[static_cast<size_t>(number)] : NamedMacro{};
  };
  return macros;
}

MacroImage BuildMacroImage(const ProfileMacros& macros, const std::vector<int>& imageOrder, uint8_t macroUnits) {
  MacroImage image;
  if (macros.count == 0 || imageOrder.empty()) return image;
  std::vector<std::vector<MacroEvent>> records;
  for (int number : imageOrder) {
    image.macros.push_back(macros.read(number));
    records.push_back(image.macros.back().events);
  }
  image.block = BuildMacroBlockOf(records, macroUnits, MacroEventLimit::kEnforce);
  return image;
}

int SendMacroImage(CMouseDriver& driver, const MacroImage& image, const std::string& recordFolder) {
  if (image.block.status != MacroBlockStatus::kReady || !driver.Channel().IsOpen()) return 0;
  // The record goes first: from the first frame on, the macro memory no longer holds what it said,
  // and an upload cut short leaves it unknown.
  ForgetSentMacroRecord(recordFolder);
  const int sent = driver.WriteMacroData(image.block.image);
  if (sent == kResultSuccess) {
    if (!WriteSentMacroRecord(recordFolder, image.macros)) ForgetSentMacroRecord(recordFolder);
    return 0;
  }
  return sent < 0 ? sent : kMacroUploadNoReply;
}
