#pragma once
#include <functional>
#include <optional>
#include <string>

#include "ui/toolkit/ui_types.h"

// The desktop's file chooser, for the files the user exchanges with the program (exported
// profiles, macros, recoil tables). It speaks the interface language: its title, labels and
// buttons come from the language file, and the filter label ("Profile Files(*.json)") is looked up
// there as a key and shown as written when the file has no text for it. The filter matches the
// extension without regard to case, as a user coming from other systems expects (a.JSON is a
// profile file too). A saved name without an extension gets the filter's.
struct FileDialogRequest {
  enum class Mode { kOpen, kSave };
  Mode mode = Mode::kOpen;
  std::string filterLabel;    // "Profile Files(*.json)"
  std::string extension;      // "json"
  std::string suggestedName;  // kSave: the file name offered
};

// Runs the chooser modally over `owner` (may be null). The chosen path, or nothing when the user
// cancelled. Opening only returns a file that exists; saving over an existing file asks first.
std::optional<std::string> ShowFileDialog(HWND owner, const FileDialogRequest& request);

// ---- Test and automation seam ----
// While an answerer is installed, ShowFileDialog shows nothing and returns the answerer's reply.
using FileDialogAnswerer = std::function<std::optional<std::string>(const FileDialogRequest&)>;
void SetFileDialogAnswerer(FileDialogAnswerer answerer);

class CScopedFileDialogAnswerer {
 public:
  explicit CScopedFileDialogAnswerer(FileDialogAnswerer answerer) { SetFileDialogAnswerer(std::move(answerer)); }
  ~CScopedFileDialogAnswerer() { SetFileDialogAnswerer(nullptr); }
  CScopedFileDialogAnswerer(const CScopedFileDialogAnswerer&) = delete;
  CScopedFileDialogAnswerer& operator=(const CScopedFileDialogAnswerer&) = delete;
};
