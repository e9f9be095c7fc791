#pragma once
// Byte streams that make the receiver's rules collide, for the reference model tests.

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "link/frame.h"

namespace tarvel::decode_json {

// Header, tail, small LEN values, LEN 101 and 102, and known TYPEs.
inline constexpr std::uint8_t kProtocolBytes[] = {0xA5, 0x5A, 0xAA, 0x00, 0x01, 0x02,
                                                  0x03, 0x04, 0x65, 0x66, 0x12, 0xA1};

// Streams assembled from pieces that make the rules collide: frames of every length up to and
// past the limit, bad sums, cut frames, any LEN byte, A5 xx 5A headers, inner headers, stray
// tails and long stretches without a header.
inline std::vector<std::uint8_t> AdversarialStream(std::mt19937& rng) {
  auto below = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto random_bytes = [&](std::vector<std::uint8_t>& s, int n) {
    for (int i = 0; i < n; ++i)
      s.push_back(static_cast<std::uint8_t>(rng()));
  };
  std::vector<std::uint8_t> s;
  const int pieces = 1 + below(24);
  for (int piece = 0; piece < pieces; ++piece) {
    switch (below(10)) {
      case 0:
      case 1: {  // a frame, often good, sometimes with a wrong SUM or cut short
        std::vector<std::uint8_t> payload;
        random_bytes(payload, below(3) == 0 ? below(111) : below(24));
        const auto type = static_cast<std::uint8_t>(below(2) ? kProtocolBytes[below(12)] : rng());
        std::vector<std::uint8_t> frame = link::BuildFrame(type, payload);
        if (below(4) == 0) frame[frame.size() - 2] ^= static_cast<std::uint8_t>(1 + below(255));
        if (below(5) == 0) frame.resize(static_cast<std::size_t>(below(int(frame.size()))));
        s.insert(s.end(), frame.begin(), frame.end());
        break;
      }
      case 2:  // a header with bytes between its two halves
        s.push_back(0xA5);
        for (int n = below(4); n > 0; --n)
          s.push_back(static_cast<std::uint8_t>(below(2) ? 0xA5 : 0x10 + below(0x40)));
        s.push_back(0x5A);
        break;
      case 3:  // any LEN, then a body of any length
        s.insert(s.end(), {0xA5, 0x5A, static_cast<std::uint8_t>(rng())});
        random_bytes(s, below(120));
        if (below(2)) s.push_back(0xAA);
        break;
      case 4:  // a long stretch without a header
        for (int n = below(420); n > 0; --n) {
          const auto b = static_cast<std::uint8_t>(rng());
          s.push_back(b == 0xA5 ? 0x00 : b);
        }
        break;
      case 5:  // protocol bytes only
        for (int n = below(40); n > 0; --n)
          s.push_back(kProtocolBytes[below(5)]);
        break;
      case 6:  // LEN 1 abandoned or interrupted, then a header followed at once by AA
        s.insert(s.end(), {0xA5, 0x5A, 0x01});
        for (int n = below(2) ? 100 + below(3) : below(5); n > 0; --n)
          s.push_back(0x00);
        s.insert(s.end(), {0xA5, 0x5A, 0xAA});
        break;
      case 7: {  // LEN 101 and 102: the longest accepted frame and the first abandoned one
        std::vector<std::uint8_t> payload;
        random_bytes(payload, 97 + below(2));
        std::replace(payload.begin(), payload.end(), std::uint8_t{0xA5}, std::uint8_t{0x00});
        const std::vector<std::uint8_t> frame =
            link::BuildFrame(static_cast<std::uint8_t>(rng()), payload);
        s.insert(s.end(), frame.begin(), frame.end());
        break;
      }
      case 8: {  // a payload holding A5 ... 5A, which restarts reception inside the frame
        std::vector<std::uint8_t> payload;
        random_bytes(payload, below(20));
        payload.insert(payload.begin() + below(int(payload.size()) + 1), {0xA5, 0x42, 0x5A});
        const std::vector<std::uint8_t> frame =
            link::BuildFrame(kProtocolBytes[below(12)], payload);
        s.insert(s.end(), frame.begin(), frame.end());
        break;
      }
      default: random_bytes(s, below(30)); break;
    }
  }
  return s;
}

}  // namespace tarvel::decode_json
