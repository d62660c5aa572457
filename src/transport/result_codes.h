#pragma once

// The small integer results every transport and device operation returns. Callers compare
// against these names; the numbers are what the rest of the program has always passed around.
inline constexpr int kResultSuccess = 1;
// The channel is not open, or the reply read failed or timed out.
inline constexpr int kResultNoReply = 0;
// The request was not written (the write failed or timed out).
inline constexpr int kResultWriteFailed = -1;
// The receiver answered for a device that is not linked to it.
inline constexpr int kResultNotLinked = -101;
// The device's reply carried status 0xFF.
inline constexpr int kResultDeviceError = -102;
// The device's reply carried status 0xFE.
inline constexpr int kResultDeviceSecondError = -103;
inline constexpr int kResultInvalidArgument = -201;

// What a result means, in words for a message or a tool's output.
const char* ResultCodeText(int result);
