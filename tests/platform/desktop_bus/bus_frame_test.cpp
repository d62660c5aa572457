// The frame layout against hand-written bytes, and every way a header or body is refused.
#include "platform/desktop_bus/bus_frame.h"

#include <gtest/gtest.h>

#include "platform/desktop_bus/registered_messages.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A send of "Hi" from "1-2" with wParam -2, lParam 0x0102 and the payload {0xAA}.
const Bytes kSendFrame = {
    'T', '6', 'B', 'M', 1, 2, 0, 0,                     // magic, version, kind send, reserved
    0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,     // wParam -2
    0x02, 0x01, 0, 0, 0, 0, 0, 0,                       // lParam 0x0102
    2, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0,                 // name, sender and payload lengths
    'H', 'i', '1', '-', '2', 0xAA,
};

TEST(BusFrame, SendFrameMatchesTheDocumentedLayout) {
  DesktopMessage message;
  message.name = "Hi";
  message.wParam = -2;
  message.lParam = 0x0102;
  message.payload = {0xAA};
  EXPECT_EQ(EncodeRequestFrame(FrameKind::Send, message, "1-2"), kSendFrame);

  FrameHeader header;
  ASSERT_EQ(DecodeFrameHeader(kSendFrame.data(), header), HeaderCheck::Ok);
  ASSERT_EQ(header.BodyLength(), kSendFrame.size() - kFrameHeaderBytes);
  DesktopMessage decoded;
  ASSERT_TRUE(DecodeFrameBody(header, kSendFrame.data() + kFrameHeaderBytes, decoded));
  EXPECT_EQ(decoded.name, "Hi");
  EXPECT_EQ(decoded.sender, "1-2");
  EXPECT_EQ(decoded.wParam, -2);
  EXPECT_EQ(decoded.lParam, 0x0102);
  EXPECT_EQ(decoded.payload, Bytes{0xAA});
  EXPECT_TRUE(decoded.awaitsReply);
}

TEST(BusFrame, ReplyCarriesTheResultInWParam) {
  const Bytes reply = EncodeReplyFrame(0x1122334455667788);
  ASSERT_EQ(reply.size(), kFrameHeaderBytes);
  EXPECT_EQ(Bytes(reply.begin() + 4, reply.begin() + 16), (Bytes{1, 3, 0, 0, 0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11}));
  FrameHeader header;
  ASSERT_EQ(DecodeFrameHeader(reply.data(), header), HeaderCheck::Ok);
  EXPECT_EQ(header.kind, FrameKind::Reply);
  EXPECT_EQ(header.wParam, 0x1122334455667788);
}

struct HeaderCase {
  const char* what;
  size_t offset;
  Bytes patch;
  HeaderCheck expected;
};

class BusFrameHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(BusFrameHeader, IsRefusedBeforeAnyBodyIsRead) {
  Bytes header(kSendFrame.begin(), kSendFrame.begin() + kFrameHeaderBytes);
  std::copy(GetParam().patch.begin(), GetParam().patch.end(), header.begin() + GetParam().offset);
  FrameHeader decoded;
  EXPECT_EQ(DecodeFrameHeader(header.data(), decoded), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, BusFrameHeader,
    testing::Values(HeaderCase{"other magic", 0, {'T', '6', 'B', 'X'}, HeaderCheck::BadMagic},
                    HeaderCase{"newer version", 4, {2}, HeaderCheck::BadVersion},
                    HeaderCase{"kind 0", 5, {0}, HeaderCheck::BadKind},
                    HeaderCase{"kind 4", 5, {4}, HeaderCheck::BadKind},
                    HeaderCase{"reply with a body", 5, {3}, HeaderCheck::BadLength},
                    HeaderCase{"empty name", 24, {0, 0, 0, 0}, HeaderCheck::BadLength},
                    HeaderCase{"name of 256 bytes", 24, {0, 1, 0, 0}, HeaderCheck::BadLength},
                    HeaderCase{"sender of 65 bytes", 28, {65, 0, 0, 0}, HeaderCheck::BadLength},
                    HeaderCase{"payload of 1 MiB + 1", 32, {1, 0, 0x10, 0}, HeaderCheck::BadLength},
                    HeaderCase{"payload length of 4 GiB - 1", 32, {0xFF, 0xFF, 0xFF, 0xFF}, HeaderCheck::BadLength},
                    HeaderCase{"name of 255 bytes, the limit", 24, {0xFF, 0, 0, 0}, HeaderCheck::Ok},
                    HeaderCase{"payload of 1 MiB, the limit", 32, {0, 0, 0x10, 0}, HeaderCheck::Ok}));

struct BodyCase {
  const char* what;
  std::string name;
  std::string sender;
  bool accepted;
};

TEST(BusFrame, BodyNeedsAUtf8NameAndAnAddressAsSender) {
  const BodyCase cases[] = {
      {"plain", "Kestrune T640", "1234-1-0a0b0c0d", true},
      {"no sender", "Game_Start", "", true},
      {"multi-byte name", "\xE6\xB6\x88\xE6\x81\xAF", "", true},
      {"stray continuation byte", "\x80name", "", false},
      {"overlong slash", "\xC0\xAF", "", false},
      {"UTF-16 surrogate", "\xED\xA0\x80", "", false},
      {"past U+10FFFF", "\xF4\x90\x80\x80", "", false},
      {"cut-off sequence", "ab\xE6\xB6", "", false},
      {"sender with a slash", "x", "../evil", false},
      {"sender in capitals", "x", "ABC", false},
  };
  for (const BodyCase& c : cases) {
    DesktopMessage message;
    message.name = c.name;
    const Bytes frame = EncodeRequestFrame(FrameKind::Post, message, c.sender);
    FrameHeader header;
    ASSERT_EQ(DecodeFrameHeader(frame.data(), header), HeaderCheck::Ok) << c.what;
    DesktopMessage decoded;
    EXPECT_EQ(DecodeFrameBody(header, frame.data() + kFrameHeaderBytes, decoded), c.accepted) << c.what;
  }
}

TEST(RegisteredMessages, OneIdPerNameInTheRegisteredRange) {
  const uint32_t app = RegisterDesktopMessage("Kestrune T640 (test)");
  const uint32_t other = RegisterDesktopMessage("{4695579F-999A-41d4-9FAF-EFFCE93EBF15} (test)");
  EXPECT_GE(app, kFirstRegisteredMessageId);
  EXPECT_LE(other, kLastRegisteredMessageId);
  EXPECT_NE(app, other);
  EXPECT_EQ(RegisterDesktopMessage("Kestrune T640 (test)"), app);
  EXPECT_EQ(RegisteredMessageName(app), "Kestrune T640 (test)");
  EXPECT_EQ(RegisteredMessageName(0x1234), "");
  EXPECT_EQ(RegisterDesktopMessage(""), 0u);
  EXPECT_EQ(RegisterDesktopMessage("\xFF"), 0u);
}

}  // namespace
