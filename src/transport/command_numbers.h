#pragma once
#include <cstdint>

// The command byte of every vendor frame the program sends (byte 3 of the report). One place for
// the numbers: the command set, the tools and the tests use these names.
enum CommandNumber : uint8_t {
  kCmdBeginConfig = 0x01,       // the host starts a configuration session
  kCmdEndConfig = 0x02,         // and ends it; the device stores what was written
  kCmdReadDeviceInfo = 0x03,    // the 34-byte information block
  kCmdWriteDeviceInfo = 0x04,
  kCmdReadSettings = 0x05,      // the settings area: the active page number at 0, the pages at 128 × n
  kCmdWriteSettings = 0x06,
  kCmdReadConfigImage = 0x07,   // the button records, 3 bytes each
  kCmdWriteConfigImage = 0x09,  // bank 0 only
  kCmdReadBankBlock = 0x0A,     // lighting banks
  kCmdWriteBankBlock = 0x0B,
  kCmdWriteLightStream = 0x12,  // the host-driven lighting stream
  kCmdWriteMacroData = 0x15,    // the macro image
  kCmdWriteShootData = 0x17,    // the recoil tables
  kCmdSendHostReady = 0x19,     // a notice without checksum: the host is ready
  kCmdReadStatus = 0x1A,        // battery level and charge state
  kCmdReadConfigThird = 0x1B,
  kCmdLightControlOn = 0x1C,
  kCmdDeviceIsLink = 0xAA,      // the receiver's link test, also its not-linked answer
};
