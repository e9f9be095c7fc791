#include "sim/frame_schedule.h"

#include <cmath>

namespace tarvel::sim {

FrameSchedule::FrameSchedule(const FrameRates& rates) {
  const double given[kFrameKindCount] = {
      rates.imu_hz,    rates.motion_hz, rates.pwm_in_hz, rates.pwm_out_hz,   rates.gps_hz,
      rates.target_hz, rates.status_hz, rates.track_hz,  rates.mag_range_hz, rates.flow_hz,
  };
  for (int k = 0; k < kFrameKindCount; ++k) {
    const double hz = given[k];
    // NaN and negative rates mean never; very high ones would flood any link.
    hz_[k] = hz > 0 ? std::fmin(hz, FrameRates::kMaxRateHz) : 0;
  }
}

std::int64_t FrameSchedule::DueTime(int kind) const {
  return std::llround(static_cast<double>(sent_[kind] + 1) * 1e6 / hz_[kind]);
}

std::optional<FrameSchedule::Due> FrameSchedule::Next(std::int64_t until_us) {
  int best = -1;
  std::int64_t best_time = 0;
  for (int k = 0; k < kFrameKindCount; ++k) {
    if (hz_[k] == 0) continue;
    const std::int64_t t = DueTime(k);
    if (t <= until_us && (best < 0 || t < best_time)) {
      best = k;
      best_time = t;
    }
  }
  if (best < 0) return std::nullopt;
  ++sent_[best];
  return Due{best_time, static_cast<FrameKind>(best)};
}

}  // namespace tarvel::sim
