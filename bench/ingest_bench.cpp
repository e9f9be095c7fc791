// What live telemetry costs the station: the main window offscreen on the test-double port,
// fed the simulated board's stream in 64-byte chunks.
//  BM_Ingest: receive path only (receiver, decoders, read-outs, lamps), CPU per frame.
//  BM_IngestWithRefresh/<hz>: attitude and sensor frames at <hz> each (50: 100 frames a second),
//    with the 40 ms refresh ticks and the 50 ms plot redraws (painted), on a plot already
//    holding 10 minutes of points; reported as the share of one core the stream costs
//    (core_pct), counting every thread of the process (the raster painter hands large fills to
//    Qt's thread pool).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <ctime>
#include <filesystem>

#include "main/osc.h"
#include "sim_stream.h"
#include "support/fake_serial_port.h"
#include "widgets/wave_plot.h"

namespace tarvel::bench {
namespace {

constexpr std::size_t kChunk = 64;

double stream_clock = 0;  // the plot's clock: stream time, not wall time

// The main window on the test-double port, with the station it shares.
struct Rig {
  Rig()
      : station(port),
        osc(station, std::filesystem::temp_directory_path() / "tarvel_bench_OSC.ini",
            [] { return stream_clock; }) {
    osc.Timer_Getdata_Tick();
    osc.iSwitchLedX1_Switched();
    osc.Timer4_Tick();
    osc.Timer1.SetEnabled(false);  // the benchmark drives every tick itself
  }
  void Deliver(const std::uint8_t* p, std::size_t n) {
    for (std::size_t off = 0; off < n; off += kChunk) {
      port.Deliver(std::span<const std::uint8_t>(p + off, std::min(kChunk, n - off)));
    }
  }
  test_support::FakeSerialPort port;
  station::Station station;
  main_window::OSC osc;
};

std::int64_t CountFrames(const TimedStream& s) {
  struct Counter final : link::FrameEvents {
    void OnGoodFrame(link::FrameView) override { ++n; }
    void OnChecksumError() override {}
    void OnHeaderMissing() override {}
    std::int64_t n = 0;
  } counter;
  link::FrameReceiver r(counter);
  r.Feed(s.bytes);
  return counter.n;
}

void BM_Ingest(benchmark::State& state) {
  static const TimedStream stream = MakeStream(MixedWithNoise(), 10);
  static const std::int64_t frames = CountFrames(stream);
  Rig rig;
  for (auto _ : state)
    rig.Deliver(stream.bytes.data(), stream.bytes.size());
  state.counters["us_per_frame"] = benchmark::Counter(
      static_cast<double>(frames) / 1e6,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Ingest)->Unit(benchmark::kMillisecond);

double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void BM_IngestWithRefresh(benchmark::State& state) {
  const auto hz = static_cast<double>(state.range(0));
  const TimedStream stream = MakeStream(ImuAndMotionOnly(hz), 10);
  Rig rig;
  rig.osc.show();
  // Ten minutes of points already in the plot, as after a long session.
  for (int i = 0; i < 600 * 25; ++i) {
    stream_clock += 0.04;
    for (int c = 0; c < 12; ++c)
      rig.osc.PlotAppend(c, (i % 200) - 100.0 + c);
  }
  rig.osc.iPlotX1->RedrawNow();
  QCoreApplication::processEvents();

  const double cpu_before = ProcessCpuSeconds();
  for (auto _ : state) {
    std::size_t begin = 0;
    for (std::size_t step = 0; step < stream.step_ends.size(); ++step) {
      const std::size_t end = stream.step_ends[step];
      rig.Deliver(stream.bytes.data() + begin, end - begin);
      begin = end;
      stream_clock += stream.step_ms / 1000.0;
      const int elapsed_ms = static_cast<int>((step + 1) * stream.step_ms);
      if (elapsed_ms % 40 == 0) rig.osc.display_time_Tick();
      if (elapsed_ms % 50 == 0) {
        rig.osc.iPlotX1->RedrawNow();
        QCoreApplication::processEvents();  // paints what changed
      }
    }
  }
  // CPU seconds per stream second, as a percentage of one core.
  const double cpu = ProcessCpuSeconds() - cpu_before;
  state.counters["core_pct"] =
      100.0 * cpu / (static_cast<double>(state.iterations()) * stream.seconds());
}
BENCHMARK(BM_IngestWithRefresh)
    ->Arg(25)
    ->Arg(50)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->MinTime(5);

}  // namespace
}  // namespace tarvel::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
