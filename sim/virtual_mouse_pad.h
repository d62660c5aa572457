#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/virtual_device.h"
#include "sim/virtual_device_options.h"

// The pad's settings page: 21 bytes, read at 25 × page and written at 64 × page of its settings
// area; byte 0 of the area is the active page.
inline constexpr size_t kSimPadPageSize = 21;
inline constexpr size_t kSimPadFirstOwnByte = 9;  // bytes 9-20 are the pad's own settings

// The lit mouse pad, on its cable only. It keeps its lighting in the shared lighting settings area
// and sends 0x0401 (kSimEventReReadRequest) when it wants the host to read it again. It answers
// what the host uses: BeginConfig, EndConfig, the information block and the settings area (plus the
// host-ready signal and the lighting commands other hosts send).
class CVirtualMousePad : public CVirtualDevice {
 public:
  explicit CVirtualMousePad(const SimMousePadOptions& options = {});
  CVirtualMousePad(const SimMousePadOptions& options, SimDeviceDescription description);

  // The 21-byte page `page` where the host reads it (25 × page) and where it writes it (64 × page).
  std::vector<uint8_t> ReadPage(size_t page) const;
  std::vector<uint8_t> WrittenPage(size_t page) const;
  // Byte 0 of the area: the page the pad runs.
  uint8_t ActivePage() const;
  void SetActivePage(uint8_t page);
  // The pad's own lighting button: bytes 1-8 of the active page (as the pad stores them: the mode
  // code and 4 − speed) change, then the pad asks the host to read it again.
  void ChangeLighting(std::span<const uint8_t> bytes1To8);
};
