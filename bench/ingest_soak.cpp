// A long run on a noisy link: one million attitude and sensor frames (2,000 a second of stream
// time) with a checksum error every 100 frames, through the main window offscreen with its
// refresh ticks and plot redraws. Prints the growth of resident memory and the CPU cost per
// frame of the first and the last 100,000 frames, for the receive path alone (receiver,
// decoders, read-outs, log) and with the refresh and painting.
//   ingest_soak [frames]

#include <time.h>
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <vector>

#include "link/frame.h"
#include "link/frame_receiver.h"
#include "main/osc.h"
#include "sim_stream.h"
#include "support/fake_serial_port.h"
#include "widgets/wave_plot.h"

namespace {

double stream_clock = 0;

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kib = 0;
      status >> kib;
      return kib;
    }
    status.ignore(1 << 16, '\n');
  }
  return -1;
}

double CpuSeconds() {
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// The board's frames (LEN..SUM each) in order.
std::vector<std::vector<std::uint8_t>> Frames(std::size_t count) {
  struct Keep final : tarvel::link::FrameEvents {
    void OnGoodFrame(tarvel::link::FrameView f) override {
      frames.emplace_back(f.bytes().begin(), f.bytes().end());
    }
    void OnChecksumError() override {}
    void OnHeaderMissing() override {}
    std::vector<std::vector<std::uint8_t>> frames;
  } keep;
  tarvel::link::FrameReceiver receiver(keep);
  tarvel::sim::Board board(tarvel::bench::ImuAndMotionOnly(1000));
  std::vector<std::uint8_t> bytes;
  while (keep.frames.size() < count) {
    bytes.clear();
    board.Advance(std::chrono::seconds(1), bytes);
    receiver.Feed(bytes);
  }
  keep.frames.resize(count);
  return keep.frames;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::size_t total = argc > 1 ? std::stoul(argv[1]) : 1'000'000;
  const std::size_t window = std::min<std::size_t>(100'000, total / 2);

  // The wire bytes, every 100th frame with a wrong sum.
  const auto frames = Frames(total);
  std::vector<std::uint8_t> wire;
  std::vector<std::size_t> frame_ends;
  wire.reserve(total * 26);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    wire.push_back(tarvel::link::kHeader1);
    wire.push_back(tarvel::link::kHeader2);
    wire.insert(wire.end(), frames[i].begin(), frames[i].end());
    if (i % 100 == 99) wire.back() ^= 0x01;
    wire.push_back(tarvel::link::kTail);
    frame_ends.push_back(wire.size());
  }

  tarvel::test_support::FakeSerialPort port;
  tarvel::station::Station station(port);
  tarvel::main_window::OSC osc(station,
                               std::filesystem::temp_directory_path() / "tarvel_soak_OSC.ini",
                               [] { return stream_clock; });
  osc.show();
  osc.Timer_Getdata_Tick();
  osc.iSwitchLedX1_Switched();
  osc.Timer4_Tick();
  osc.Timer1.SetEnabled(false);
  QCoreApplication::processEvents();

  const long rss_before = ResidentKiB();
  double first_cpu = 0, last_cpu = 0;  // everything, refresh and painting included
  double first_rx = 0, last_rx = 0;    // the receive path alone
  double started = CpuSeconds();
  std::size_t begin = 0;
  constexpr std::size_t kChunk = 64;
  for (std::size_t i = 0; i < total; ++i) {
    if (i == window) first_cpu = CpuSeconds() - started;
    if (i == total - window) started = CpuSeconds();
    // Deliver frame by frame in 64-byte chunks; 80 frames are 40 ms of stream at 2,000 a second.
    const std::size_t end = frame_ends[i];
    const double rx_start = CpuSeconds();
    for (std::size_t off = begin; off < end; off += kChunk) {
      port.Deliver(std::span<const std::uint8_t>(wire.data() + off, std::min(kChunk, end - off)));
    }
    const double rx = CpuSeconds() - rx_start;
    if (i < window) first_rx += rx;
    if (i >= total - window) last_rx += rx;
    begin = end;
    stream_clock += 1.0 / 2000;
    if (i % 80 == 79) osc.display_time_Tick();
    if (i % 100 == 99) {
      osc.iPlotX1->RedrawNow();
      QCoreApplication::processEvents();
    }
  }
  last_cpu = CpuSeconds() - started;
  const long rss_after = ResidentKiB();

  std::printf("frames: %zu, checksum errors: %zu\n", total, total / 100);
  std::printf("resident memory: %.1f MiB before, %.1f MiB after, growth %.1f MiB\n",
              rss_before / 1024.0, rss_after / 1024.0, (rss_after - rss_before) / 1024.0);
  std::printf("receive path, CPU per frame: first %zu frames %.2f us, last %zu frames %.2f us\n",
              window, first_rx * 1e6 / window, window, last_rx * 1e6 / window);
  std::printf("with refresh and painting: first %zu frames %.2f us, last %zu frames %.2f us\n",
              window, first_cpu * 1e6 / window, window, last_cpu * 1e6 / window);
  return 0;
}
