#include "sim/barometer.h"

#include <cmath>
#include <numbers>

namespace tarvel::sim {
namespace {

constexpr std::uint32_t kStream = 3;
constexpr double kAltitudeNoise = 0.06;     // metres
constexpr double kTemperatureNoise = 0.03;  // degrees Celsius

double Wave(double amplitude, double period, double phase, double t) {
  return amplitude * std::sin(2 * std::numbers::pi * t / period + phase);
}

}  // namespace

Barometer::Barometer(std::uint32_t seed) : random_(seed, kStream) {
  base_ = random_.Uniform(30, 80);
  for (double& p : phase_)
    p = random_.Uniform(0, 2 * std::numbers::pi);
}

double Barometer::TrueAltitude(double t) const {
  return base_ + Wave(6, 240, phase_[0], t) + Wave(2.5, 67, phase_[1], t) +
         Wave(0.6, 11, phase_[2], t);
}

double Barometer::Temperature(double t) const {
  return 25 + Wave(1.2, 400, phase_[3], t) + Wave(0.4, 57, phase_[4], t);
}

double Barometer::PressureAt(double altitude) {
  return 101325.0 * std::pow(1.0 - 2.25577e-5 * altitude, 5.25588);
}

Barometer::Reading Barometer::Read(double t) {
  const double altitude = TrueAltitude(t) + kAltitudeNoise * random_.Gaussian();
  Reading r;
  r.altitude = altitude - zero_;
  r.pressure = PressureAt(altitude);
  r.temperature = Temperature(t) + kTemperatureNoise * random_.Gaussian();
  return r;
}

}  // namespace tarvel::sim
