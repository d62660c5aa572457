#include "devices/device_light_preview.h"

#include <algorithm>

#include "ui/controls/device_key_button_ui.h"

CDeviceLightPreview::CDeviceLightPreview() : preview_(std::make_unique<CLightPreview>(0)) {}

void CDeviceLightPreview::Resize(size_t entries) {
  std::lock_guard<std::mutex> guard(mutex_);
  const LightEffectParams params = preview_->Params();
  preview_ = std::make_unique<CLightPreview>(entries);
  preview_->SetParams(params);
  changed_.Set();
}

size_t CDeviceLightPreview::EntryCount() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return preview_->EntryCount();
}

LightEffectParams CDeviceLightPreview::Params() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return preview_->Params();
}

void CDeviceLightPreview::SetParams(const LightEffectParams& params) {
  With([&](CLightPreview& preview) { preview.SetParams(params); });
  changed_.Set();
}

std::vector<LightEntry> CDeviceLightPreview::Entries() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return preview_->Entries();
}

void CDeviceLightPreview::SetEntry(int index, uint32_t value) {
  if (index < 0) return;
  With([&](CLightPreview& preview) { preview.SetEntry(static_cast<size_t>(index), UnpackLightEntry(value)); });
}

uint32_t CDeviceLightPreview::Entry(int index) const {
  std::lock_guard<std::mutex> guard(mutex_);
  const std::vector<LightEntry>& entries = preview_->Entries();
  if (index < 0 || static_cast<size_t>(index) >= entries.size()) return 0;
  return PackLightEntry(entries[static_cast<size_t>(index)]);
}

bool CDeviceLightPreview::PushToZones() {
  std::vector<LightEntry> entries = Entries();
  if (entries == pushed_) return false;
  const size_t count = std::min(entries.size(), zones_.size());
  for (size_t i = 0; i < count; ++i) {
    if (!zones_[i]) continue;
    // The brightness becomes the colour's opacity over the dark picture: a glow, not a tint.
    const LightEntry& e = entries[i];
    zones_[i]->SetBkColor((DWORD{e.brightness} << 24) | (DWORD{e.red} << 16) | (DWORD{e.green} << 8) | e.blue);
  }
  pushed_ = std::move(entries);
  return true;
}
