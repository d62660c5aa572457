#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/desktop_bus/desktop_message.h"

// The bytes on a bus connection.
//
// A connection to a window's socket carries exactly one request frame from the connecting side:
// a post (the sender closes after writing) or a send (the sender keeps the connection open and
// reads one reply frame back). Anything written after the request is ignored. The receiving side
// drops the connection, without answering, when the peer is another user, when the header is
// malformed or claims more than the limits, when the body is malformed, or when the frame is not
// complete within a few seconds of connecting.
//
// Frame = 36-byte header, then the name, the sender address and the payload, back to back.
// All integers are little-endian.
//
//   offset  size  field
//        0     4  magic "T6BM"
//        4     1  version, 1
//        5     1  kind: 1 post, 2 send, 3 reply
//        6     2  reserved, written as 0 and not checked
//        8     8  wParam (signed); in a reply, the handler's result
//       16     8  lParam (signed); 0 in a reply
//       24     4  name length: 1 to kMaxMessageNameBytes, UTF-8 (0 in a reply)
//       28     4  sender address length: 0 to kMaxAddressBytes, [0-9a-z-] (0 in a reply)
//       32     4  payload length: 0 to kMaxPayloadBytes (0 in a reply)

inline constexpr size_t kFrameHeaderBytes = 36;
inline constexpr uint8_t kFrameVersion = 1;

enum class FrameKind : uint8_t { Post = 1, Send = 2, Reply = 3 };

struct FrameHeader {
  FrameKind kind = FrameKind::Post;
  int64_t wParam = 0;
  int64_t lParam = 0;
  uint32_t nameLength = 0;
  uint32_t senderLength = 0;
  uint32_t payloadLength = 0;

  size_t BodyLength() const { return size_t(nameLength) + senderLength + payloadLength; }
};

enum class HeaderCheck { Ok, BadMagic, BadVersion, BadKind, BadLength };

// `bytes` holds kFrameHeaderBytes bytes. Checks every length against the limits, so a caller can
// size its buffer from the result.
HeaderCheck DecodeFrameHeader(const uint8_t* bytes, FrameHeader& header);

// Fills `message` from a request frame's body (BodyLength bytes). False when the name is not
// UTF-8 or the sender is not an address.
bool DecodeFrameBody(const FrameHeader& header, const uint8_t* body, DesktopMessage& message);

// A whole post or send frame; `sender` may be empty. The caller has checked IsValidMessage.
std::vector<uint8_t> EncodeRequestFrame(FrameKind kind, const DesktopMessage& message, const std::string& sender);
std::vector<uint8_t> EncodeReplyFrame(int64_t result);
