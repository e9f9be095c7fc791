#pragma once
// Field encodings of the board's protocol. Integer fields are big-endian; f32 fields are
// IEEE-754 single precision in little-endian byte order. sm16 is sign-magnitude, not two's
// complement: FF FF is -32767 and 80 00 is zero.
//
// The Get* functions read the field that starts at `p`; the caller guarantees that the field's
// bytes exist (decoders check the payload length once, before reading any field).

#include <bit>
#include <cstdint>

namespace tarvel::link {

inline std::uint8_t GetU8(const std::uint8_t* p) {
  return p[0];
}

inline std::uint16_t GetU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

inline int GetSm16(const std::uint8_t* p) {
  const int v = GetU16(p);
  return v < 0x8000 ? v : -(v & 0x7FFF);
}

inline std::int16_t GetS16(const std::uint8_t* p) {
  return static_cast<std::int16_t>(GetU16(p));
}

inline std::int32_t GetS32(const std::uint8_t* p) {
  const std::uint32_t v = (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                          (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]};
  return static_cast<std::int32_t>(v);
}

inline float GetF32(const std::uint8_t* p) {
  const std::uint32_t bits = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                             (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
  return std::bit_cast<float>(bits);
}

// Encoders, the inverse of the readers above; used by the command frames and the simulator.
inline void PutU8(std::uint8_t* p, std::uint8_t v) {
  p[0] = v;
}

inline void PutU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v >> 8);
  p[1] = static_cast<std::uint8_t>(v);
}

// Magnitudes above 32767 are clamped; zero is always written as 00 00.
inline void PutSm16(std::uint8_t* p, int v) {
  long long magnitude = v < 0 ? -static_cast<long long>(v) : v;
  if (magnitude > 0x7FFF) magnitude = 0x7FFF;
  PutU16(p, static_cast<std::uint16_t>(v < 0 ? (0x8000 | magnitude) : magnitude));
}

inline void PutS16(std::uint8_t* p, std::int16_t v) {
  PutU16(p, static_cast<std::uint16_t>(v));
}

inline void PutS32(std::uint8_t* p, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  p[0] = static_cast<std::uint8_t>(u >> 24);
  p[1] = static_cast<std::uint8_t>(u >> 16);
  p[2] = static_cast<std::uint8_t>(u >> 8);
  p[3] = static_cast<std::uint8_t>(u);
}

inline void PutF32(std::uint8_t* p, float v) {
  const auto bits = std::bit_cast<std::uint32_t>(v);
  p[0] = static_cast<std::uint8_t>(bits);
  p[1] = static_cast<std::uint8_t>(bits >> 8);
  p[2] = static_cast<std::uint8_t>(bits >> 16);
  p[3] = static_cast<std::uint8_t>(bits >> 24);
}

}  // namespace tarvel::link
