#pragma once
// Raw accelerometer, gyroscope and magnetometer counts of the simulated board for a given
// attitude, as its 0xA2 frame carries them.
//
// Sensor axes: x forward, y left, z up. A level board at rest reads (0, 0, +1 g).
// Scales match the station's default sensor resolutions, so its displays show true units:
//   accelerometer  16384 counts per g (+-2 g range)
//   gyroscope      32.8 counts per degree per second (+-1000 dps range)
//   magnetometer   1090 counts per gauss; the earth field is 0.5 gauss, dipping 47 degrees
//                  below the horizon towards magnetic north (about 545 counts in all)
// The accelerometer sees gravity only (the board's own accelerations are left out), the
// gyroscope the body rates plus a constant bias of up to 1.5 degrees per second per axis
// (until ZeroGyro), and every count has a little seeded noise.

#include <cstdint>

#include "link/reports.h"
#include "sim/attitude_path.h"
#include "sim/random.h"
#include "sim/vec3.h"

namespace tarvel::sim {

inline constexpr double kAccCountsPerG = 16384.0;
inline constexpr double kGyroCountsPerDps = 32.8;
inline constexpr double kMagCountsPerGauss = 1090.0;
inline constexpr double kEarthFieldGauss = 0.5;
inline constexpr double kInclinationDeg = 47.0;

class SensorModel {
 public:
  explicit SensorModel(std::uint32_t seed);

  // One noisy reading at attitude `a`.
  link::MotionReport Read(const Attitude& a);

  // Noiseless values in sensor axes: the accelerometer in g, the body rates in degrees per
  // second, the magnetic field in counts.
  static Vec3 Gravity(const Attitude& a);
  static Vec3 BodyRates(const Attitude& a);
  static Vec3 Field(const Attitude& a);

  // The gyroscope bias in degrees per second; zero after ZeroGyro().
  Vec3 gyro_bias() const { return gyro_bias_; }
  // What the board does on the gyro-zero command, which is sent while it rests: measure the
  // bias and subtract it from then on.
  void ZeroGyro() { gyro_bias_ = {}; }

 private:
  int Count(double value, double noise_counts);

  Random random_;
  Vec3 gyro_bias_;
};

}  // namespace tarvel::sim
