#pragma once
// The running extremes of the magnetometer that the board collects for a calibration run and
// reports in its 0xA4 frame.
//
// The board collects from power-on. Begin (the calibration-start command) forgets the extremes
// and collects afresh; Save (the calibration-save command) keeps the extremes as they are and
// stops collecting until the next Begin.

#include <algorithm>

#include "link/reports.h"
#include "sim/vec3.h"

namespace tarvel::sim {

class MagExtremes {
 public:
  void Begin() {
    collecting_ = true;
    empty_ = true;
    range_ = {};
  }
  void Save() { collecting_ = false; }

  void Add(const Vec3& v) {
    if (!collecting_) return;
    const auto x = static_cast<float>(v.x), y = static_cast<float>(v.y),
               z = static_cast<float>(v.z);
    if (empty_) {
      range_ = {x, y, z, x, y, z};
      empty_ = false;
      return;
    }
    range_.max_hx = std::max(range_.max_hx, x);
    range_.max_hy = std::max(range_.max_hy, y);
    range_.max_hz = std::max(range_.max_hz, z);
    range_.min_hx = std::min(range_.min_hx, x);
    range_.min_hy = std::min(range_.min_hy, y);
    range_.min_hz = std::min(range_.min_hz, z);
  }

  bool collecting() const { return collecting_; }
  bool empty() const { return empty_; }
  // All zero until the first reading after power-on or Begin.
  const link::MagRangeReport& range() const { return range_; }

 private:
  link::MagRangeReport range_;
  bool collecting_ = true;
  bool empty_ = true;
};

}  // namespace tarvel::sim
