// Cost of the waveform plot under the main window's load: twelve channels fed 25 points a
// second each, ten minutes retained, 8.64 s in view; and of one artificial-horizon drawing.
// Run with QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QApplication>
#include <cmath>
#include <memory>

#include "views/attitude_indicator.h"
#include "widgets/wave_plot.h"

namespace {

using tarvel::widgets::WavePlot;
using tarvel::widgets::WavePlotOptions;

constexpr int kChannels = 12;
constexpr double kStep = 0.04;  // 25 points per second per channel

struct FedPlot {
  double now = 0;
  std::unique_ptr<WavePlot> plot;

  FedPlot() {
    WavePlotOptions options;
    for (int c = 0; c < kChannels; ++c) {
      options.channels.push_back({QString("ch%1").arg(c), QColor::fromHsv(c * 30, 200, 255)});
    }
    options.clock = [this] { return now; };
    plot = std::make_unique<WavePlot>(std::move(options));
    plot->resize(808, 380);
    plot->show();
  }
  // One refresh tick: a point on every channel, 40 ms after the previous one.
  void Tick() {
    now += kStep;
    for (int c = 0; c < kChannels; ++c) {
      plot->Append(c, (20 + 10 * c) * std::sin(now * (0.5 + 0.2 * c)));
    }
  }
  void FeedSeconds(double seconds) {
    for (long i = 0, n = std::lround(seconds / kStep); i < n; ++i)
      Tick();
  }
};

// Full plot: 600 s retained on every channel, then one tick of new data and a real redraw.
void BM_RedrawFullPlot(benchmark::State& state) {
  FedPlot fed;
  fed.FeedSeconds(600);
  fed.plot->RedrawNow();
  for (auto _ : state) {
    fed.Tick();
    fed.plot->RedrawNow();
  }
  state.counters["points_per_channel"] = fed.plot->point_count(0);
}
BENCHMARK(BM_RedrawFullPlot)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// Drawing alone, forced through to the widget.
void BM_ReplotImmediate(benchmark::State& state) {
  FedPlot fed;
  fed.FeedSeconds(600);
  fed.plot->RedrawNow();
  for (auto _ : state)
    fed.plot->plot()->replot(QCustomPlot::rpImmediateRefresh);
}
BENCHMARK(BM_ReplotImmediate)->Unit(benchmark::kMillisecond);

// One append in steady state (retention trimming included).
void BM_Append(benchmark::State& state) {
  FedPlot fed;
  fed.FeedSeconds(700);
  int channel = 0;
  for (auto _ : state) {
    if (channel == 0) fed.now += kStep;
    fed.plot->Append(channel, fed.now);
    channel = (channel + 1) % kChannels;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Append);

// A whole day on all twelve channels (26 M appends) with a redraw every simulated minute.
void BM_DaySession12Channels(benchmark::State& state) {
  for (auto _ : state) {
    FedPlot fed;
    for (int second = 0; second < 24 * 3600; ++second) {
      fed.FeedSeconds(1);
      if (second % 60 == 0) fed.plot->RedrawNow();
    }
    int most = 0;
    for (int c = 0; c < kChannels; ++c)
      most = std::max(most, fed.plot->point_count(c));
    state.counters["max_points_per_channel"] = most;
    if (most > 660 * 25 + 1) state.SkipWithError("retention exceeded");
  }
}
BENCHMARK(BM_DaySession12Channels)->Unit(benchmark::kSecond)->Iterations(1);

// One drawing of the 157 x 117 horizon: level (a plain shifted copy of the ladder) and turned.
void BM_DrawAttitudeIndicator(benchmark::State& state) {
  const char* roll = state.range(0) != 0 ? "-38.9" : "0";
  for (auto _ : state) {
    QImage image = tarvel::views::DrawAttitudeIndicator(roll, "-23.6", QSize(157, 117));
    benchmark::DoNotOptimize(image);
  }
}
BENCHMARK(BM_DrawAttitudeIndicator)->ArgName("turned")->Arg(0)->Arg(1)->MeasureProcessCPUTime();

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
