#pragma once
#include <string>
#include <vector>

// The AppStream <modalias> lines of the supported-device table: one per USB device (vendor and
// product) the program can talk to, so a software centre can offer it when one is plugged in.
std::vector<std::string> SupportedModaliasLines(const std::string& indent);

// The template with its line that holds `marker` replaced by `lines`. False when the marker is not
// there.
bool ReplaceMarkerLine(const std::string& text, const std::string& marker, const std::vector<std::string>& lines,
                       std::string* result);
