#pragma once
// The frame format shared by both directions of the link:
//
//   A5 5A LEN TYPE payload... SUM AA
//
// LEN counts the bytes from LEN through the tail (payload length + 4), so a frame is LEN + 2
// bytes long. SUM is (LEN + TYPE + every payload byte) mod 256; it covers neither the header,
// nor itself, nor the tail.

#include <cstdint>
#include <span>
#include <vector>

namespace tarvel::link {

inline constexpr std::uint8_t kHeader1 = 0xA5;
inline constexpr std::uint8_t kHeader2 = 0x5A;
inline constexpr std::uint8_t kTail = 0xAA;
// The receiver stores LEN, TYPE, payload and SUM, at most 100 bytes: LEN is at most 101 and a
// payload at most 97 bytes.
inline constexpr int kMaxStoredBytes = 100;
inline constexpr int kMaxPayload = kMaxStoredBytes - 3;
// The longest payload a LEN byte can describe; frames beyond kMaxPayload are only useful to
// test that the receiver abandons them.
inline constexpr int kMaxWirePayload = 255 - 4;

// A received frame as the receiver keeps it: the bytes from LEN through SUM, without the header
// and the tail. Element 0 is LEN, element 1 TYPE, elements 2.. the payload, the last one SUM.
// A good frame always has at least LEN and TYPE. In the degenerate frame A5 5A 03 03 AA the
// TYPE byte doubles as the SUM and the payload is empty.
class FrameView {
 public:
  explicit FrameView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint8_t len() const { return bytes_[0]; }
  std::uint8_t type() const { return bytes_[1]; }
  // Payload bytes: everything between TYPE and SUM (LEN - 4 bytes).
  std::span<const std::uint8_t> payload() const {
    return bytes_.size() > 3 ? bytes_.subspan(2, bytes_.size() - 3)
                             : std::span<const std::uint8_t>{};
  }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

 private:
  std::span<const std::uint8_t> bytes_;
};

// (LEN + TYPE + payload) mod 256 for a payload of `payload.size()` bytes.
std::uint8_t FrameChecksum(std::uint8_t type, std::span<const std::uint8_t> payload);

// Appends the complete wire frame of `type` with `payload` to `out`. The payload must not be
// longer than kMaxWirePayload; frames the receiver accepts have at most kMaxPayload bytes.
void AppendFrame(std::vector<std::uint8_t>& out, std::uint8_t type,
                 std::span<const std::uint8_t> payload);

// The complete wire frame of `type` with `payload`, as AppendFrame writes it.
std::vector<std::uint8_t> BuildFrame(std::uint8_t type, std::span<const std::uint8_t> payload);

}  // namespace tarvel::link
