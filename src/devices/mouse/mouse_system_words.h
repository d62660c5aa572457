#pragma once
#include <cstddef>

// Word indexes of the mouse system block (device_blocks.h gives what each half holds).
enum MouseSystemWord : size_t {
  kSystemWordClickAndSpeed = 0,    // DoubleClickTime | MouseSpeed
  kSystemWordPointer = 1,          // PointerPrecision | ScorllPage
  kSystemWordWheelAndPolling = 2,  // WheelScorlllinse | polling-rate stage
  kSystemWordSensorOptions = 3,    // SilentAltitude | Linear_Calibration
  kSystemWordRipple = 4,           // Ripple (whole word)
  kSystemWordBluetoothSleep = 5,   // ble_sleep1 | ble_sleep2
  kSystemWordDeviceSleep = 6,      // device_sleep1 | device_sleep2
  kSystemWordDebounceAndLogo = 7,  // key_debounce_time | Logoledmode
};
