#include "support/trace_capture.h"

#include <cstdlib>

#include "platform/debug_output.h"

TraceCapture::TraceCapture() : path_(folder_.Path() + "/trace.txt") {
  setenv("T640_TRACE", path_.c_str(), 1);
  ReloadDebugOutputTarget();
}

TraceCapture::~TraceCapture() {
  unsetenv("T640_TRACE");
  ReloadDebugOutputTarget();
}
