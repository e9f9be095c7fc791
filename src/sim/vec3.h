#pragma once
// A plain three-component vector for the sensor model.

namespace tarvel::sim {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator*(double k, const Vec3& v) {
  return {k * v.x, k * v.y, k * v.z};
}

}  // namespace tarvel::sim
