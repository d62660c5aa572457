#include "transport/command_frame.h"

#include <gtest/gtest.h>

#include "transport/result_codes.h"

TEST(CommandFrame, BeginConfigRequestCarriesChecksumOneLowByteFirst) {
  CommandFrame frame = BuildRequest(0x01, 0, 0);
  const uint8_t expectedHead[8] = {0x04, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00};
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(frame[i], expectedHead[i]) << "byte " << i;
  for (size_t i = 8; i < kCommandFrameSize; ++i) EXPECT_EQ(frame[i], 0) << "byte " << i;
}

TEST(CommandFrame, ChecksumSumsBytesThreeToSixtyThreeAndKeepsTheLowSixteenBits) {
  CommandFrame frame;
  frame.bytes.fill(0xFF);
  // 61 bytes of 0xFF; the report id and the checksum bytes themselves do not count.
  EXPECT_EQ(ComputeFrameChecksum(frame), 61 * 0xFF);
  StampFrameChecksum(frame);
  EXPECT_EQ(frame[1], 0xC3);
  EXPECT_EQ(frame[2], 0x3C);
  EXPECT_EQ(ComputeFrameChecksum(frame), 61 * 0xFF);
}

TEST(CommandFrame, RequestFieldsAreLittleEndianAndPayloadStartsAtByteEight) {
  const uint8_t payload[3] = {0xA1, 0xB2, 0xC3};
  CommandFrame frame = BuildRequest(0x05, 3, 0x0138, payload, sizeof payload);
  EXPECT_EQ(FrameCommand(frame), 0x05);
  EXPECT_EQ(FrameLength(frame), 3);
  EXPECT_EQ(frame[5], 0x38);
  EXPECT_EQ(frame[6], 0x01);
  EXPECT_EQ(FrameOffset(frame), 0x0138);
  EXPECT_EQ(FrameStatus(frame), 0);
  EXPECT_EQ(FramePayload(frame)[0], 0xA1);
  EXPECT_EQ(FramePayload(frame)[2], 0xC3);
  const unsigned sum = 0x05 + 3 + 0x38 + 0x01 + 0xA1 + 0xB2 + 0xC3;
  EXPECT_EQ(frame[1] | (frame[2] << 8), sum);
}

TEST(CommandFrame, ShorterLastChunkKeepsThePreviousTailUnderItsChecksum) {
  uint8_t block[60];
  for (int i = 0; i < 60; ++i) block[i] = static_cast<uint8_t>(0x80 + i);
  CommandFrame frame;
  StartCommandFrame(frame, 0x15);
  PrepareChunk(frame, 56, 0, block);
  PrepareChunk(frame, 4, 56, block + 56);

  EXPECT_EQ(FrameLength(frame), 4);
  EXPECT_EQ(FrameOffset(frame), 56);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(FramePayload(frame)[i], block[56 + i]);
  for (int i = 4; i < 56; ++i) EXPECT_EQ(FramePayload(frame)[i], block[i]) << "stale byte " << i;
  unsigned sum = 0x15 + 4 + 56;
  for (int i = 0; i < 4; ++i) sum += block[56 + i];
  for (int i = 4; i < 56; ++i) sum += block[i];
  EXPECT_EQ(frame[1] | (frame[2] << 8), sum & 0xFFFF);
}

TEST(CommandFrame, RequestBytesAreZeroPaddedOrCutToSixtyFour) {
  uint8_t longRequest[70];
  for (int i = 0; i < 70; ++i) longRequest[i] = static_cast<uint8_t>(i + 1);
  CommandFrame cut = FrameFromBytes(longRequest, sizeof longRequest);
  EXPECT_EQ(cut[63], 64);
  CommandFrame padded = FrameFromBytes(longRequest, 5);
  EXPECT_EQ(padded[4], 5);
  for (size_t i = 5; i < kCommandFrameSize; ++i) EXPECT_EQ(padded[i], 0);
}

TEST(CommandFrame, ReplyStatusMapsToResultCodes) {
  struct Case {
    uint8_t status;
    int result;
  };
  const Case cases[] = {
      {0x00, kResultSuccess}, {0x01, kResultSuccess}, {0xFD, kResultSuccess},
      {0xFF, kResultDeviceError}, {0xFE, kResultDeviceSecondError},
  };
  for (const Case& c : cases) {
    CommandFrame reply;
    reply[kFrameStatusByte] = c.status;
    EXPECT_EQ(ReplyStatusResult(reply), c.result) << "status " << int(c.status);
  }
}

TEST(CommandFrame, TraceIsTwoLinesOfThirtyTwoBytesInGroupsOfFour) {
  CommandFrame frame;
  for (size_t i = 0; i < kCommandFrameSize; ++i) frame[i] = static_cast<uint8_t>(i == 0 ? 0xAB : i);
  const std::string expected =
      "ab 01 02 03   04 05 06 07   08 09 0a 0b   0c 0d 0e 0f  10 11 12 13  14 15 16 17  18 19 1a 1b  1c 1d 1e 1f\n"
      "20 21 22 23   24 25 26 27   28 29 2a 2b   2c 2d 2e 2f  30 31 32 33  34 35 36 37  38 39 3a 3b  3c 3d 3e 3f";
  EXPECT_EQ(FormatFrameTrace(frame), expected);
}
