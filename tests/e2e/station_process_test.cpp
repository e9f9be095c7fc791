// The tarvel-station executable itself: its command line, a connection made from the command
// line to a pseudo-terminal, and a clean end on SIGTERM.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "sim/board.h"
#include "station_process.h"

namespace tarvel::e2e {
namespace {

using namespace std::chrono_literals;

template <typename Pred>
bool WaitFor(Pred done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

struct Answer {
  std::vector<std::string> args;
  int exit_code;
  const char* out;  // standard output begins with this
  const char* err;  // standard error contains this
};

class StationAnswerTest : public ::testing::TestWithParam<Answer> {};

// Each of these ends at once with nothing but text: a station that wrongly started would run
// until the deadline and be killed.
TEST_P(StationAnswerTest, AnswersAndExits) {
  const Answer& a = GetParam();
  TempDir dir;
  StationProcess station(a.args, dir.path);
  EXPECT_EQ(station.Wait(60s), a.exit_code);
  EXPECT_EQ(station.Out().rfind(a.out, 0), 0u) << station.Out();
  EXPECT_NE(station.Err().find(a.err), std::string::npos) << station.Err();
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, StationAnswerTest,
    ::testing::Values(
        Answer{{"--version"}, 0, "tarvel-station " TARVEL_VERSION "\n", ""},
        Answer{{"-v", "--connect"}, 0, "tarvel-station " TARVEL_VERSION "\n", ""},
        Answer{{"--help"}, 0, "用法: tarvel-station [选项]", ""},
        Answer{{"-h", "--port", "SIM"}, 0, "用法: tarvel-station [选项]", ""},
        Answer{{"--port", "17"}, 2, "", "tarvel-station: --port 的值不是可用的端口: 17"},
        Answer{{"--port"}, 2, "", "tarvel-station: --port 缺少端口"},
        Answer{{"--connect", "--bogus"}, 2, "", "tarvel-station: 未知选项: --bogus"},
        Answer{{"/dev/ttyUSB0"}, 2, "", "多余的参数: /dev/ttyUSB0"},
        // Qt's own options are taken by Qt, then the rest is parsed.
        Answer{{"-platform", "offscreen", "--bogus"}, 2, "", "未知选项: --bogus"},
        Answer{{"-platform", "offscreen", "--version"}, 0, "tarvel-station " TARVEL_VERSION, ""}));

// tarvel-sim serving the board behind a symbolic link, as a user would start both.
TEST(StationProcessTest, ConnectOpensThePortGivenThroughTheSimulatorsLink) {
  TempDir dir;
  // The name is unique: the serial port keeps a lock file named after it.
  const std::string link = dir.path / ("board-" + dir.path.filename().string());
  SimProcess sim({"--link", link});
  const std::string device = sim.ReadLine();
  ASSERT_EQ(device.rfind("/dev/", 0), 0u) << device;
  StationProcess station({"--port", link, "--connect"}, dir.path);
  EXPECT_TRUE(WaitFor([&] { return station.HasOpen(device); }, 30s)) << station.Err();
  EXPECT_EQ(station.Stop(SIGTERM, 30s), 0) << station.Err();
}

// The test is the board: whatever it writes must be read by the station, far beyond what the
// pseudo-terminal could hold if nobody read.
TEST(StationProcessTest, ConnectedStationReadsTheBoardsStreamAndStopsCleanly) {
  int master = -1, slave = -1;
  ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  termios tio{};
  ASSERT_EQ(tcgetattr(slave, &tio), 0);
  cfmakeraw(&tio);
  ASSERT_EQ(tcsetattr(slave, TCSANOW, &tio), 0);
  const std::string device = ttyname(slave);
  close(slave);
  fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

  TempDir dir;
  StationProcess station({"--connect", "--port", device}, dir.path);
  ASSERT_TRUE(WaitFor([&] { return station.HasOpen(device); }, 30s)) << station.Err();

  // Minutes of the simulated board's frames, sent as fast as the station takes them.
  sim::Board board;
  std::vector<std::uint8_t> stream;
  board.Advance(200s, stream);
  constexpr std::size_t kEnough = 512 * 1024;  // an unread pseudo-terminal takes about 20 KiB
  ASSERT_GT(stream.size(), kEnough);
  std::size_t sent = 0;
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  while (sent < kEnough && std::chrono::steady_clock::now() < deadline) {
    pollfd p{master, POLLOUT, 0};
    if (poll(&p, 1, 100) <= 0 || !(p.revents & POLLOUT)) continue;
    const ssize_t n = write(master, stream.data() + sent, stream.size() - sent);
    if (n > 0) sent += static_cast<std::size_t>(n);
  }
  EXPECT_GE(sent, kEnough) << station.Err();
  EXPECT_EQ(station.Stop(SIGTERM, 30s), 0) << station.Err();
  close(master);
}

}  // namespace
}  // namespace tarvel::e2e
