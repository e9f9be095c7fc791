#include "sim/flight_controller.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarvel::sim {
namespace {

constexpr std::uint32_t kStream = 4;
constexpr double kMetresPerDegree = 111320;  // of latitude, and of longitude at the equator
constexpr double kPi = std::numbers::pi;

// Gains a freshly flashed board carries.
constexpr std::array<Gains, 5> kDefaultGains = {{
    {2.5f, 0.05f, 0.35f},  // roll
    {2.5f, 0.05f, 0.35f},  // pitch
    {3.0f, 0.02f, 0.1f},   // yaw
    {1.2f, 0.1f, 0.5f},    // altitude
    {4.0f, 0.0f, 0.2f},    // angle balance
}};

// The waypoint the navigation frames steer to, metres north and east of home.
constexpr double kTargetNorth = 120;
constexpr double kTargetEast = -80;
constexpr float kTargetAltitude = 60;

double Wave(double amplitude, double period, double phase, double t) {
  return amplitude * std::sin(2 * kPi * t / period + phase);
}

double Pwm(double us) {
  return std::clamp(std::round(us), 1000.0, 2000.0);
}

double Radians(double degrees) {
  return degrees * kPi / 180.0;
}

}  // namespace

FlightController::FlightController(std::uint32_t seed) : random_(seed, kStream) {
  for (double& p : phase_)
    p = random_.Uniform(0, 2 * kPi);
  circle_start_ = random_.Uniform(0, 2 * kPi);
  circle_turn_ = random_.Chance(0.5) ? 1 : -1;
  gains_ = kDefaultGains;
}

std::array<double, 6> FlightController::Sticks(double t) const {
  return {
      1500 + Wave(300, 9.7, phase_[0], t) + Wave(80, 2.3, phase_[1], t),  // CH1 roll
      1500 + Wave(280, 12.1, phase_[2], t),                               // CH2 pitch
      1450 + Wave(250, 31, phase_[3], t),                                 // CH3 throttle
      1500 + Wave(200, 15.3, phase_[4], t),                               // CH4 yaw
      1500 + Wave(450, 90, phase_[5], t),                                 // CH5 mode switch
      1500 + Wave(400, 45, phase_[6], t),                                 // CH6 auxiliary
  };
}

link::PwmInReport FlightController::PwmIn(double t) {
  const auto sticks = Sticks(t);
  link::PwmInReport r;
  for (std::size_t i = 0; i < sticks.size(); ++i) {
    r.channels[i] = static_cast<float>(Pwm(sticks[i] + random_.Below(3) - 1));
  }
  return r;
}

link::PwmOutReport FlightController::PwmOut(double t) {
  link::PwmOutReport r;
  if (servos_held(t)) {
    r.channels.fill(1500);
    return r;
  }
  const auto s = Sticks(t);
  const double roll = s[0] - 1500, pitch = s[1] - 1500, yaw = s[3] - 1500, throttle = s[2];
  // Four motors of an X frame, then gimbal and auxiliary servos.
  const double out[8] = {
      throttle - 0.5 * roll + 0.5 * pitch + 0.3 * yaw,
      throttle + 0.5 * roll - 0.5 * pitch + 0.3 * yaw,
      throttle + 0.5 * roll + 0.5 * pitch - 0.3 * yaw,
      throttle - 0.5 * roll - 0.5 * pitch - 0.3 * yaw,
      1500 + 0.8 * roll,
      1500 + 0.8 * pitch,
      1500 - 0.6 * yaw,
      s[5],
  };
  for (std::size_t i = 0; i < r.channels.size(); ++i)
    r.channels[i] = static_cast<float>(Pwm(out[i]));
  return r;
}

FlightController::Track2d FlightController::Position(double t) const {
  const double w = circle_turn_ * 2 * kPi / kCirclePeriod;
  const double a = circle_start_ + w * t;
  return {kCircleRadius * std::cos(a), kCircleRadius * std::sin(a),
          -kCircleRadius * w * std::sin(a), kCircleRadius * w * std::cos(a)};
}

link::GpsReport FlightController::Gps(double t, double altitude) {
  const Track2d p = Position(t);
  const double lat_scale = kMetresPerDegree;
  const double lon_scale = kMetresPerDegree * std::cos(Radians(kHomeLatitude));
  link::GpsReport r;
  r.longitude = static_cast<float>(kHomeLongitude + p.east / lon_scale);
  r.latitude = static_cast<float>(kHomeLatitude + p.north / lat_scale);
  r.altitude = static_cast<float>(altitude + 2.5 + Wave(0.8, 37, phase_[7], t));
  r.satellites = static_cast<int>(9 + std::lround(Wave(2.4, 97, phase_[8], t)));
  double course = std::atan2(p.v_east, p.v_north) * 180 / kPi;
  if (course < 0) course += 360;
  r.course = static_cast<float>(course);
  r.speed = static_cast<float>(std::hypot(p.v_north, p.v_east));
  return r;
}

link::TargetReport FlightController::Target(double t, double yaw) {
  const Track2d p = Position(t);
  const double lon_scale = kMetresPerDegree * std::cos(Radians(kHomeLatitude));
  const double north = kTargetNorth - p.north, east = kTargetEast - p.east;
  // The way to the target in body axes, turned into bank and pitch demands.
  const double c = std::cos(Radians(yaw)), s = std::sin(Radians(yaw));
  const double forward = c * north + s * east, right = -s * north + c * east;
  link::TargetReport r;
  r.longitude = static_cast<float>(kHomeLongitude + kTargetEast / lon_scale);
  r.latitude = static_cast<float>(kHomeLatitude + kTargetNorth / kMetresPerDegree);
  r.altitude = kTargetAltitude;
  r.distance = static_cast<float>(std::hypot(north, east));
  r.x_output = static_cast<float>(std::clamp(0.06 * right, -15.0, 15.0));
  r.y_output = static_cast<float>(std::clamp(-0.06 * forward, -15.0, 15.0));
  return r;
}

link::StatusReport FlightController::Status(double t) {
  const auto s = Sticks(t);
  link::StatusReport r;
  r.mode = s[4] < 1300 ? 1 : s[4] < 1700 ? 2 : 3;  // manual, balance, position hold
  // A 3S pack running down over twenty minutes, sagging with the throttle.
  const double rest = std::max(12.6 - 0.0015 * t, 10.5);
  const double battery = rest - 0.4 * (s[2] - 1200) / 500;
  r.battery = static_cast<float>(battery);
  r.servo_voltage = static_cast<float>(5.1 + Wave(0.05, 13, phase_[9], t));
  r.error_code = battery < 11.1 ? 1 : 0;  // 1: low battery
  if (random_.Chance(0.01)) ++i2c_errors_;
  r.i2c_errors = i2c_errors_;
  r.uptime = static_cast<int>(static_cast<long long>(t) % 65536);  // a 16-bit counter
  return r;
}

link::FlowReport FlightController::Flow(double t, double yaw) {
  const Track2d p = Position(t);
  const double c = std::cos(Radians(yaw)), s = std::sin(Radians(yaw));
  const double forward = c * p.v_north + s * p.v_east, right = -s * p.v_north + c * p.v_east;
  return {static_cast<int>(std::lround(3 * forward)) + random_.Below(3) - 1,
          static_cast<int>(std::lround(3 * right)) + random_.Below(3) - 1};
}

link::TrackReport FlightController::Track(double t, double target, double current) {
  double error = target - current;
  if (selected_loop_ == 3) error = std::remainder(error, 360.0);  // the short way round
  const double dt = last_track_t_ < 0 ? 0 : t - last_track_t_;
  const double derivative = dt > 0 ? (error - last_error_) / dt : 0;
  integral_ = std::clamp(integral_ + error * dt, -100.0, 100.0);
  last_error_ = error;
  last_track_t_ = t;
  const Gains& g = gains_[static_cast<std::size_t>(selected_loop_ - 1)];
  const double output = g.p * error + g.i * integral_ + g.d * derivative;
  return {static_cast<float>(target), static_cast<float>(current), static_cast<float>(output)};
}

void FlightController::SelectLoop(int loop) {
  if (loop < 1 || loop > 4) return;
  selected_loop_ = loop;
  integral_ = 0;
  last_error_ = 0;
  last_track_t_ = -1;
}

Gains FlightController::gains(int loop) const {
  if (loop < 1 || loop > 5) return {};
  return gains_[static_cast<std::size_t>(loop - 1)];
}

void FlightController::SetGains(int loop, Gains g) {
  if (loop < 1 || loop > 5) return;
  if (!std::isfinite(g.p) || !std::isfinite(g.i) || !std::isfinite(g.d)) return;
  gains_[static_cast<std::size_t>(loop - 1)] = g;
}

}  // namespace tarvel::sim
