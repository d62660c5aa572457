#pragma once

// Makes the editors' layout tags known to the control factory ("DeviceProfile", …). Called once
// at start, after the program's own controls.
void RegisterEditorControls();
