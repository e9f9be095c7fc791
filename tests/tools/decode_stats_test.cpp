// tarvel-decode --stats: its summary against an independent count of the naive receiver model
// on generated streams, the summary of inputs with nothing good in them, and --line.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "adversarial_stream.h"
#include "decode_runner.h"
#include "json_value.h"
#include "link/frame.h"
#include "naive_receiver.h"
#include "sim/board.h"

namespace tarvel::decode_json {
namespace {

using test::Bytes;
using test::JsonReader;
using test::JsonValue;
using test::Result;
using testing::HasSubstr;
using DecodeStatsTest = test::DecodeRunTest;

NaiveStats NaiveCount(const Bytes& stream) {
  std::string lines;
  NaiveReceiver model(lines);
  for (const std::uint8_t b : stream)
    model.Byte(b);
  return model.stats;
}

std::string TypeName(std::uint8_t type) {
  char name[8];
  std::snprintf(name, sizeof name, "0x%02X", type);
  return name;
}

// Checks that `out` is one JSON object on one line with exactly the counts of `expected`, and
// a duration of `seconds_per_byte` per byte.
void ExpectSummary(const std::string& out, const NaiveStats& expected, double seconds_per_byte) {
  ASSERT_TRUE(out.ends_with("}\n")) << out;
  ASSERT_EQ(out.find('\n'), out.size() - 1) << out;
  const auto json = JsonReader::Read(out);
  ASSERT_TRUE(json && json->object()) << "not a JSON object: " << out;
  const JsonValue::Object& o = *json->object();
  auto count = [&](const char* key) -> double {
    const auto it = o.find(key);
    if (it == o.end() || !it->second.number()) {
      ADD_FAILURE() << "no number " << key << " in " << out;
      return -1;
    }
    return *it->second.number();
  };
  EXPECT_EQ(count("bytes"), static_cast<double>(expected.bytes));
  EXPECT_EQ(count("checksum_errors"), static_cast<double>(expected.checksum_errors));
  EXPECT_EQ(count("no_header"), static_cast<double>(expected.no_header));
  EXPECT_EQ(count("short_frames"), static_cast<double>(expected.short_frames));
  EXPECT_EQ(count("unknown_types"), static_cast<double>(expected.unknown_types));
  EXPECT_NEAR(count("duration_s"), static_cast<double>(expected.bytes) * seconds_per_byte,
              1e-9 * (1 + static_cast<double>(expected.bytes) * seconds_per_byte));

  std::uint64_t good = 0;
  JsonValue::Object frames_expected;
  for (const auto& [type, n] : expected.frames) {
    good += n;
    frames_expected[TypeName(type)] = JsonValue{static_cast<double>(n)};
  }
  EXPECT_EQ(count("good_frames"), static_cast<double>(good));
  const double checked = static_cast<double>(good + expected.checksum_errors);
  EXPECT_DOUBLE_EQ(count("checksum_error_pct"),
                   checked > 0 ? 100 * static_cast<double>(expected.checksum_errors) / checked : 0);
  const auto frames = o.find("frames");
  ASSERT_TRUE(frames != o.end() && frames->second.object()) << out;
  std::vector<std::pair<std::string, double>> got, want;
  for (const auto& [k, v] : *frames->second.object())
    got.emplace_back(k, v.number().value_or(-1));
  for (const auto& [k, v] : frames_expected)
    want.emplace_back(k, *v.number());
  EXPECT_EQ(got, want) << out;
}

constexpr double kSecondsPerByte8N1At115200 = 10.0 / 115200;

Bytes BoardStream(std::uint32_t seed, double corrupt, double noise) {
  sim::BoardOptions o;
  o.seed = seed;
  o.rates.flow_hz = 20;
  o.faults.corrupt_checksum = corrupt;
  o.faults.noise = noise;
  o.faults.max_noise_bytes = 300;  // long enough to trip the header watchdog
  sim::Board board(o);
  Bytes out;
  for (int i = 0; i < 500; ++i)
    board.Advance(std::chrono::milliseconds(10), out);
  return out;
}

// Frames the board never sends: known TYPEs cut short, TYPEs without a decoder, and the
// degenerate frame whose TYPE is its SUM.
Bytes OddFrames(std::mt19937& rng) {
  Bytes s;
  for (int i = 0; i < 200; ++i) {
    const std::uint8_t type = i % 3 ? kProtocolBytes[rng() % 12] : static_cast<std::uint8_t>(rng());
    Bytes payload(rng() % 20, 0x11);
    link::AppendFrame(s, type, payload);
  }
  s.insert(s.end(), {0xA5, 0x5A, 0x03, 0x03, 0xAA});
  return s;
}

TEST_F(DecodeStatsTest, SummaryMatchesTheNaiveCount) {
  std::mt19937 rng(0x57A7);
  NaiveStats seen;
  for (int round = 0; round < 16; ++round) {
    Bytes stream;
    switch (round % 4) {
      case 0:
        for (int i = 0; i < 40; ++i) {
          const Bytes piece = AdversarialStream(rng);
          stream.insert(stream.end(), piece.begin(), piece.end());
        }
        break;
      case 1: stream = BoardStream(round, 0.02, 0.1); break;
      case 2: stream = OddFrames(rng); break;
      default:  // noise rich in protocol bytes
        stream.resize(20000);
        for (auto& b : stream)
          b = rng() % 3 ? static_cast<std::uint8_t>(rng()) : kProtocolBytes[rng() % 3];
    }
    SCOPED_TRACE(testing::Message() << "round " << round);
    const NaiveStats expected = NaiveCount(stream);
    // Cut in two files at any point: still one stream.
    const auto cut = static_cast<std::ptrdiff_t>(rng() % (stream.size() + 1));
    const std::string first = File("a.bin", Bytes(stream.begin(), stream.begin() + cut));
    const std::string second = File("b.bin", Bytes(stream.begin() + cut, stream.end()));
    const Result r = Run("--stats " + first + " " + second);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    ExpectSummary(r.out, expected, kSecondsPerByte8N1At115200);

    seen.checksum_errors += expected.checksum_errors;
    seen.no_header += expected.no_header;
    seen.short_frames += expected.short_frames;
    seen.unknown_types += expected.unknown_types;
    seen.frames.merge(std::map(expected.frames));
  }
  // The streams reach every kind of count.
  EXPECT_GT(seen.checksum_errors, 100u);
  EXPECT_GT(seen.no_header, 100u);
  EXPECT_GT(seen.short_frames, 100u);
  EXPECT_GT(seen.unknown_types, 100u);
  EXPECT_GT(seen.frames.size(), 20u);
}

TEST_F(DecodeStatsTest, InputsWithoutGoodFramesGiveWellFormedCounts) {
  Bytes noise(1000);
  std::mt19937 rng(3);
  for (auto& b : noise)
    b = static_cast<std::uint8_t>(rng() % 0xA5);  // never a header
  Bytes bad_sums;
  for (int i = 0; i < 30; ++i) {
    Bytes frame = link::BuildFrame(0xA1, Bytes(14, static_cast<std::uint8_t>(i)));
    frame[frame.size() - 2] ^= 0xFF;
    bad_sums.insert(bad_sums.end(), frame.begin(), frame.end());
  }
  struct Case {
    const char* name;
    Bytes bytes;
    std::uint64_t no_header, checksum_errors;
  };
  const Case cases[] = {
      {"empty", {}, 0, 0},
      {"noise", noise, 9, 0},  // one report per 101 bytes
      {"bad sums", bad_sums, 0, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NaiveStats expected;
    expected.bytes = c.bytes.size();
    expected.no_header = c.no_header;
    expected.checksum_errors = c.checksum_errors;
    const Result r = Run("--stats " + File("in.bin", c.bytes));
    EXPECT_EQ(r.status, 0);
    ExpectSummary(r.out, expected, kSecondsPerByte8N1At115200);
    ExpectSummary(r.out, NaiveCount(c.bytes), kSecondsPerByte8N1At115200);
  }
}

TEST_F(DecodeStatsTest, LineSettingsGiveTheDuration) {
  struct Case {
    const char* option;
    std::size_t bytes;
    double seconds;
  };
  for (const Case& c : {Case{"", 11520, 1.0}, Case{"--line 115200,n,8,1", 11520, 1.0},
                        Case{"--line 9600,e,8,2", 960, 1.2}, Case{"--line=300,o,7,1.5", 30, 1.05},
                        Case{"--line ' 57600, N ,8,2'", 5760, 1.1}}) {
    SCOPED_TRACE(c.option);
    const Result r =
        Run(std::string("--stats ") + c.option + " " + File("in.bin", Bytes(c.bytes, 0x00)));
    EXPECT_EQ(r.status, 0);
    NaiveStats expected = NaiveCount(Bytes(c.bytes, 0x00));
    ExpectSummary(r.out, expected, c.seconds / static_cast<double>(c.bytes));
  }
}

TEST_F(DecodeStatsTest, BadLineSettingsAreAUsageError) {
  const std::string in = File("in.bin", Bytes(100, 0x00));
  for (const std::string args :
       {"--stats --line 115200,x,8,1 ", "--stats --line 115200,n,8 ", "--stats --line '' ",
        "--stats --line=0,n,8,1 ", "--stats --line 115200,n,8,3 ", "--line 115200,n,8,1 "}) {
    const Result r = Run(args + in);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_EQ(r.out, "") << args;
    EXPECT_THAT(r.err, HasSubstr("tarvel-decode: --line")) << args;
  }
  const Result r = Run("--stats " + in + " --line");
  EXPECT_EQ(r.status, 2);
  EXPECT_THAT(r.err, HasSubstr("--line: needs line settings"));
}

TEST_F(DecodeStatsTest, UnreadableInputStillGivesTheSummaryOfTheRest) {
  const Bytes frame = link::BuildFrame(0xA1, Bytes(14, 0x01));
  const Result r = Run("--stats " + File("a.bin", frame) + " " + Quoted(dir_ / "missing.bin") +
                       " " + File("b.bin", frame));
  EXPECT_EQ(r.status, 1);
  EXPECT_THAT(r.err, HasSubstr("missing.bin: No such file or directory"));
  Bytes both = frame;
  both.insert(both.end(), frame.begin(), frame.end());
  ExpectSummary(r.out, NaiveCount(both), kSecondsPerByte8N1At115200);
}

}  // namespace
}  // namespace tarvel::decode_json
