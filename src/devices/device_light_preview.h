#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "devices/lighting/light_preview.h"
#include "platform/event.h"

class CDeviceKeyButtonUI;

// A device's lighting preview as the device shares it: the light thread steps the preview model
// and the user-interface thread reads it, each under the preview's lock; the page's light zones
// show it. Pushing to the zones is for the user-interface thread only. The light thread sleeps on
// the change event between steps: new parameters, a new size and Poke wake it.
class CDeviceLightPreview {
 public:
  CDeviceLightPreview();

  // A preview of `entries` lights; the effect parameters stay.
  void Resize(size_t entries);

  // Runs `step` on the preview model under the lock; any thread.
  template <typename Step>
  void With(Step&& step) {
    std::lock_guard<std::mutex> guard(mutex_);
    step(*preview_);
  }
  // Wakes the light thread: something it waits for may have changed. Any thread.
  void Poke() { changed_.Set(); }
  CEvent& ChangeEvent() { return changed_; }
  size_t EntryCount() const;
  LightEffectParams Params() const;
  void SetParams(const LightEffectParams& params);
  std::vector<LightEntry> Entries() const;
  // A 4-byte entry (red, green, blue, brightness); out-of-range indexes are ignored or read 0.
  void SetEntry(int index, uint32_t value);
  uint32_t Entry(int index) const;

  // The light zones of the page, by entry index.
  void SetZones(std::vector<CDeviceKeyButtonUI*> zones) { zones_ = std::move(zones); }
  const std::vector<CDeviceKeyButtonUI*>& Zones() const { return zones_; }
  // Copies the entries into the zones when they changed since the last push; true when they did.
  bool PushToZones();

 private:
  mutable std::mutex mutex_;
  std::unique_ptr<CLightPreview> preview_;
  std::vector<CDeviceKeyButtonUI*> zones_;
  std::vector<LightEntry> pushed_;  // what the zones show
  CEvent changed_{false};
};
