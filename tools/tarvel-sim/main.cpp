// tarvel-sim: the simulated board served on a pseudo-terminal in real time, or its stream
// written to a file. See Usage() in options.cpp.

#include <signal.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "options.h"
#include "pty_link.h"
#include "sim/board.h"
#include "sim/random.h"

namespace tarvel::simtool {
namespace {

using std::chrono::microseconds;

volatile std::sig_atomic_t g_stop = 0;

void OnStopSignal(int) {
  g_stop = 1;
}

void InstallSignalHandlers() {
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = 0;  // no SA_RESTART: a signal ends the wait in poll at once
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

void SleepMicroseconds(long us) {
  timespec ts{0, us * 1000};
  nanosleep(&ts, nullptr);
}

// Writes `bytes` whole, or in random pieces of 1..8 bytes with pauses of 0.1..0.6 ms.
void Deliver(PtyLink& link, std::span<const std::uint8_t> bytes, bool split, sim::Random& random) {
  while (!bytes.empty() && !g_stop) {
    const std::size_t piece =
        split ? std::min<std::size_t>(bytes.size(), 1 + random.Below(8)) : bytes.size();
    const std::size_t written = link.Write(bytes.first(piece));
    if (written == 0) return;  // nobody listening or the line is full: the rest is lost
    bytes = bytes.subspan(written);
    if (split && !bytes.empty()) SleepMicroseconds(100 + random.Below(500));
  }
}

int ServePty(const Options& options) {
  PtyLink link;
  std::string error;
  if (!link.Open(error) || (!options.link.empty() && !link.CreateLink(options.link, error))) {
    std::cerr << "tarvel-sim: " << error << "\n";
    return 1;
  }
  InstallSignalHandlers();
  std::cout << link.device() << std::endl;

  // Ticks of about 5 ms; after a stall (the process was stopped) the board catches up at most
  // a second, so the station is not flooded with old frames.
  constexpr int kTickMs = 5;
  constexpr microseconds kMaxCatchUp{1'000'000};
  sim::Board board(options.board);
  sim::Random split_random(options.board.seed, 0x5EED);
  std::array<std::uint8_t, 512> input{};
  std::vector<std::uint8_t> out;
  auto last = std::chrono::steady_clock::now();
  while (!g_stop) {
    const std::size_t n = link.Read(input, kTickMs);
    if (n > 0) board.Receive(std::span(input).first(n), out);
    const auto now = std::chrono::steady_clock::now();
    const auto elapsed = std::chrono::duration_cast<microseconds>(now - last);
    last = now;
    board.Advance(std::min(elapsed, kMaxCatchUp), out);
    if (link.connected()) Deliver(link, out, options.split, split_random);
    out.clear();
  }
  return 0;
}

int WriteFile(const Options& options) {
  std::ofstream file(options.output, std::ios::binary | std::ios::trunc);
  if (!file) {
    std::cerr << "tarvel-sim: cannot create " << options.output << "\n";
    return 1;
  }
  sim::Board board(options.board);
  std::vector<std::uint8_t> out;
  const auto total = static_cast<long long>(std::llround(options.duration * 1e6));
  constexpr long long kStep = 1'000'000;
  for (long long done = 0; done < total && file; done += kStep) {
    out.clear();
    board.Advance(microseconds(std::min(kStep, total - done)), out);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  }
  file.close();
  if (!file) {
    std::cerr << "tarvel-sim: writing " << options.output << " failed\n";
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace tarvel::simtool

int main(int argc, char** argv) {
  using namespace tarvel::simtool;
  std::string error;
  const auto options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "tarvel-sim: " << error << "\n\n" << Usage();
    return 2;
  }
  if (options->help) {
    std::cout << Usage();
    return 0;
  }
  return options->output.empty() ? ServePty(*options) : WriteFile(*options);
}
