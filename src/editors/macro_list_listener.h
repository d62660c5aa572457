#pragma once
#include <string>

// What the macro editor tells about changes to the device's macro list, so that the editors that
// offer macros (the key editor's macro choices) follow it. Indexes are macro numbers.
class IMacroListListener {
 public:
  virtual ~IMacroListListener() = default;
  virtual void OnMacroAdded(const std::string& name) = 0;
  virtual void OnMacroRenamed(int index, const std::string& name) = 0;
  // Later macros have moved down one number.
  virtual void OnMacroRemoved(int index) = 0;
};
