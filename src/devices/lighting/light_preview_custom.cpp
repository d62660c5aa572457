// The custom-effect step: the profile's own list of timed steps.
#include "devices/lighting/light_preview.h"

void CLightPreview::StepCustom(uint32_t nowMs) {
  const CCustomEffectWalk::Position at = custom_.Advance(nowMs);
  if (at.step == nullptr) {
    StepOff();
    return;
  }
  if (at.entered) {
    RestartAnimation();
  }
  ShowCustomStep(*at.step, nowMs);
}

void CLightPreview::ShowCustomStep(const LightEffectStep& step, uint32_t nowMs) {
  LightEffectParams params;
  params.mode = params_.mode;
  params.speed = step.LEDSpeed;
  params.brightness = step.LEDBrightness;
  params.multiColour = step.LEDMultiColor != 0;
  params.direction = step.LEDDirection != 0;
  params.colour = Rgb{step.Red, step.Green, step.Blue};
  switch (step.LEDREGMode) {
    case kStepModeBreathing:
      BreathingWheel(params);
      break;
    case kStepModeBlink:
      BlinkWheel(params, nowMs);
      break;
    case kStepModeWheel:
      Spectrum(params);
      break;
    default:
      StaticColour(params);
      break;
  }
}
