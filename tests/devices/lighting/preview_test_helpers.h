#pragma once
#include <gtest/gtest.h>

#include "devices/lighting/light_preview.h"

inline LightEntry Lit(Rgb colour, uint8_t brightness) {
  return {colour.r, colour.g, colour.b, brightness};
}

// Every entry of a base step carries the same colour and brightness.
inline ::testing::AssertionResult AllEntriesAre(const CLightPreview& preview, LightEntry expected) {
  for (size_t i = 0; i < preview.EntryCount(); ++i) {
    const LightEntry& e = preview.Entries()[i];
    if (!(e == expected)) {
      return ::testing::AssertionFailure()
             << "entry " << i << " is (" << int(e.red) << ", " << int(e.green) << ", "
             << int(e.blue) << ", " << int(e.brightness) << "), expected (" << int(expected.red)
             << ", " << int(expected.green) << ", " << int(expected.blue) << ", "
             << int(expected.brightness) << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

inline LightEffectParams Effect(int mode, int brightness, bool multiColour = false,
                                bool direction = true, int speed = 0, Rgb colour = {10, 20, 30}) {
  LightEffectParams params;
  params.mode = mode;
  params.speed = speed;
  params.brightness = brightness;
  params.multiColour = multiColour;
  params.direction = direction;
  params.colour = colour;
  return params;
}
