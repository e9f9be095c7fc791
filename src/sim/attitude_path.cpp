#include "sim/attitude_path.h"

#include <cmath>
#include <numbers>

#include "sim/random.h"

namespace tarvel::sim {
namespace {

constexpr std::uint32_t kStream = 1;

struct WaveShape {
  double amplitude;  // degrees
  double period;     // seconds, stretched by the seed by up to 10 % either way
};

// Amplitudes add up to the bounds promised in the header; periods from a few seconds (the
// board is waved about) to half a minute (it is slowly turned over).
constexpr WaveShape kPitch[] = {{22, 17}, {10, 7.3}, {5, 3.1}};
constexpr WaveShape kRoll[] = {{35, 13}, {15, 5.7}, {6, 3.5}};
constexpr WaveShape kYawWobble[] = {{40, 23}, {10, 6.1}, {0, 1}};
constexpr double kYawSweep = 9;  // degrees per second: once round the compass in 40 s

}  // namespace

AttitudePath::AttitudePath(std::uint32_t seed) {
  Random random(seed, kStream);
  const auto make = [&random](std::array<Wave, 3>& waves, const WaveShape(&shapes)[3]) {
    for (std::size_t i = 0; i < waves.size(); ++i) {
      const double period = shapes[i].period * random.Uniform(0.9, 1.1);
      waves[i] = {shapes[i].amplitude, 2 * std::numbers::pi / period,
                  random.Uniform(0, 2 * std::numbers::pi)};
    }
  };
  make(pitch_, kPitch);
  make(roll_, kRoll);
  make(yaw_wobble_, kYawWobble);
  yaw_start_ = random.Uniform(0, 360);
  yaw_sweep_ = random.Chance(0.5) ? kYawSweep : -kYawSweep;
}

double AttitudePath::Value(const std::array<Wave, 3>& waves, double t) {
  double sum = 0;
  for (const Wave& w : waves)
    sum += w.amplitude * std::sin(w.omega * t + w.phase);
  return sum;
}

double AttitudePath::Rate(const std::array<Wave, 3>& waves, double t) {
  double sum = 0;
  for (const Wave& w : waves)
    sum += w.amplitude * w.omega * std::cos(w.omega * t + w.phase);
  return sum;
}

Attitude AttitudePath::At(double t) const {
  Attitude a;
  a.pitch = Value(pitch_, t);
  a.roll = Value(roll_, t);
  a.yaw = std::fmod(yaw_start_ + yaw_sweep_ * t + Value(yaw_wobble_, t), 360.0);
  if (a.yaw < 0) a.yaw += 360.0;
  if (a.yaw >= 360.0) a.yaw = 0;  // -1e-17 + 360 rounds to 360
  a.pitch_rate = Rate(pitch_, t);
  a.roll_rate = Rate(roll_, t);
  a.yaw_rate = yaw_sweep_ + Rate(yaw_wobble_, t);
  return a;
}

}  // namespace tarvel::sim
