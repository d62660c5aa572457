#pragma once

#include <string>

#include "support/temp_data_folder.h"

// Sends the diagnostic trace to a file for the life of the object.
class TraceCapture {
 public:
  TraceCapture();
  ~TraceCapture();
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;

  std::string Text() const { return folder_.ReadFile("trace.txt"); }

 private:
  TempDataFolder folder_;
  std::string path_;
};
