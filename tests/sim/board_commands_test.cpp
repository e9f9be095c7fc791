// The board's answers to the station's commands.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <vector>

#include "link/commands.h"
#include "link/frame_types.h"
#include "sim/board.h"
#include "stream_capture.h"

namespace tarvel::sim {
namespace {

using simtest::Capture;
using simtest::Captured;
using simtest::RunBoard;
using std::chrono::milliseconds;

// Sends `command` and returns what the board answered at once.
Captured Command(Board& board, std::span<const std::uint8_t> command) {
  std::vector<std::uint8_t> out;
  board.Receive(command, out);
  return Capture(out);
}

Captured Frames(Board& board, double seconds) {
  return Capture(RunBoard(board, seconds));
}

// Reads the gains of `loop`, sending the command one byte at a time as a slow link would.
link::PidReport ReadGains(Board& board, int loop) {
  std::vector<std::uint8_t> out;
  for (const std::uint8_t b : link::ReadPidCommand(static_cast<std::uint8_t>(loop)))
    board.Receive(std::span(&b, 1), out);
  const Captured answer = Capture(out);
  EXPECT_EQ(answer.frames.size(), 1u);
  const auto pid = answer.All<link::PidReport>();
  return pid.size() == 1 ? pid[0] : link::PidReport{};
}

TEST(BoardCommandsTest, GainsAreReadWrittenAndReadBackExactly) {
  Board board;
  for (int loop = 1; loop <= 5; ++loop) {
    const link::PidReport fresh = ReadGains(board, loop);
    EXPECT_EQ(fresh.loop, loop);
    EXPECT_GT(fresh.p, 0.0f) << "a fresh board flies";
  }
  Command(board, link::WritePidCommand(2, 1.5f, 0.02f, 0.3f));
  Command(board, link::WritePidCommand(5, 7.125f, 0.0f, 1e-7f));
  // Not finite, or too short to carry three gains: the board keeps what it had.
  Command(board, link::WritePidCommand(2, std::numeric_limits<float>::quiet_NaN(), 1, 1));
  Command(board, link::WritePidCommand(5, 1, std::numeric_limits<float>::infinity(), 1));
  const std::uint8_t short_write[] = {0xA5, 0x5A, 0x08, 0xDB, 0, 0, 0x80, 0x3F, 0x62, 0xAA};
  Command(board, short_write);

  const link::PidReport pitch = ReadGains(board, 2);
  EXPECT_EQ(pitch.p, 1.5f);
  EXPECT_EQ(pitch.i, 0.02f);
  EXPECT_EQ(pitch.d, 0.3f);
  const link::PidReport balance = ReadGains(board, 5);
  EXPECT_EQ(balance.p, 7.125f);
  EXPECT_EQ(balance.i, 0.0f);
  EXPECT_EQ(balance.d, 1e-7f);
  EXPECT_NE(ReadGains(board, 1).p, 1.5f) << "other loops untouched";
}

// Tracking samples and attitude frames fall on the same moments (25 and 50 per second): the
// sample's measured value is the selected loop's quantity in the attitude frame.
TEST(BoardCommandsTest, SelectedLoopDecidesWhatTheTrackingSamplesFollow) {
  Board board;
  for (const int loop : {4, 1, 3, 2}) {
    Command(board, link::SelectPidCommand(static_cast<std::uint8_t>(loop)));
    const Captured capture = Frames(board, 4);
    const auto track = capture.All<link::TrackReport>();
    const auto imu = capture.All<link::ImuReport>();
    ASSERT_EQ(track.size() * 2, imu.size());
    double lead = 0;
    for (std::size_t k = 0; k < track.size(); ++k) {
      const link::ImuReport& r = imu[2 * k + 1];
      const double quantity[] = {r.roll, r.pitch, r.yaw, r.altitude};
      const double tolerance = loop == 4 ? 0.4 : 0.06;  // the barometer is noisy
      ASSERT_NEAR(std::remainder(track[k].current - quantity[loop - 1], 360.0), 0, tolerance)
          << "loop " << loop << " sample " << k;
      lead += std::fabs(track[k].target - track[k].current);
    }
    EXPECT_GT(lead, 0) << "the set point runs ahead of the measured value";
    EXPECT_EQ(board.state().tracked_loop, loop);
  }
}

TEST(BoardCommandsTest, AltitudeZeroMakesTheCurrentHeightReadZero) {
  Board board;
  EXPECT_GT(Frames(board, 5).All<link::ImuReport>().back().altitude, 20.0f) << "above sea level";
  Command(board, link::AltitudeZeroCommand());
  EXPECT_NEAR(Frames(board, 0.5).All<link::ImuReport>().front().altitude, 0, 0.3);
}

TEST(BoardCommandsTest, GyroZeroRemovesTheBias) {
  BoardOptions options;
  options.rates = FrameRates{0, 50, 0, 0, 0, 0, 0, 0, 0, 0};
  Board board(options);
  // Mean of gyroscope minus true rate over 4 s. Sensor frames are due on whole 20 ms steps,
  // where state() tells the true rates.
  const auto mean_error = [&board]() {
    Vec3 sum;
    for (int i = 0; i < 200; ++i) {
      std::vector<std::uint8_t> out;
      board.Advance(milliseconds(20), out);
      const auto m = Capture(out).All<link::MotionReport>().at(0);
      const Vec3 truth = board.state().body_rates;
      sum = {sum.x + m.gyro_x / 32.8 - truth.x, sum.y + m.gyro_y / 32.8 - truth.y,
             sum.z + m.gyro_z / 32.8 - truth.z};
    }
    return (1.0 / 200) * sum;
  };
  const Vec3 bias = board.state().gyro_bias;
  ASSERT_GT(std::fabs(bias.x) + std::fabs(bias.y) + std::fabs(bias.z), 0.3);
  const Vec3 before = mean_error();
  Command(board, link::GyroZeroCommand());
  const Vec3 after = mean_error();
  for (const auto& [seen, expected] : {std::pair{before.x, bias.x},
                                       {before.y, bias.y},
                                       {before.z, bias.z},
                                       {after.x, 0.0},
                                       {after.y, 0.0},
                                       {after.z, 0.0}})
    EXPECT_NEAR(seen, expected, 0.05);
}

TEST(BoardCommandsTest, MagCalibrationBeginsAfreshAndSaveKeepsTheExtremes) {
  const auto span = [](const link::MagRangeReport& r) {
    return (r.max_hx - r.min_hx) + (r.max_hy - r.min_hy) + (r.max_hz - r.min_hz);
  };
  Board board;
  const auto collected = Frames(board, 40).All<link::MagRangeReport>();
  ASSERT_EQ(collected.size(), 40u);
  EXPECT_GT(span(collected.back()), 1000) << "the board has been turned about";
  EXPECT_GE(span(collected.back()), span(collected.front()));

  Command(board, link::MagBeginCommand());
  const auto fresh = Frames(board, 1).All<link::MagRangeReport>();
  ASSERT_EQ(fresh.size(), 1u);
  EXPECT_LT(span(fresh[0]), 0.5 * span(collected.back()));
  // Every reading since the start lies within the extremes.
  const auto grown = Frames(board, 30).All<link::MagRangeReport>().back();
  EXPECT_GT(span(grown), span(fresh[0]));

  Command(board, link::MagSaveCommand());
  EXPECT_FALSE(board.state().mag_collecting);
  const auto kept = Frames(board, 20).All<link::MagRangeReport>();
  for (const auto& r : kept) {
    EXPECT_EQ(r.max_hx, kept[0].max_hx);
    EXPECT_EQ(r.min_hz, kept[0].min_hz);
    EXPECT_EQ(span(r), span(kept[0]));
  }
}

TEST(BoardCommandsTest, ServoMidHoldsEveryOutputAtNeutralForAWhile) {
  Board board;
  Frames(board, 2);
  Command(board, link::ServoMidCommand());
  for (const auto& r : Frames(board, 2.9).All<link::PwmOutReport>()) {
    for (const float ch : r.channels)
      ASSERT_EQ(ch, 1500.0f);
  }
  const auto later = Frames(board, 2).All<link::PwmOutReport>().back().channels;
  EXPECT_NE(std::count(later.begin(), later.end(), 1500.0f), 8);
  EXPECT_EQ(
      std::count_if(later.begin(), later.end(), [](float ch) { return ch < 1000 || ch > 2000; }),
      0);
}

}  // namespace
}  // namespace tarvel::sim
