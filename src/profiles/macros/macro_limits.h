#pragma once
#include <cstddef>
#include <string_view>

// The macro store's rules: how many macros a device keeps, how long one may be, and the files.
inline constexpr size_t kMaxMacros = 50;
inline constexpr size_t kMaxMacroEvents = 60;
inline constexpr int kMacroFileVersion = 64;

inline constexpr std::string_view kMacroListFileName = "macro.config";
// The headset and the mouse pad read their macro names from this one; nothing writes it.
inline constexpr std::string_view kReadOnlyMacroListFileName = "orvik_macro.config";
inline constexpr std::string_view kMacroFileExtension = ".mac";

// A key assignment names a macro with one byte, so no list can usefully hold more entries.
inline constexpr size_t kMaxMacroListEntriesRead = 256;

// Names are shown in one line of a list; nothing longer is useful and the editor's line cannot
// hold it.
inline constexpr size_t kMaxMacroNameBytes = 255;

// An imported file's name becomes the macro's name, so it must fit the list too: fewer than 15
// characters with its extension and fewer than 11 without.
inline constexpr size_t kMaxImportFileNameCharacters = 14;
inline constexpr size_t kMaxImportFileTitleCharacters = 10;

// A macro file with 60 events is a few kilobytes; an import larger than this is not one.
inline constexpr size_t kMaxMacroImportBytes = 1024 * 1024;
