#pragma once
#include <string>

// A fresh folder that stands in for the user's local application-data folder for the life of
// one test: XDG_DATA_HOME points at it, and it is removed with everything in it afterwards.
class TempDataFolder {
 public:
  TempDataFolder();
  ~TempDataFolder();
  TempDataFolder(const TempDataFolder&) = delete;
  TempDataFolder& operator=(const TempDataFolder&) = delete;

  const std::string& Path() const { return path_; }
  // Creates a sub-folder (and its parents) and returns its full path.
  std::string MakeFolder(const std::string& relative) const;
  std::string ReadFile(const std::string& relative) const;

 private:
  std::string path_;
  std::string previousXdg_;
  bool hadPreviousXdg_ = false;
};
