#include "sim/sensor_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarvel::sim {
namespace {

constexpr std::uint32_t kStream = 2;
constexpr double kMaxGyroBiasDps = 1.5;
// Standard deviations of the noise, in counts.
constexpr double kAccNoise = 12;   // about 0.7 mg
constexpr double kGyroNoise = 3;   // about 0.1 dps
constexpr double kMagNoise = 2.5;  // about 2 mG

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}

// `v` given in the north-east-down frame, seen from a body with attitude `a`, in sensor axes.
// The body's own axes are forward-right-down; the sensor's forward-left-up axes are that frame
// turned half a turn about x, which negates y and z.
Vec3 ToSensor(const Attitude& a, Vec3 v) {
  const double cy = std::cos(Radians(a.yaw)), sy = std::sin(Radians(a.yaw));
  const double cp = std::cos(Radians(a.pitch)), sp = std::sin(Radians(a.pitch));
  const double cr = std::cos(Radians(a.roll)), sr = std::sin(Radians(a.roll));
  v = {cy * v.x + sy * v.y, -sy * v.x + cy * v.y, v.z};  // undo yaw
  v = {cp * v.x - sp * v.z, v.y, sp * v.x + cp * v.z};   // undo pitch
  v = {v.x, cr * v.y + sr * v.z, -sr * v.y + cr * v.z};  // undo roll
  return {v.x, -v.y, -v.z};
}

}  // namespace

SensorModel::SensorModel(std::uint32_t seed) : random_(seed, kStream) {
  gyro_bias_ = {random_.Uniform(-kMaxGyroBiasDps, kMaxGyroBiasDps),
                random_.Uniform(-kMaxGyroBiasDps, kMaxGyroBiasDps),
                random_.Uniform(-kMaxGyroBiasDps, kMaxGyroBiasDps)};
}

Vec3 SensorModel::Gravity(const Attitude& a) {
  // An accelerometer at rest measures the support force: one g upwards (-z in north-east-down).
  return ToSensor(a, {0, 0, -1});
}

Vec3 SensorModel::BodyRates(const Attitude& a) {
  const double cp = std::cos(Radians(a.pitch)), sp = std::sin(Radians(a.pitch));
  const double cr = std::cos(Radians(a.roll)), sr = std::sin(Radians(a.roll));
  // Euler rates to body rates (forward-right-down), then to sensor axes.
  const double p = a.roll_rate - a.yaw_rate * sp;
  const double q = a.pitch_rate * cr + a.yaw_rate * sr * cp;
  const double r = -a.pitch_rate * sr + a.yaw_rate * cr * cp;
  return {p, -q, -r};
}

Vec3 SensorModel::Field(const Attitude& a) {
  const double total = kEarthFieldGauss * kMagCountsPerGauss;
  const double dip = Radians(kInclinationDeg);
  return ToSensor(a, {total * std::cos(dip), 0, total * std::sin(dip)});
}

int SensorModel::Count(double value, double noise_counts) {
  const double v = std::round(value + noise_counts * random_.Gaussian());
  return static_cast<int>(std::clamp(v, -32767.0, 32767.0));
}

link::MotionReport SensorModel::Read(const Attitude& a) {
  const Vec3 acc = kAccCountsPerG * Gravity(a);
  const Vec3 rates = BodyRates(a);
  const Vec3 mag = Field(a);
  link::MotionReport r;
  r.acc_x = Count(acc.x, kAccNoise);
  r.acc_y = Count(acc.y, kAccNoise);
  r.acc_z = Count(acc.z, kAccNoise);
  r.gyro_x = Count((rates.x + gyro_bias_.x) * kGyroCountsPerDps, kGyroNoise);
  r.gyro_y = Count((rates.y + gyro_bias_.y) * kGyroCountsPerDps, kGyroNoise);
  r.gyro_z = Count((rates.z + gyro_bias_.z) * kGyroCountsPerDps, kGyroNoise);
  r.mag_x = Count(mag.x, kMagNoise);
  r.mag_y = Count(mag.y, kMagNoise);
  r.mag_z = Count(mag.z, kMagNoise);
  return r;
}

}  // namespace tarvel::sim
