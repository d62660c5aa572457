#pragma once
// The mouse pad's facade over its driver, model and page.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "devices/light_step_thread.h"
#include "devices/mousepad/driver/pad_driver.h"
#include "devices/mousepad/model/pad_model.h"
#include "devices/mousepad/page/pad_page_view.h"
#include "devices/velmar_usb_device.h"
#include "profiles/basic_profile_data.h"

// The lit mouse pad (kind 3, on its cable only) as the rest of the program sees it. It has
// lighting and nothing else: its 15 light entries run round its edge, and it keeps its lighting in
// a 21-byte page of its settings area (mousepad/pad_settings_page.h). The host reads the page on
// every read and when the pad asks (event 0x0401), and writes it after every lighting change.
// This file owns the order of things; the driver talks to the pad, the model holds the profile's
// lighting and the page copy, the page view shows what the lighting editor does not.
class CVelmarMousePadDevice : public CVelmarUSBDevice {
 public:
  explicit CVelmarMousePadDevice(IHidBackend& backend, IClock& clock = SystemClock());
  ~CVelmarMousePadDevice() override;

  LPCTSTR GetClass() const override;
  void* GetInterface(LPCTSTR pstrName) override;

  // ---- the device interface ----
  void InitDevicePage() override;
  void ReadAll() override;
  void SyncFromDevice() override;
  void LoadLighting() override;
  void ShowSettings() override;
  int LoadSelectedProfile() override;
  // Writes the page copy with the profile's lighting; 1 when the pad took it. Nothing is sent
  // (and the driver's refusal is returned) while the host holds no page it may write back.
  int ApplySettings() override;
  void SaveProfile() override;
  void SetLightEffect(int mode, int speed, int brightness, uint32_t colour) override;
  LightInfoRecord GetLightInfo() const override { return model_.Light(); }
  void SetLightInfo(const LightInfoRecord& light) override;
  AudioLightRecord GetAudioLightInfo() const override { return model_.AudioLight(); }
  void SetAudioLightInfo(const AudioLightRecord& audio) override;

  // ---- reading ----
  // The active page into the model, saved to the profile. The active page number, or 0 when the
  // page could not be read (the copy then stays as it was).
  int ReadPadSettings();
  // The chosen profile into the model (opening the kind's profiles on first use), and its
  // lighting into the preview.
  void LoadPageFromProfile();
  void ApplyProfile();

  // ---- state, for the editors and tests ----
  const PadSettingsBlock& GetPadSettings() const { return model_.Page(); }
  const std::array<uint8_t, kDeviceInfoSize>& GetDeviceInfo() const { return driver_.Info(); }
  // The device's code of each lighting mode, in the mode list's order.
  std::vector<int> ModeCodeList() const;
  CPadDriver& Driver() { return driver_; }
  const CPadPageView& PageView() const { return view_; }
  bool IsLightThreadRunning() const { return lightThread_.IsRunning(); }
  uint64_t LightSteps() const { return lightThread_.Steps(); }
  bool IsLightThreadResting() const { return lightThread_.IsResting(); }

 protected:
  void OnEventReport(bool cablePort, const uint8_t* report, uint32_t length) override;
  std::string ListenerExitTrace() const override;

 private:
  CBasicProfiledata& CreateProfileSession();
  void EnsureDeviceFolder();
  void StoreProfile();
  bool LightStepsSeen();
  LightStepRules LightRules();

  CBasicProfiledata& profile_;  // the session's document
  CPadDriver driver_;
  CPadModel model_;
  CPadPageView view_;

  std::atomic<bool> lightPaused_{false};
  CLightStepThread lightThread_{LightPreview(), Clock(), LightRules()};
};
