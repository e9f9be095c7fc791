// The sensor frames agree with the attitude frames and with each other, as the frames of a
// real board do: the station's instruments, horizon and calibration all rely on it.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "link/commands.h"
#include "link/reports.h"
#include "sim/board.h"
#include "stream_capture.h"

namespace tarvel::sim {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

using V = std::array<double, 3>;
V operator-(const V& a, const V& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
V operator+(const V& a, const V& b) {
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
V operator*(double k, const V& a) {
  return {k * a[0], k * a[1], k * a[2]};
}
V Cross(const V& a, const V& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Norm(const V& a) {
  return std::hypot(a[0], a[1], a[2]);
}
double AngleDiff(double a, double b) {
  return std::remainder(a - b, 360.0);
}

// One minute of frames, the sensors without gyroscope bias. Attitude and sensor frames are
// sent at the same rate, so the n-th of each share a moment.
class SensorConsistencyTest : public ::testing::TestWithParam<std::uint32_t> {
 protected:
  void SetUp() override {
    Board board(BoardOptions{GetParam(), {}, {}});
    std::vector<std::uint8_t> out;
    board.Receive(link::GyroZeroCommand(), out);
    const simtest::Captured capture = simtest::Capture(simtest::RunBoard(board, 60));
    imu_ = capture.All<link::ImuReport>();
    for (const auto& m : capture.All<link::MotionReport>()) {
      acc_.push_back({1.0 * m.acc_x, 1.0 * m.acc_y, 1.0 * m.acc_z});
      gyro_.push_back({1.0 * m.gyro_x, 1.0 * m.gyro_y, 1.0 * m.gyro_z});
      mag_.push_back({1.0 * m.mag_x, 1.0 * m.mag_y, 1.0 * m.mag_z});
    }
    ASSERT_EQ(imu_.size(), 3000u);
    ASSERT_EQ(acc_.size(), imu_.size());
  }

  std::vector<link::ImuReport> imu_;
  std::vector<V> acc_, gyro_, mag_;
};

TEST_P(SensorConsistencyTest, AttitudeMovesSmoothlyThroughAVariedRange) {
  double min_pitch = 0, max_pitch = 0, min_roll = 0, max_roll = 0;
  bool quadrant[4] = {};
  for (std::size_t i = 0; i < imu_.size(); ++i) {
    const auto& r = imu_[i];
    ASSERT_TRUE(r.yaw >= 0 && r.yaw < 360 && std::fabs(r.pitch) <= 40 && std::fabs(r.roll) <= 60)
        << i;
    min_pitch = std::min<double>(min_pitch, r.pitch);
    max_pitch = std::max<double>(max_pitch, r.pitch);
    min_roll = std::min<double>(min_roll, r.roll);
    max_roll = std::max<double>(max_roll, r.roll);
    quadrant[static_cast<int>(r.yaw / 90)] = true;
    if (i == 0) continue;
    // 20 ms apart at under 50 degrees per second, plus the rounding to tenths.
    ASSERT_LT(std::fabs(AngleDiff(r.yaw, imu_[i - 1].yaw)), 1.1) << i;
    ASSERT_LT(std::fabs(r.pitch - imu_[i - 1].pitch), 1.1) << i;
    ASSERT_LT(std::fabs(r.roll - imu_[i - 1].roll), 1.1) << i;
  }
  EXPECT_GT(max_pitch - min_pitch, 30);
  EXPECT_GT(max_roll - min_roll, 50);
  EXPECT_TRUE(quadrant[0] && quadrant[1] && quadrant[2] && quadrant[3]);
}

// Pitch and roll read off gravity, and the heading read off the levelled field, are the
// attitude the board reports.
TEST_P(SensorConsistencyTest, AccelerometerAndMagnetometerShowTheAttitude) {
  for (std::size_t i = 0; i < imu_.size(); ++i) {
    const V& a = acc_[i];
    ASSERT_NEAR(Norm(a), 16384, 0.01 * 16384) << i;
    ASSERT_NEAR(std::atan2(a[0], std::hypot(a[1], a[2])) / kDeg, imu_[i].pitch, 0.5) << i;
    ASSERT_NEAR(std::atan2(a[1], a[2]) / kDeg, imu_[i].roll, 0.5) << i;

    ASSERT_NEAR(Norm(mag_[i]), 545, 15) << i;
    // Sensor axes forward-left-up to forward-right-down, then undo roll and pitch.
    const double p = imu_[i].pitch * kDeg, r = imu_[i].roll * kDeg;
    const V b = {mag_[i][0], -mag_[i][1], -mag_[i][2]};
    const V rolled = {b[0], std::cos(r) * b[1] - std::sin(r) * b[2],
                      std::sin(r) * b[1] + std::cos(r) * b[2]};
    const V level = {std::cos(p) * rolled[0] + std::sin(p) * rolled[2], rolled[1],
                     -std::sin(p) * rolled[0] + std::cos(p) * rolled[2]};
    ASSERT_NEAR(AngleDiff(std::atan2(-level[1], level[0]) / kDeg, imu_[i].yaw), 0, 2.0) << i;
    ASSERT_GT(level[2], 0) << "the field dips downwards";
  }
}

TEST_P(SensorConsistencyTest, GyroscopeTurnsGravityAndFieldAsTheyTurn) {
  // Seen from the board, a fixed vector v turns as dv/dt = -w x v. Over half-second windows
  // (long enough for the turn to stand out of the noise) the change predicted from the
  // gyroscope must match the change the other sensors saw.
  constexpr std::size_t kWindow = 25;
  constexpr double kStep = 0.02 * kDeg / 32.8;  // seconds per frame times radians per count
  for (const std::vector<V>* seen : {&acc_, &mag_}) {
    const std::vector<V>& v = *seen;
    double error = 0, change = 0;
    for (std::size_t i = 0; i + kWindow < v.size(); i += kWindow) {
      V predicted{};
      for (std::size_t k = i; k < i + kWindow; ++k)
        predicted = predicted - kStep * 0.25 * Cross(gyro_[k] + gyro_[k + 1], v[k] + v[k + 1]);
      error += Norm(v[i + kWindow] - v[i] - predicted);
      change += Norm(v[i + kWindow] - v[i]);
    }
    EXPECT_LT(error, 0.1 * change) << (seen == &acc_ ? "accelerometer" : "magnetometer");
  }
}

TEST_P(SensorConsistencyTest, BarometerFollowsTheStandardAtmosphere) {
  double min_alt = 1e9, max_alt = -1e9;
  for (const auto& r : imu_) {
    const double from_pressure =
        (1 - std::pow(r.pressure_pa() / 101325.0, 1 / 5.25588)) / 2.25577e-5;
    ASSERT_NEAR(from_pressure, r.altitude, 1.0);  // the field's 10 Pa are about 0.8 m
    ASSERT_NEAR(r.temperature, 25, 2.5);
    ASSERT_GT(r.solution_rate, 0);
    min_alt = std::min<double>(min_alt, r.altitude);
    max_alt = std::max<double>(max_alt, r.altitude);
  }
  EXPECT_GT(max_alt - min_alt, 0.5) << "drifts";
  EXPECT_LT(max_alt - min_alt, 25) << "slowly";
}

INSTANTIATE_TEST_SUITE_P(Seeds, SensorConsistencyTest, ::testing::Values(1u, 4242u));

}  // namespace
}  // namespace tarvel::sim
