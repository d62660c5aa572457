#pragma once

// Registers the device selector's control classes with the control factory, so the tile layout's
// root tag "DeviceOption" builds a CDeviceOptionUI. Called once at start-up.
void RegisterDeviceSelectorControls();
