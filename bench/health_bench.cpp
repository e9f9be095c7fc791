// Cost of LinkHealth: recording one good frame (on every frame of the receive path) and
// working out a snapshot (once a second, for the link-status window), on the simulated board's
// mixed stream with the times a 115200-baud line delivers its frames at.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "link/frame_receiver.h"
#include "sim_stream.h"
#include "station/link_health.h"

namespace tarvel::bench {
namespace {

using station::Nanos;

struct TimedFrames {
  std::vector<std::uint8_t> types;
  std::vector<Nanos> times;  // arrival of each frame's last byte
  Nanos span = 0;            // stream time the frames cover
};

// Receives the stream byte by byte; each byte reaches the receiver 10 bits after the one
// before, and never before the step of the board that sent it.
class ArrivalRecorder final : public link::FrameEvents {
 public:
  void OnGoodFrame(link::FrameView frame) override {
    out.types.push_back(frame.type());
    out.times.push_back(now);
  }
  void OnChecksumError() override {}
  void OnHeaderMissing() override {}

  TimedFrames out;
  Nanos now = 0;
};

const TimedFrames& MixedStreamFrames() {
  static const TimedFrames frames = [] {
    const TimedStream stream = MakeStream(MixedWithNoise(), 60, 1);
    constexpr double kByteNs = 10 * 1e9 / 115200;
    ArrivalRecorder recorder;
    link::FrameReceiver receiver(recorder);
    double line_free = 0;
    std::size_t at = 0;
    for (std::size_t step = 0; step < stream.step_ends.size(); ++step) {
      const double sent = static_cast<double>(step + 1) * stream.step_ms * 1e6;
      for (; at < stream.step_ends[step]; ++at) {
        line_free = std::max(line_free, sent) + kByteNs;
        recorder.now = static_cast<Nanos>(line_free);
        receiver.Feed({&stream.bytes[at], 1});
      }
    }
    recorder.out.span = static_cast<Nanos>(stream.seconds() * 1e9);
    return recorder.out;
  }();
  return frames;
}

// One iteration records one frame; the stream is replayed with its times moved on by its
// length each time round, so time keeps going forward as on a live link.
void BM_HealthOnGoodFrame(benchmark::State& state) {
  const TimedFrames& f = MixedStreamFrames();
  station::LinkHealth health;
  std::size_t i = 0;
  Nanos offset = 0;
  for (auto _ : state) {
    health.OnGoodFrame(f.types[i], f.times[i] + offset);
    if (++i == f.types.size()) {
      i = 0;
      offset += f.span;
    }
  }
  benchmark::DoNotOptimize(health.good_frames());
  state.counters["frames_per_s_of_stream"] =
      static_cast<double>(f.types.size()) / (static_cast<double>(f.span) / 1e9);
}
BENCHMARK(BM_HealthOnGoodFrame);

// A snapshot with 10 s of the mixed stream in the history.
void BM_HealthSnapshot(benchmark::State& state) {
  const TimedFrames& f = MixedStreamFrames();
  station::LinkHealth health;
  const Nanos until = f.times.front() + 10'000'000'000;
  Nanos now = 0;
  for (std::size_t i = 0; i < f.types.size() && f.times[i] <= until; ++i) {
    health.OnGoodFrame(f.types[i], f.times[i]);
    health.OnBytesReceived(20, f.times[i]);
    now = f.times[i];
  }
  const serial::LineSettings line;
  for (auto _ : state) {
    benchmark::DoNotOptimize(health.Snapshot(now, line));
  }
}
BENCHMARK(BM_HealthSnapshot)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvel::bench

BENCHMARK_MAIN();
