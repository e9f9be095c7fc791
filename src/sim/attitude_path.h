#pragma once
// The attitude the simulated board flies through: smooth, varied and bounded.
//
// Each angle is a sum of slow sines whose phases and exact periods come from the seed; yaw
// also sweeps round the compass. Pitch stays within +-37 degrees, roll within +-56 degrees and
// every Euler rate below 50 degrees per second.
//
// Conventions (the ones the station's displays use): yaw is the heading, 0 to 360 degrees
// clockwise from north; pitch is positive nose up; roll is positive right wing down. The
// rotation order is yaw, then pitch, then roll.

#include <array>
#include <cstdint>

namespace tarvel::sim {

struct Attitude {
  double yaw = 0, pitch = 0, roll = 0;                 // degrees, yaw in [0, 360)
  double yaw_rate = 0, pitch_rate = 0, roll_rate = 0;  // Euler angle rates, degrees per second
};

class AttitudePath {
 public:
  explicit AttitudePath(std::uint32_t seed);

  // The attitude `t` seconds after power-on. A pure function of the seed and `t`.
  Attitude At(double t) const;

 private:
  struct Wave {
    double amplitude = 0;  // degrees
    double omega = 0;      // radians per second
    double phase = 0;      // radians
  };
  static double Value(const std::array<Wave, 3>& waves, double t);
  static double Rate(const std::array<Wave, 3>& waves, double t);

  std::array<Wave, 3> pitch_, roll_, yaw_wobble_;
  double yaw_start_ = 0;  // degrees
  double yaw_sweep_ = 0;  // degrees per second, sign chosen by the seed
};

}  // namespace tarvel::sim
