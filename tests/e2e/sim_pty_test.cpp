// tarvel-sim serving the board on a pseudo-terminal, seen from the station's side of it.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "link/commands.h"
#include "link/frame_types.h"
#include "sim/stream_capture.h"
#include "sim_process.h"

namespace tarvel::e2e {
namespace {

using namespace std::chrono_literals;
using simtest::StreamCapture;

// The device as the station opens it: raw, no controlling terminal, non-blocking.
int OpenDevice(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  termios tio{};
  if (fd >= 0 && tcgetattr(fd, &tio) == 0) {
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
  }
  return fd;
}

// Feeds what arrives on `fd` to `capture` for at least `at_least`, then until `done` holds;
// false if `done` still fails after `timeout`.
template <typename Done>
bool ReadUntil(int fd, StreamCapture& capture, Done done, std::chrono::milliseconds timeout,
               std::chrono::milliseconds at_least = 0ms) {
  const auto start = std::chrono::steady_clock::now();
  std::uint8_t buffer[1024];
  for (;;) {
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (elapsed >= at_least && done()) return true;
    if (elapsed > timeout) return false;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) capture.Feed(std::span(buffer, static_cast<std::size_t>(n)));
  }
}

// CPU seconds the process has used so far (user + system, fields 14 and 15 of /proc stat).
double CpuSeconds(pid_t pid) {
  const std::string text = ReadText("/proc/" + std::to_string(pid) + "/stat");
  std::istringstream fields(text.substr(text.rfind(')') + 2));  // from field 3 on
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i)
    ticks += i >= 14 ? std::stod(field) : 0;
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

class SimPtyTest : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(SimPtyTest, StreamsGoodFramesAndAnswersCommands) {
  TempDir dir;
  const std::string port = dir.path / "port";
  std::vector<std::string> args = {"--seed", "3", "--link", port};
  args.insert(args.end(), GetParam().begin(), GetParam().end());
  SimProcess sim(args);
  const std::string device = sim.ReadLine();
  ASSERT_EQ(device.rfind("/dev/", 0), 0u) << device;
  EXPECT_EQ(std::filesystem::read_symlink(port), device);

  const int fd = OpenDevice(port);
  ASSERT_GE(fd, 0);
  StreamCapture capture;
  EXPECT_TRUE(ReadUntil(
      fd, capture,
      [&] { return capture.Count(link::kTypeImu) >= 25 && capture.Count(link::kTypeMotion) >= 25; },
      15s, 1s));
  for (const auto& f : capture.frames) {
    EXPECT_FALSE(std::holds_alternative<link::ShortFrame>(f.report));
    EXPECT_FALSE(std::holds_alternative<link::UnknownFrame>(f.report));
  }

  // Gains written through the port come back through it.
  const auto write_pid = link::WritePidCommand(4, 2.5f, 0.25f, 0.125f);
  const auto read_pid = link::ReadPidCommand(4);
  ASSERT_EQ(write(fd, write_pid.data(), write_pid.size()), 18);
  ASSERT_EQ(write(fd, read_pid.data(), read_pid.size()), 6);
  ASSERT_TRUE(ReadUntil(
      fd, capture, [&] { return capture.Count(link::kTypePidBase + 4) > 0; }, 10s));
  const link::PidReport pid = capture.All<link::PidReport>().at(0);
  EXPECT_EQ(pid.loop, 4);
  EXPECT_EQ(pid.p, 2.5f);
  EXPECT_EQ(pid.i, 0.25f);
  EXPECT_EQ(pid.d, 0.125f);
  EXPECT_EQ(capture.checksum_errors, 0);
  EXPECT_EQ(capture.headers_missing, 0);
  close(fd);

  EXPECT_EQ(sim.Stop(SIGTERM, 10s), 0);
  EXPECT_FALSE(std::filesystem::is_symlink(port)) << "the link is removed on exit";
}

INSTANTIATE_TEST_SUITE_P(WholeAndSplitWrites, SimPtyTest,
                         ::testing::Values(std::vector<std::string>{},
                                           std::vector<std::string>{"--split"}));

TEST(SimPtyReconnectTest, SurvivesTheStationClosingAndReopeningThePort) {
  SimProcess sim({"--seed", "8"});
  const std::string device = sim.ReadLine();
  ASSERT_FALSE(device.empty());
  for (int round = 0; round < 2; ++round) {
    const int fd = OpenDevice(device);
    ASSERT_GE(fd, 0) << round;
    StreamCapture capture;
    EXPECT_TRUE(ReadUntil(
        fd, capture, [&] { return capture.Count(link::kTypeImu) >= 10; }, 15s));
    EXPECT_EQ(capture.checksum_errors, 0) << round;
    close(fd);
    // Nobody has the device open: the simulator waits without spinning.
    const double cpu_before = CpuSeconds(sim.pid());
    std::this_thread::sleep_for(1s);
    EXPECT_LT(CpuSeconds(sim.pid()) - cpu_before, 0.5) << round;
  }
  EXPECT_EQ(sim.Stop(SIGINT, 10s), 0);
}

TEST(SimPtyLinkTest, LeavesAFileThatIsNotALinkAlone) {
  TempDir dir;
  const std::string path = dir.path / "config";
  std::ofstream(path) << "keep me";
  EXPECT_EQ(RunSim({"--link", path}).exit_code, 1);
  EXPECT_EQ(ReadText(path), "keep me");
}

}  // namespace
}  // namespace tarvel::e2e
