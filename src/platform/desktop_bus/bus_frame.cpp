#include "platform/desktop_bus/bus_frame.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr uint8_t kMagic[4] = {'T', '6', 'B', 'M'};

void PutUint(std::vector<uint8_t>& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

uint64_t GetUint(const uint8_t* bytes, int count) {
  uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

std::vector<uint8_t> EncodeHeader(FrameKind kind, int64_t wParam, int64_t lParam, size_t nameLength,
                                  size_t senderLength, size_t payloadLength) {
  std::vector<uint8_t> out(kMagic, kMagic + 4);
  out.reserve(kFrameHeaderBytes + nameLength + senderLength + payloadLength);
  out.push_back(kFrameVersion);
  out.push_back(uint8_t(kind));
  PutUint(out, 0, 2);
  PutUint(out, uint64_t(wParam), 8);
  PutUint(out, uint64_t(lParam), 8);
  PutUint(out, nameLength, 4);
  PutUint(out, senderLength, 4);
  PutUint(out, payloadLength, 4);
  return out;
}

}  // namespace

HeaderCheck DecodeFrameHeader(const uint8_t* bytes, FrameHeader& header) {
  if (!std::equal(kMagic, kMagic + 4, bytes)) return HeaderCheck::BadMagic;
  if (bytes[4] != kFrameVersion) return HeaderCheck::BadVersion;
  const uint8_t kind = bytes[5];
  if (kind < uint8_t(FrameKind::Post) || kind > uint8_t(FrameKind::Reply)) return HeaderCheck::BadKind;
  header.kind = FrameKind(kind);
  header.wParam = int64_t(GetUint(bytes + 8, 8));
  header.lParam = int64_t(GetUint(bytes + 16, 8));
  header.nameLength = uint32_t(GetUint(bytes + 24, 4));
  header.senderLength = uint32_t(GetUint(bytes + 28, 4));
  header.payloadLength = uint32_t(GetUint(bytes + 32, 4));
  if (header.kind == FrameKind::Reply) {
    return header.BodyLength() == 0 ? HeaderCheck::Ok : HeaderCheck::BadLength;
  }
  const bool fits = header.nameLength >= 1 && header.nameLength <= kMaxMessageNameBytes &&
                    header.senderLength <= kMaxAddressBytes && header.payloadLength <= kMaxPayloadBytes;
  return fits ? HeaderCheck::Ok : HeaderCheck::BadLength;
}

bool DecodeFrameBody(const FrameHeader& header, const uint8_t* body, DesktopMessage& message) {
  const auto* text = reinterpret_cast<const char*>(body);
  const std::string_view name(text, header.nameLength);
  const std::string_view sender(text + header.nameLength, header.senderLength);
  if (!IsValidMessageName(name)) return false;
  if (!sender.empty() && !IsValidBusAddress(sender)) return false;
  message.name.assign(name);
  message.sender.assign(sender);
  message.wParam = header.wParam;
  message.lParam = header.lParam;
  const uint8_t* payload = body + header.nameLength + header.senderLength;
  message.payload.assign(payload, payload + header.payloadLength);
  message.awaitsReply = header.kind == FrameKind::Send;
  return true;
}

std::vector<uint8_t> EncodeRequestFrame(FrameKind kind, const DesktopMessage& message, const std::string& sender) {
  std::vector<uint8_t> out = EncodeHeader(kind, message.wParam, message.lParam, message.name.size(), sender.size(),
                                          message.payload.size());
  out.insert(out.end(), message.name.begin(), message.name.end());
  out.insert(out.end(), sender.begin(), sender.end());
  out.insert(out.end(), message.payload.begin(), message.payload.end());
  return out;
}

std::vector<uint8_t> EncodeReplyFrame(int64_t result) { return EncodeHeader(FrameKind::Reply, result, 0, 0, 0, 0); }
