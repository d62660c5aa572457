// Importing a macro file into CMacroStore.
#include <unistd.h>

#include "profiles/macros/macro_limits.h"
#include "profiles/macros/macro_store.h"
#include "profiles/storage/json_file.h"
#include "profiles/storage/text_conversions.h"
#include "profiles/storage/time_stamp.h"

namespace {

MacroChange Refuse(MacroImportRefusal refusal, std::string detail) {
  MacroChange change;
  change.importRefusal = refusal;
  change.detail = std::move(detail);
  change.writeFailed = refusal == MacroImportRefusal::kWriteFailed;
  change.listFull = refusal == MacroImportRefusal::kListFull;
  return change;
}

std::string FileNameOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

MacroChange CMacroStore::ImportMacro(const std::string& path) {
  if (path.empty()) return Refuse(MacroImportRefusal::kUnreadable, "No file was chosen.");
  const std::string fileName = FileNameOf(path);
  const std::string title = FileTitleOf(fileName);
  if (!IsValidUtf8(fileName)) {
    return Refuse(MacroImportRefusal::kBadFileName, "The file's name is not readable text; rename the file first.");
  }
  if (CountCharacters(fileName) > kMaxImportFileNameCharacters || CountCharacters(title) > kMaxImportFileTitleCharacters) {
    return Refuse(MacroImportRefusal::kFileNameTooLong,
                  "The file's name is too long: at most 10 characters before the extension and 14 with it.");
  }
  MacroNameCheck nameCheck = CheckMacroName(title, {});
  if (nameCheck != MacroNameCheck::kAccepted) {
    return Refuse(MacroImportRefusal::kBadFileName,
                  std::string("The file's name cannot name a macro: ") + DescribeMacroNameCheck(nameCheck));
  }
  if (Entries().size() >= kMaxMacros) {
    return Refuse(MacroImportRefusal::kListFull, "The device already keeps 50 macros; delete one first.");
  }

  std::string text;
  JsonFileState state = ReadTextFile(path, kMaxMacroImportBytes, text);
  if (state != JsonFileState::kLoaded) return Refuse(MacroImportRefusal::kUnreadable, "The file cannot be read.");
  MacroImportCheck check = CheckMacroImportText(text);
  if (check.refusal != MacroImportRefusal::kNone) return Refuse(check.refusal, check.detail);

  // The macro file goes first: until the list names it, a stray file is harmless, while a listed
  // macro without its file would silently lose the imported events.
  MacroListEntry entry{UniqueImportedMacroName(title, Names()), MakeTimeStamp()};
  const std::string macroFile = folder_ + entry.id + std::string(kMacroFileExtension);
  if (!WriteJsonFile(MacroFileDocument(entry.name, entry.id, check.events), macroFile)) {
    return Refuse(MacroImportRefusal::kWriteFailed, "The macro could not be stored.");
  }
  std::vector<MacroListEntry> entries = entries_;
  entries.push_back(entry);
  if (!WriteList(entries)) {
    unlink(macroFile.c_str());
    return Refuse(MacroImportRefusal::kWriteFailed, "The macro list could not be written.");
  }
  MacroChange change;
  change.done = true;
  change.index = static_cast<int>(entries_.size()) - 1;
  change.name = entry.name;
  change.trimmed = check.trimmed;
  return change;
}
