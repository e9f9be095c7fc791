#pragma once
// The simulated board's barometer: height drifting slowly by a few metres, the air at about
// 25 degrees Celsius, and a pressure that follows the altitude through the standard atmosphere.
//
// The board reports altitude above sea level until the station zeroes it; from then on it
// reports the height above the point where it was zeroed.

#include <array>
#include <cstdint>

#include "sim/random.h"

namespace tarvel::sim {

class Barometer {
 public:
  struct Reading {
    double altitude = 0;     // metres, as reported (relative to the last zero)
    double temperature = 0;  // degrees Celsius
    double pressure = 0;     // pascal
  };

  explicit Barometer(std::uint32_t seed);

  // One noisy reading `t` seconds after power-on. Altitude and pressure carry the same noise,
  // as the board derives its altitude from the pressure.
  Reading Read(double t);

  // Noiseless values, pure functions of the seed, `t` and the last zero.
  double TrueAltitude(double t) const;  // metres above sea level
  double ReportedAltitude(double t) const { return TrueAltitude(t) - zero_; }
  double Temperature(double t) const;

  // The altitude-zero command: the height at `t` reads 0 from then on.
  void ZeroAltitude(double t) { zero_ = TrueAltitude(t); }

  // Standard atmosphere: pressure in pascal at `altitude` metres above sea level.
  static double PressureAt(double altitude);

 private:
  Random random_;
  double base_ = 0;  // metres above sea level around which the board drifts
  std::array<double, 5> phase_{};
  double zero_ = 0;
};

}  // namespace tarvel::sim
