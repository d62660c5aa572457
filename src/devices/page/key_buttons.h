#pragma once

#include <string>
#include <vector>

class CControlUI;
class CDeviceKeyButtonUI;

// The key and light zones on a device's picture: the "DeviceKeyButton" controls of every
// "SelectPanel" under a root, placed by the index after their name prefix ("key_3" is key 3). A
// position no button names stays null.
struct KeyButtons {
  std::vector<CDeviceKeyButtonUI*> keys;
  std::vector<CDeviceKeyButtonUI*> lights;
};

// `lightPrefixes` are tried in order; a button is a light zone by the first that matches.
KeyButtons CollectKeyButtons(CControlUI* root, const std::vector<std::string>& lightPrefixes);
