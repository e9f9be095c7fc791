#include "link/codec.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tarvel::link {
namespace {

TEST(CodecTest, Sm16IsSignMagnitude) {
  const std::array<std::uint8_t, 2> cases[] = {{0x80, 0x2D}, {0x00, 0x2D}, {0xFF, 0xFF},
                                               {0x80, 0x00}, {0x7F, 0xFF}, {0x80, 0x23}};
  const int expected[] = {-45, 45, -32767, 0, 32767, -35};
  for (int k = 0; k < 6; ++k)
    EXPECT_EQ(GetSm16(cases[k].data()), expected[k]) << k;
}

TEST(CodecTest, IntegersAreBigEndian) {
  const std::uint8_t b[] = {0x00, 0x12, 0x4F, 0xFA, 0xFF, 0xED, 0xB0, 0x06, 0xFF, 0xF6};
  EXPECT_EQ(GetU8(b + 2), 0x4F);
  EXPECT_EQ(GetU16(b + 2), 0x4FFA);
  EXPECT_EQ(GetS16(b + 8), -10);
  EXPECT_EQ(GetS16(b + 4), -19);
  EXPECT_EQ(GetS32(b + 0), 1200122);
  EXPECT_EQ(GetS32(b + 4), -1200122);
}

TEST(CodecTest, F32IsLittleEndian) {
  const std::uint8_t b[] = {0x00, 0x00, 0xC0, 0x3F, 0x0A, 0xD7, 0xA3, 0x3C};
  EXPECT_EQ(GetF32(b), 1.5f);
  EXPECT_EQ(GetF32(b + 4), 0.02f);
  const std::uint8_t nan[] = {0x00, 0x00, 0xC0, 0x7F};
  EXPECT_TRUE(std::isnan(GetF32(nan)));
}

TEST(CodecTest, EncodersInvertDecoders) {
  std::uint8_t b[4] = {};
  for (const int v : {0, 1, -1, 12345, -32767, 32767}) {
    PutSm16(b, v);
    EXPECT_EQ(GetSm16(b), v);
  }
  PutSm16(b, 0);
  EXPECT_EQ(GetU16(b), 0x0000);  // zero is never written as 80 00
  PutSm16(b, -40000);
  EXPECT_EQ(GetSm16(b), -32767);
  PutSm16(b, std::numeric_limits<int>::min());
  EXPECT_EQ(GetSm16(b), -32767);
  for (const std::int16_t v : {std::int16_t{0}, std::int16_t{-1}, std::int16_t{-32768}}) {
    PutS16(b, v);
    EXPECT_EQ(GetS16(b), v);
  }
  for (const std::int32_t v : {0, -1200122, std::numeric_limits<std::int32_t>::min()}) {
    PutS32(b, v);
    EXPECT_EQ(GetS32(b), v);
  }
  PutF32(b, -0.3f);
  EXPECT_EQ(GetF32(b), -0.3f);
}

}  // namespace
}  // namespace tarvel::link
