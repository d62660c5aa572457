#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kLevelArraySize = 170;
inline constexpr size_t kPeakRingSize = 23;
// Peaks in the ring light only the levels of the ring's first places.
inline constexpr size_t kPeakMarkedLevels = 9;

// One decay step of a level. Bright levels fall fast and dim ones slowly, so a peak leaves a
// short, soft tail: the amount comes from the level's top two bits.
inline constexpr std::array<uint8_t, 4> kLevelDecayByQuarter = {8, 12, 16, 32};
constexpr uint8_t DecayedLevel(uint8_t level) {
  const uint8_t amount = kLevelDecayByQuarter[level >> 6];
  return level > amount ? static_cast<uint8_t>(level - amount) : 0;
}

// The per-position levels and the ring of peaks that feeds them, used by the effects whose
// lights rise on a peak and then fade.
class CLightLevels {
 public:
  void Decay(size_t index);  // out-of-range indexes are ignored
  void DecayAll();
  // Every one of the first `count` places whose ring value is set lifts its level to 255.
  void MarkPeaks(size_t count = kPeakMarkedLevels);
  // Turns the first `span` ring places by one place; forward moves values to higher places and
  // the value pushed out at one end comes back at the other.
  void RotatePeakRing(bool forward, size_t span = kPeakRingSize);
  void Clear();  // both arrays
  // A fresh ring holds a single peak at place 0.
  void RestartPeakRing();

  const std::array<uint8_t, kLevelArraySize>& Levels() const { return levels_; }
  const std::array<uint8_t, kPeakRingSize>& PeakRing() const { return peakRing_; }
  uint8_t Level(size_t index) const { return index < levels_.size() ? levels_[index] : 0; }

 private:
  std::array<uint8_t, kLevelArraySize> levels_{};
  std::array<uint8_t, kPeakRingSize> peakRing_{};
};
