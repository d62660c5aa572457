#pragma once
#include <cstddef>
#include <cstdint>

// The reactive effect: a click makes every light flash in a random wheel colour and fade.

enum class ReactiveState : uint8_t { kIdle = 0, kRising = 1, kFalling = 2 };

struct ReactiveLight {
  ReactiveState state = ReactiveState::kIdle;
  uint8_t level = 0;
  uint8_t wheelPosition = 0;
  bool operator==(const ReactiveLight&) const = default;
};

inline constexpr uint8_t kReactiveLevelStep = 15;

// One step: rising adds the step up to 255 and then falls; falling takes it back to 0 and idles.
constexpr ReactiveLight AdvanceReactive(ReactiveLight light) {
  switch (light.state) {
    case ReactiveState::kRising:
      light.level = light.level > 255 - kReactiveLevelStep
                        ? 255
                        : static_cast<uint8_t>(light.level + kReactiveLevelStep);
      if (light.level == 255) {
        light.state = ReactiveState::kFalling;
      }
      break;
    case ReactiveState::kFalling:
      light.level = light.level > kReactiveLevelStep
                        ? static_cast<uint8_t>(light.level - kReactiveLevelStep)
                        : 0;
      if (light.level == 0) {
        light.state = ReactiveState::kIdle;
      }
      break;
    case ReactiveState::kIdle:
      light.level = 0;
      break;
  }
  return light;
}

// A wheel position 0-191 for entry `index` of a flash; the seed comes from the caller so the
// preview stays free of hidden random state.
uint8_t FlashWheelPosition(uint32_t seed, size_t index);
