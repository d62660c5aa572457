#pragma once

#include <string>

class CControlUI;

// The mouse pad page's own controls: the picture, whose light zones the preview lights, and the
// line under it that names the running lighting mode. Looked up once; every show is safe without
// them (a layout that lacks one).
class CPadPageView {
 public:
  void Bind(CControlUI* page);
  CControlUI* Picture() const { return picture_; }
  // `modeNameKey` is the language key of the mode's name; empty when the mode has none.
  void ShowMode(const std::string& modeNameKey);
  // The language key the line shows.
  std::string ShownMode() const;

 private:
  CControlUI* picture_ = nullptr;
  CControlUI* modeLine_ = nullptr;
};
