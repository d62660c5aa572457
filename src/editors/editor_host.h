#pragma once

#include <vector>

#include "profiles/records/lighting_records.h"
#include "ui/toolkit/ui_types.h"

class CSyncLightEngine;
class CVelmarUSBDevice;
class IInputCaptureSource;

// What an editor needs of the window around it: questions and notices, file choosers' owner, and
// the deferred device work that runs on the window's timers. The main window is the host.
class IEditorHost {
 public:
  virtual ~IEditorHost() = default;

  virtual HWND HostWindow() const = 0;
  // The question of a language key with both buttons; true when the user confirmed.
  virtual bool Ask(const char* key) = 0;
  // The notice of a language key. Notices about a typed name have no owner window.
  virtual void Tell(const char* key, bool owned = true) = 0;
  // A profile was chosen: the switch runs a little later, so the notification returns at once.
  virtual void StartProfileSwitch() = 0;
  // The selected device takes its chosen profile now and writes it; a macro transfer that failed
  // or did not fit is told.
  virtual void ApplySelectedProfile() = 0;
  // The selected device's macros, then its key assignments, go to the device a little later; the
  // transfer's busy state shows meanwhile, and a failure is told.
  virtual void StartMacroTransfer() = 0;
  // Where the editors capture keys and mouse buttons from; null when the window has no source.
  virtual IInputCaptureSource* InputCapture() = 0;
  // The devices whose command channel is open: keyboards, then mice, mouse pads and headsets.
  virtual std::vector<CVelmarUSBDevice*> ConnectedDevices() { return {}; }
  // The devices that take part in the shared lighting (their same-mode flag set) run the shared
  // effect `common` (breathing, steady, flashing, spectrum, off) with the brightness, speed,
  // direction and colours of `light`.
  virtual void StartSharedLighting(int /*common*/, const LightInfoRecord& /*light*/) {}
  // The thread that runs the shared lighting; null where there is none.
  virtual CSyncLightEngine* SyncLightEngine() { return nullptr; }
};
