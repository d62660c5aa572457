#pragma once
#include <memory>

// The toolkit's process set-up: creates the Qt application on the calling thread (which becomes
// the user-interface thread) with Qt's own high-DPI scaling switched off — the toolkit scales
// layouts itself, by each window's DPI — and tears it all down again in order. One per process,
// created before any window and destroyed after the last one (and after every worker thread
// that posts to windows has been joined).
class CUiApplication {
 public:
  CUiApplication(int& argc, char** argv);
  ~CUiApplication();
  CUiApplication(const CUiApplication&) = delete;
  CUiApplication& operator=(const CUiApplication&) = delete;

  // Runs everything already queued for the user-interface thread, and Qt's pending events.
  static void ProcessPendingEvents();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
