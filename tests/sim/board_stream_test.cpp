// The board's byte stream as the station's receiver sees it: intact frames at the promised
// rates, reproducible, and faults that look the way they are meant to.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "link/frame_types.h"
#include "sim/board.h"
#include "sim/random.h"
#include "stream_capture.h"

namespace tarvel::sim {
namespace {

using simtest::Capture;
using simtest::Captured;
using simtest::RunBoard;

BoardOptions Options(std::uint32_t seed, Faults faults = {}) {
  BoardOptions o;
  o.seed = seed;
  o.rates.flow_hz = 20;  // off by default; on here so its frames are checked too
  o.faults = faults;
  return o;
}

TEST(BoardStreamTest, EveryByteBelongsToAGoodDecodableFrame) {
  for (const std::uint32_t seed : {1u, 2u, 77u}) {
    Board board(Options(seed));
    const std::vector<std::uint8_t> stream = RunBoard(board, 60);
    const Captured capture = Capture(stream);
    EXPECT_EQ(capture.checksum_errors + capture.headers_missing, 0);
    std::size_t framed = 0;
    for (const auto& f : capture.frames) {
      framed += f.wire_size();
      ASSERT_FALSE(std::holds_alternative<link::ShortFrame>(f.report)) << int{f.type};
      ASSERT_FALSE(std::holds_alternative<link::UnknownFrame>(f.report)) << int{f.type};
    }
    // A frame lost to a false header would leave bytes outside any good frame.
    EXPECT_EQ(framed, stream.size()) << "seed " << seed;
  }
}

TEST(BoardStreamTest, RatesAreHonoured) {
  FrameRates custom{200, 100, 10, 10, 1, 5, 0, 0, 1, 12.5};
  for (const FrameRates& rates : {Options(1).rates, custom}) {
    Board board(BoardOptions{1, rates, {}});
    const Captured capture = Capture(RunBoard(board, 10));
    const std::pair<std::uint8_t, double> expected[] = {
        {link::kTypeImu, rates.imu_hz},
        {link::kTypeMotion, rates.motion_hz},
        {link::kTypePwmIn, rates.pwm_in_hz},
        {link::kTypePwmOut, rates.pwm_out_hz},
        {link::kTypeGps, rates.gps_hz},
        {link::kTypeTarget, rates.target_hz},
        {link::kTypeStatus, rates.status_hz},
        {link::kTypeTrack, rates.track_hz},
        {link::kTypeMagRange, rates.mag_range_hz},
        {link::kTypeFlow, rates.flow_hz},
    };
    for (const auto& [type, hz] : expected) {
      // A very rare frame may be held back to avoid a false header.
      EXPECT_NEAR(capture.Count(type), 10 * hz, 1 + 0.01 * 10 * hz) << std::hex << int{type};
    }
  }
}

TEST(BoardStreamTest, SameSeedSameBytesWhateverTheSteps) {
  const BoardOptions options = Options(5, {0.2, 0.3, 20});
  Board one_go(options);
  std::vector<std::uint8_t> a;
  one_go.Advance(std::chrono::seconds(20), a);
  one_go.Advance(std::chrono::microseconds(-5'000'000), a);  // time never runs backwards
  EXPECT_DOUBLE_EQ(one_go.state().time, 20.0);

  Board stepped(options);
  std::vector<std::uint8_t> b;
  Random steps(99);
  for (std::int64_t done = 0; done < 20'000'000;) {
    const std::int64_t step = std::min<std::int64_t>(1 + steps.Below(37'000), 20'000'000 - done);
    stepped.Advance(std::chrono::microseconds(step), b);
    done += step;
  }
  EXPECT_EQ(a, b);

  Board other(Options(6, options.faults));
  std::vector<std::uint8_t> c;
  other.Advance(std::chrono::seconds(20), c);
  EXPECT_NE(a, c);
}

TEST(BoardStreamTest, FaultsSpoilOnlyWhatTheyAreMeantTo) {
  // Faults draw from their own sequence: the frames are the same with and without them.
  Board clean(Options(1));
  const std::vector<std::uint8_t> clean_stream = RunBoard(clean, 10);
  const Captured reference = Capture(clean_stream);

  Board corrupt(Options(1, {1, 0, 16}));
  const Captured corrupted = Capture(RunBoard(corrupt, 10));
  EXPECT_TRUE(corrupted.frames.empty());
  EXPECT_EQ(corrupted.checksum_errors, static_cast<int>(reference.frames.size()));

  for (const int max_noise : {16, 250}) {
    Board noisy(Options(1, {0, 1, max_noise}));
    const std::vector<std::uint8_t> stream = RunBoard(noisy, 10);
    const Captured capture = Capture(stream);
    EXPECT_GT(stream.size(), clean_stream.size() + reference.frames.size());
    EXPECT_EQ(capture.checksum_errors, 0);
    ASSERT_EQ(capture.frames.size(), reference.frames.size()) << max_noise;
    for (std::size_t i = 0; i < capture.frames.size(); ++i)
      ASSERT_EQ(capture.frames[i].bytes, reference.frames[i].bytes) << i;
    // Short bursts keep headers within the watchdog's reach; long ones trip it now and then.
    EXPECT_EQ(capture.headers_missing > 0, max_noise == 250);
  }
}

}  // namespace
}  // namespace tarvel::sim
