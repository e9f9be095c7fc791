#include "decode_json/json_lines.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "link/frame.h"
#include "link/frame_receiver.h"

namespace tarvel::decode_json {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Receive(const Bytes& stream) {
  std::string out;
  JsonLineWriter writer(out);
  link::FrameReceiver receiver(writer);
  receiver.Feed(stream);
  return out;
}

struct FrameCase {
  const char* name;
  Bytes wire;
  std::string line;
};

void PrintTo(const FrameCase& c, std::ostream* os) {
  *os << c.name;
}

class FrameLineTest : public testing::TestWithParam<FrameCase> {};

TEST_P(FrameLineTest, MatchesTheDocumentedLine) {
  EXPECT_EQ(Receive(GetParam().wire), GetParam().line + "\n");
}

Bytes Frame(std::uint8_t type, const Bytes& payload) {
  return link::BuildFrame(type, payload);
}

const Bytes kPidGains = {0x00, 0x00, 0xC0, 0x3F, 0x0A, 0xD7, 0xA3, 0x3C, 0x9A, 0x99, 0x99, 0x3E};

// The worked examples of the protocol description, and values chosen to show each encoding:
// sign-magnitude against two's complement, unsigned 16-bit, single-precision longitudes.
INSTANTIATE_TEST_SUITE_P(
    KnownTypes, FrameLineTest,
    testing::Values(
        FrameCase{
            "Imu",
            {0xA5, 0x5A, 0x12, 0xA1, 0x00, 0x7B, 0x80, 0x2D, 0x00, 0x00,
             0x01, 0xF4, 0x00, 0xFA, 0x27, 0x94, 0x00, 0x32, 0xB7, 0xAA},
            R"({"event":"frame","type":"0xA1","len":18,"payload":"007b802d000001f400fa27940032","fields":{"yaw":12.3,"pitch":-4.5,"roll":0,"altitude":50,"temperature":25,"pressure":101320,"rate":50}})"},
        FrameCase{
            "Motion",
            {0xA5, 0x5A, 0x16, 0xA2, 0x00, 0x78, 0x80, 0x23, 0x40, 0x00, 0x00, 0x05,
             0x80, 0x02, 0x00, 0x00, 0x80, 0xD2, 0x00, 0x57, 0x81, 0x90, 0x54, 0xAA},
            R"({"event":"frame","type":"0xA2","len":22,"payload":"00788023400000058002000080d200578190","fields":{"acc_x":120,"acc_y":-35,"acc_z":16384,"gyro_x":5,"gyro_y":-2,"gyro_z":0,"mag_x":-210,"mag_y":87,"mag_z":-400}})"},
        FrameCase{
            "PwmIn",
            Frame(0x12, {0x05, 0xDC, 0x05, 0xDC, 0x03, 0xE8, 0x07, 0xD0, 0x05, 0xDC, 0x05, 0xDC}),
            R"({"event":"frame","type":"0x12","len":16,"payload":"05dc05dc03e807d005dc05dc","fields":{"inch1":1500,"inch2":1500,"inch3":1000,"inch4":2000,"inch5":1500,"inch6":1500}})"},
        FrameCase{
            "PwmOut",
            Frame(0x13, {0x03, 0xE8, 0x04, 0x4C, 0x04, 0xB0, 0x05, 0x14, 0x05, 0x78, 0x05, 0xDC,
                         0x06, 0x40, 0xFF, 0xFF}),
            R"({"event":"frame","type":"0x13","len":20,"payload":"03e8044c04b00514057805dc0640ffff","fields":{"outch1":1000,"outch2":1100,"outch3":1200,"outch4":1300,"outch5":1400,"outch6":1500,"outch7":1600,"outch8":65535}})"},
        FrameCase{
            "Track",
            Frame(0x15, {0x00, 0x00, 0x48, 0x41, 0x00, 0x00, 0x50, 0xC0, 0xCD, 0xCC, 0xCC, 0x3D}),
            R"({"event":"frame","type":"0x15","len":16,"payload":"00004841000050c0cdcccc3d","fields":{"target":12.5,"current":-3.25,"output":0.1}})"},
        FrameCase{
            "PidRoll", Frame(0xD1, kPidGains),
            R"({"event":"frame","type":"0xD1","len":16,"payload":"0000c03f0ad7a33c9a99993e","fields":{"loop":1,"p":1.5,"i":0.02,"d":0.3}})"},
        FrameCase{
            "PidAngleBalance", Frame(0xD5, kPidGains),
            R"({"event":"frame","type":"0xD5","len":16,"payload":"0000c03f0ad7a33c9a99993e","fields":{"loop":5,"p":1.5,"i":0.02,"d":0.3}})"},
        FrameCase{
            "Gps",
            Frame(0xA3, {0x00, 0x12, 0x4F, 0xFA, 0xFF, 0xED, 0xB0, 0x06, 0xFF, 0xF6, 0x09, 0x0D,
                         0x05, 0x00, 0x7B}),
            R"({"event":"frame","type":"0xA3","len":19,"payload":"00124ffaffedb006fff6090d05007b","fields":{"longitude":120.0122,"latitude":-120.0122,"altitude":-1,"satellites":9,"course":333.3,"speed":12.3}})"},
        FrameCase{
            "Target",
            Frame(0xA5, {0x00, 0x12, 0x4F, 0xFA, 0x00, 0x04, 0xC4, 0x19, 0x01, 0xF4, 0x00, 0x0A,
                         0xFF, 0x9C, 0x00, 0x05}),
            R"({"event":"frame","type":"0xA5","len":20,"payload":"00124ffa0004c41901f4000aff9c0005","fields":{"longitude":120.0122,"latitude":31.2345,"altitude":50,"distance":1,"x_output":-10,"y_output":0.5}})"},
        FrameCase{
            "Status", Frame(0xA6, {0x02, 0x00, 0x7E, 0x00, 0x32, 0x07, 0xFF, 0xFF, 0xFF, 0xFF}),
            R"({"event":"frame","type":"0xA6","len":14,"payload":"02007e003207ffffffff","fields":{"mode":2,"battery":12.6,"servo_voltage":5,"error_code":7,"i2c_errors":-1,"uptime":65535}})"},
        FrameCase{
            "MagRange",
            Frame(0xA4, {0x01, 0xF4, 0x00, 0xC8, 0x80, 0x64, 0x81, 0xF4, 0x80, 0xC8, 0x00, 0x64}),
            R"({"event":"frame","type":"0xA4","len":16,"payload":"01f400c8806481f480c80064","fields":{"max_hx":500,"max_hy":200,"max_hz":-100,"min_hx":-500,"min_hy":-200,"min_hz":100}})"},
        FrameCase{
            "Flow", Frame(0x0F, {0x00, 0x03, 0x80, 0x02}),
            R"({"event":"frame","type":"0x0F","len":8,"payload":"00038002","fields":{"x":3,"y":-2}})"},
        // Bytes beyond the layout are shown in the payload and otherwise ignored.
        FrameCase{
            "FlowWithExtraBytes", Frame(0x0F, {0x00, 0x03, 0x80, 0x02, 0xAA, 0x01}),
            R"({"event":"frame","type":"0x0F","len":10,"payload":"00038002aa01","fields":{"x":3,"y":-2}})"}),
    [](const testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

TEST(UndecodedFrameTest, ShortAndUnknownTypesCarryNoFields) {
  // A known TYPE one byte short of its layout is marked, not decoded.
  EXPECT_EQ(
      Receive(Frame(0xA1, Bytes(13, 0x01))),
      R"({"event":"frame","type":"0xA1","len":17,"payload":"01010101010101010101010101","short":true})"
      "\n");
  EXPECT_EQ(Receive(Frame(0xD3, {})),
            R"({"event":"frame","type":"0xD3","len":4,"payload":"","short":true})"
            "\n");
  // Unknown TYPEs, including the neighbours of the PID range, carry neither.
  EXPECT_EQ(Receive({0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA}),
            R"({"event":"frame","type":"0xE0","len":4,"payload":""})"
            "\n");
  EXPECT_EQ(Receive(Frame(0xD0, kPidGains)),
            R"({"event":"frame","type":"0xD0","len":16,"payload":"0000c03f0ad7a33c9a99993e"})"
            "\n");
  EXPECT_EQ(Receive(Frame(0xD6, {0xAB})),
            R"({"event":"frame","type":"0xD6","len":5,"payload":"ab"})"
            "\n");
  // The smallest good frame: its TYPE byte doubles as the SUM.
  EXPECT_EQ(Receive({0xA5, 0x5A, 0x03, 0x03, 0xAA}),
            R"({"event":"frame","type":"0x03","len":3,"payload":""})"
            "\n");
}

TEST(EventLineTest, ErrorsAndFramesKeepStreamOrder) {
  Bytes stream = {0xA5, 0x5A, 0x04, 0xE0, 0xE5, 0xAA};  // bad SUM
  stream.insert(stream.end(), {0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA});
  // 101 bytes after the header's 5A (which counts as the first) fire the watchdog once.
  stream.insert(stream.end(), 96, 0x00);
  EXPECT_EQ(Receive(stream),
            "{\"event\":\"checksum_error\"}\n"
            "{\"event\":\"frame\",\"type\":\"0xE0\",\"len\":4,\"payload\":\"\"}\n"
            "{\"event\":\"no_header\"}\n");
  EXPECT_EQ(Receive(Bytes(100, 0x00)), "");
  EXPECT_EQ(Receive(Bytes(202, 0x00)), "{\"event\":\"no_header\"}\n{\"event\":\"no_header\"}\n");
}

TEST(JsonNumberTest, NonFiniteValuesAreStrings) {
  // f32 little-endian: quiet NaN, a negative NaN, +infinity; -infinity in the last slot.
  EXPECT_EQ(
      Receive(
          Frame(0x15, {0x00, 0x00, 0xC0, 0x7F, 0x00, 0x00, 0x80, 0x7F, 0x00, 0x00, 0x80, 0xFF})),
      R"({"event":"frame","type":"0x15","len":16,"payload":"0000c07f0000807f000080ff","fields":{"target":"NaN","current":"Infinity","output":"-Infinity"}})"
      "\n");
  std::string out;
  ASSERT_TRUE(
      AppendFields(out, link::PidReport{2, -std::numeric_limits<float>::quiet_NaN(), 0, 0}));
  EXPECT_EQ(out, R"({"loop":2,"p":"NaN","i":0,"d":0})");
}

TEST(JsonNumberTest, UnknownAndShortReportsHaveNoFields) {
  std::string out;
  EXPECT_FALSE(AppendFields(out, link::UnknownFrame{}));
  EXPECT_FALSE(AppendFields(out, link::ShortFrame{}));
  EXPECT_EQ(out, "");
}

// Length of the plain decimal form of the shortest round-trip digits of `value`: the digits,
// zeros up to the point for large values, "0." and zeros before them for small ones.
std::size_t ShortestPlainLength(float value) {
  std::array<char, 64> text;
  const auto end =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific)
          .ptr;
  const std::string_view sci(text.data(), static_cast<std::size_t>(end - text.data()));
  const auto e = sci.find('e');
  int exponent = 0;
  std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);
  std::size_t digits = 0;
  for (const char c : sci.substr(0, e))
    digits += c >= '0' && c <= '9';
  const std::size_t sign = value < 0 ? 1 : 0;
  if (value == 0) return 1;
  if (exponent >= static_cast<int>(digits) - 1) return sign + exponent + 1;
  if (exponent >= 0) return sign + digits + 1;
  return sign + 2 + static_cast<std::size_t>(-exponent - 1) + digits;
}

TEST(JsonNumberTest, FiniteSingleValuesAreShortestRoundTripPlainDecimals) {
  std::mt19937 rng(4242);
  for (int round = 0; round < 20000; ++round) {
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
    if (!std::isfinite(value)) continue;
    std::string out;
    AppendFields(out, link::TrackReport{value, 0, 0});
    const std::string prefix = R"({"target":)";
    const std::string suffix = R"(,"current":0,"output":0})";
    ASSERT_EQ(out.substr(0, prefix.size()), prefix);
    ASSERT_GT(out.size(), prefix.size() + suffix.size());
    const std::string text = out.substr(prefix.size(), out.size() - prefix.size() - suffix.size());
    ASSERT_EQ(text.find_first_not_of("-0123456789."), std::string::npos) << text;

    EXPECT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
    // No longer than needed: large values may show their exact digits instead of zeros.
    EXPECT_EQ(text.size(), ShortestPlainLength(value)) << text;
  }
}

}  // namespace
}  // namespace tarvel::decode_json
