// Speed of the protocol core: the frame receiver and the decoders on the simulated board's
// mixed stream with noise, in bytes per second.

#include <benchmark/benchmark.h>

#include <variant>

#include "link/decoders.h"
#include "link/frame_receiver.h"
#include "sim_stream.h"

namespace tarvel::bench {
namespace {

// Decodes every good frame and keeps a checksum of the results so nothing is optimised away.
class DecodingSink final : public link::FrameEvents {
 public:
  void OnGoodFrame(link::FrameView frame) override {
    const link::Report r = link::DecodeFrame(frame);
    digest += r.index();
    if (const auto* imu = std::get_if<link::ImuReport>(&r)) digest += imu->altitude;
    ++frames;
  }
  void OnChecksumError() override { ++errors; }
  void OnHeaderMissing() override { ++errors; }

  double digest = 0;
  std::int64_t frames = 0;
  std::int64_t errors = 0;
};

void BM_ReceiveAndDecodeMixedStream(benchmark::State& state) {
  static const TimedStream stream = MakeStream(MixedWithNoise(), 60);
  const std::size_t chunk = static_cast<std::size_t>(state.range(0));
  DecodingSink sink;
  for (auto _ : state) {
    link::FrameReceiver receiver(sink);
    const std::uint8_t* p = stream.bytes.data();
    for (std::size_t off = 0; off < stream.bytes.size(); off += chunk) {
      receiver.Feed({p + off, std::min(chunk, stream.bytes.size() - off)});
    }
    benchmark::DoNotOptimize(sink.digest);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.bytes.size()));
  state.counters["frames_per_pass"] = static_cast<double>(sink.frames) / state.iterations();
}
BENCHMARK(BM_ReceiveAndDecodeMixedStream)->Arg(64)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvel::bench

BENCHMARK_MAIN();
