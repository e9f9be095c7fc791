#pragma once
// The flight controller of the simulated board: receiver inputs and motor/servo outputs, a GPS
// position on a slow circle, a navigation target, its status, the gains of its five control
// loops and the tracking samples of the selected loop.
//
// Loops are numbered as on the wire: 1 roll, 2 pitch, 3 yaw, 4 altitude, 5 angle balance.
// Values come out as the link's report structs, ready for the frame encoder.

#include <array>
#include <cstdint>

#include "link/reports.h"
#include "sim/random.h"

namespace tarvel::sim {

struct Gains {
  float p = 0, i = 0, d = 0;
  bool operator==(const Gains&) const = default;
};

class FlightController {
 public:
  // How long the outputs stay at neutral (1500 us) after the servo-neutral command.
  static constexpr double kServoHoldSeconds = 3.0;
  // Where the board flies: a circle of this radius round this point, once in kCirclePeriod.
  static constexpr double kHomeLongitude = 121.5;
  static constexpr double kHomeLatitude = 31.2;
  static constexpr double kCircleRadius = 150;  // metres
  static constexpr double kCirclePeriod = 150;  // seconds

  explicit FlightController(std::uint32_t seed);

  // Frames of time `t` (seconds since power-on). Calls must come in time order.
  link::PwmInReport PwmIn(double t);
  link::PwmOutReport PwmOut(double t);
  link::GpsReport Gps(double t, double altitude);  // altitude above sea level, metres
  link::TargetReport Target(double t, double yaw);
  link::StatusReport Status(double t);
  link::FlowReport Flow(double t, double yaw);
  // One tracking sample of the selected loop, whose set point is `target` and whose measured
  // value is `current` at `t`. The output is that loop's PID with its stored gains.
  link::TrackReport Track(double t, double target, double current);

  // Loop selection for the tracking samples, 1..4; other numbers are ignored.
  int selected_loop() const { return selected_loop_; }
  void SelectLoop(int loop);

  // Gains of loop 1..5. SetGains ignores other loop numbers and gains that are not finite.
  Gains gains(int loop) const;
  void SetGains(int loop, Gains gains);

  void HoldServosMid(double until) { servo_hold_until_ = until; }
  bool servos_held(double t) const { return t < servo_hold_until_; }

 private:
  // The six receiver inputs at `t`, microseconds, without jitter.
  std::array<double, 6> Sticks(double t) const;
  // Position on the circle in metres north and east of home, and the velocity.
  struct Track2d {
    double north, east, v_north, v_east;
  };
  Track2d Position(double t) const;

  Random random_;
  std::array<double, 10> phase_{};
  double circle_start_ = 0;  // radians
  double circle_turn_ = 1;   // +1 clockwise seen from above, -1 anticlockwise

  std::array<Gains, 5> gains_;
  int selected_loop_ = 1;
  double integral_ = 0;  // of the selected loop's error
  double last_error_ = 0;
  double last_track_t_ = -1;  // no sample yet for the selected loop

  double servo_hold_until_ = -1;
  int i2c_errors_ = 0;
};

}  // namespace tarvel::sim
