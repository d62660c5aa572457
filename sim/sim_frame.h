#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The 64-byte vendor frame as the virtual firmware sees it. The virtual devices keep their own
// copy of the layout instead of borrowing the host's, so a mistake in the host's framing shows up
// as a rejected request rather than being mirrored by the device.

inline constexpr size_t kSimFrameSize = 64;
inline constexpr size_t kSimFramePayloadOffset = 8;
inline constexpr size_t kSimFrameMaxPayload = 56;
inline constexpr uint8_t kSimCommandReportId = 4;

inline constexpr size_t kSimFrameReportIdByte = 0;
inline constexpr size_t kSimFrameChecksumByte = 1;  // low byte; the high byte follows
inline constexpr size_t kSimFrameCommandByte = 3;
inline constexpr size_t kSimFrameLengthByte = 4;
inline constexpr size_t kSimFrameOffsetByte = 5;  // low byte; the high byte follows
inline constexpr size_t kSimFrameStatusByte = 7;

inline constexpr uint8_t kSimStatusAccepted = 0x00;
inline constexpr uint8_t kSimStatusError = 0xFF;
inline constexpr uint8_t kSimStatusSecondError = 0xFE;
// What the receiver puts in byte 3 while its mouse is out of reach (also the link-test command).
inline constexpr uint8_t kSimNotLinkedEcho = 0xAA;

enum SimCommand : uint8_t {
  kSimCmdBeginConfig = 1,
  kSimCmdEndConfig = 2,
  kSimCmdReadDeviceInfo = 3,
  kSimCmdWriteDeviceInfo = 4,
  kSimCmdReadSettings = 5,
  kSimCmdWriteSettings = 6,
  kSimCmdReadConfigImage = 7,
  kSimCmdWriteConfigImage = 9,
  kSimCmdReadBankBlock = 10,
  kSimCmdWriteBankBlock = 11,
  kSimCmdWriteLightStream = 18,
  kSimCmdWriteMacroData = 21,
  kSimCmdWriteShootData = 23,
  kSimCmdHostReady = 25,
  kSimCmdReadStatus = 26,
  kSimCmdReadConfigThird = 27,
  kSimCmdLightControlOn = 28,
  kSimCmdLinkTest = 170,
};

using SimFrame = std::array<uint8_t, kSimFrameSize>;

// Sum of bytes 3..63, low 16 bits.
uint16_t SimFrameChecksum(const SimFrame& frame);
uint16_t SimFrameStoredChecksum(const SimFrame& frame);
uint16_t SimFrameOffset(const SimFrame& frame);
void SimSealFrame(SimFrame& frame);

// A request as the host frames it: report id 4, the checksum in bytes 1-2 (left 0 for the host
// ready command, which the device takes without one), the payload from byte 8.
SimFrame SimCommandFrame(uint8_t command, uint8_t length, uint16_t offset, std::span<const uint8_t> payload = {});

// The device's answer skeleton: report id 4, the request's command, length and offset echoed,
// the given status, an empty payload. The checksum is filled in by SimSealFrame.
SimFrame SimReplyTo(const SimFrame& request, uint8_t status);
