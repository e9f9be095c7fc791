#include "link/frame.h"

#include <cassert>
#include <cstddef>

namespace tarvel::link {

std::uint8_t FrameChecksum(std::uint8_t type, std::span<const std::uint8_t> payload) {
  unsigned sum = static_cast<unsigned>(payload.size() + 4) + type;
  for (const std::uint8_t b : payload)
    sum += b;
  return static_cast<std::uint8_t>(sum);
}

void AppendFrame(std::vector<std::uint8_t>& out, std::uint8_t type,
                 std::span<const std::uint8_t> payload) {
  assert(payload.size() <= static_cast<std::size_t>(kMaxWirePayload));
  out.push_back(kHeader1);
  out.push_back(kHeader2);
  out.push_back(static_cast<std::uint8_t>(payload.size() + 4));
  out.push_back(type);
  out.insert(out.end(), payload.begin(), payload.end());
  out.push_back(FrameChecksum(type, payload));
  out.push_back(kTail);
}

std::vector<std::uint8_t> BuildFrame(std::uint8_t type, std::span<const std::uint8_t> payload) {
  std::vector<std::uint8_t> frame;
  frame.reserve(payload.size() + 6);
  AppendFrame(frame, type, payload);
  return frame;
}

}  // namespace tarvel::link
