#pragma once
// Byte streams from the simulated board for the benchmarks, cut into the steps in which they
// were produced so a benchmark can replay them with the timing they had.

#include <chrono>
#include <cstdint>
#include <vector>

#include "sim/board.h"

namespace tarvel::bench {

struct TimedStream {
  std::vector<std::uint8_t> bytes;
  std::vector<std::size_t> step_ends;  // end offset of each step's bytes
  int step_ms = 10;
  double seconds() const { return static_cast<double>(step_ends.size()) * step_ms / 1000.0; }
};

inline TimedStream MakeStream(const sim::BoardOptions& options, double seconds, int step_ms = 10) {
  sim::Board board(options);
  TimedStream s;
  s.step_ms = step_ms;
  const auto steps = static_cast<int>(seconds * 1000 / step_ms);
  for (int i = 0; i < steps; ++i) {
    board.Advance(std::chrono::milliseconds(step_ms), s.bytes);
    s.step_ends.push_back(s.bytes.size());
  }
  return s;
}

// The board's full mixed stream (every periodic frame at its default rate, flow included) with
// a noise burst before one frame in 20.
inline sim::BoardOptions MixedWithNoise() {
  sim::BoardOptions o;
  o.rates.flow_hz = 20;
  o.faults.noise = 0.05;
  return o;
}

// Only attitude and sensor frames, each at `hz` frames per second.
inline sim::BoardOptions ImuAndMotionOnly(double hz) {
  sim::BoardOptions o;
  o.rates = sim::FrameRates{};
  o.rates.imu_hz = hz;
  o.rates.motion_hz = hz;
  o.rates.pwm_in_hz = o.rates.pwm_out_hz = o.rates.gps_hz = o.rates.target_hz = 0;
  o.rates.status_hz = o.rates.track_hz = o.rates.mag_range_hz = o.rates.flow_hz = 0;
  return o;
}

}  // namespace tarvel::bench
