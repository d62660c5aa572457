#pragma once
#include <json/json.h>

#include <string>
#include <vector>

#include "profiles/macros/macro_event.h"
#include "profiles/macros/macro_file.h"
#include "profiles/macros/macro_limits.h"
#include "profiles/macros/macro_name_rules.h"
#include "profiles/storage/damaged_file.h"

// One macro of the list: the name shown to the user and the macro id, a time stamp that names
// the macro's file ("<id>.mac") and never changes.
struct MacroListEntry {
  std::string name;
  std::string id;
};

// The outcome of a change to the store. On any refusal nothing on disk or in the list changed.
struct MacroChange {
  bool done = false;
  MacroNameCheck nameCheck = MacroNameCheck::kAccepted;           // why a rename was refused
  MacroImportRefusal importRefusal = MacroImportRefusal::kNone;   // why an import was refused
  bool listFull = false;                                          // an add was refused: 50 macros
  bool writeFailed = false;                                       // a file could not be written
  std::string detail;                                             // English, for the trace and tests
  int index = -1;                                                 // the macro added, renamed or imported
  std::string name;
  bool trimmed = false;  // events past 60 were dropped (import or save)
};

// A device's macros: the list file "macro.config" (its position in "MacroInfo" is a macro's
// number) and one macro file per saved macro, all in the device's data folder. The store reads the
// list on first use and writes it after every change; every file is replaced atomically, and a
// damaged list file is kept aside before the first write replaces it.
class CMacroStore {
 public:
  // `folder` ends with '/'. The headset and mouse pad read "orvik_macro.config" instead.
  explicit CMacroStore(std::string folder, std::string listFileName = std::string(kMacroListFileName));

  // Rereads the list file. A missing, empty or damaged file is an empty list.
  void Load();
  const std::vector<MacroListEntry>& Entries();
  std::vector<std::string> Names();
  size_t Count() { return Entries().size(); }
  const std::string& Folder() const { return folder_; }
  std::string ListFilePath() const { return folder_ + listFileName_; }
  // "<folder><id>.mac", or empty when the index is out of range or the stored id is not a plain
  // file name (a hand-edited list cannot point the store outside its folder).
  std::string MacroFilePath(int index);

  // Adds "macro_N" (the smallest free N) with a new id; refused when the list holds 50 macros.
  // No macro file is written until the macro is first saved.
  MacroChange AddMacro();
  MacroChange RenameMacro(int index, const std::string& name);
  // Removes the entry (later macros move down one number) and deletes the macro's file.
  // Renumbering the key assignments is the caller's (see macro_bindings.h).
  MacroChange DeleteMacro(int index);

  // The macro's events; none when it was never saved.
  std::vector<MacroEvent> ReadMacroEvents(int index);
  // Writes the macro file; events past 60 are dropped (reported as trimmed).
  MacroChange SaveMacroEvents(int index, const std::vector<MacroEvent>& events);

  // Imports a macro file chosen by the user as a new macro named after the file. The file is
  // checked first and stored in normalised form; a refusal leaves everything as it was.
  MacroChange ImportMacro(const std::string& path);
  // Copies the macro's file to `path` (an empty macro file when it was never saved).
  bool ExportMacro(int index, const std::string& path);

  std::vector<DamagedFileNotice> TakeDamagedFileNotices();

 private:
  bool WriteList(const std::vector<MacroListEntry>& entries);
  bool IsIndex(int index);

  std::string folder_;
  std::string listFileName_;
  bool loaded_ = false;
  Json::Value listDocument_;
  std::vector<MacroListEntry> entries_;
  std::vector<DamagedFileNotice> damagedFiles_;
};
