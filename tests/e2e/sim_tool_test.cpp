// tarvel-sim writing a stream to a file, and its command line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/frame_types.h"
#include "sim/stream_capture.h"
#include "sim_process.h"

namespace tarvel::e2e {
namespace {

// The file written with `options`, as bytes.
std::vector<std::uint8_t> Stream(const TempDir& dir, const std::string& name,
                                 std::vector<std::string> options) {
  const std::string path = dir.path / name;
  options.insert(options.end(), {"--output", path});
  const RunResult r = RunSim(options);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  const std::string text = ReadText(path);
  return {text.begin(), text.end()};
}

TEST(SimOutputTest, StreamIsDeterministicForASeedAndFollowsTheOptions) {
  TempDir dir;
  const std::vector<std::string> clean = {"--duration", "3", "--seed", "9"};
  const auto a = Stream(dir, "a", clean);
  EXPECT_EQ(a, Stream(dir, "b", clean));
  EXPECT_NE(a, Stream(dir, "c", {"--duration", "3", "--seed", "10"}));
  const simtest::Captured whole = simtest::Capture(a);
  EXPECT_EQ(whole.checksum_errors + whole.headers_missing, 0);
  EXPECT_EQ(whole.Count(link::kTypeImu), 150);
  EXPECT_EQ(whole.Count(link::kTypeFlow), 0);

  const std::vector<std::string> faulty = {
      "--duration", "2.5", "--rate",  "imu=100", "--rate", "flow=20", "--rate",      "track=0",
      "--corrupt",  "0.2", "--noise", "0.3",     "--seed", "4",       "--max-noise", "8"};
  const auto f = Stream(dir, "f", faulty);
  EXPECT_EQ(f, Stream(dir, "g", faulty));
  const simtest::Captured bad = simtest::Capture(f);
  EXPECT_GT(bad.Count(link::kTypeImu), 150);  // 250 sent, about a fifth with a bad sum
  EXPECT_LT(bad.Count(link::kTypeImu), 240);
  EXPECT_GT(bad.Count(link::kTypeFlow), 25);
  EXPECT_EQ(bad.Count(link::kTypeTrack), 0);
  EXPECT_GT(bad.checksum_errors, 50);
}

class BadOptionsTest : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(BadOptionsTest, ExitWithUsageOnStandardError) {
  const RunResult r = RunSim(GetParam());
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_NE(r.err.find("usage:"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
}

using Args = std::vector<std::string>;
INSTANTIATE_TEST_SUITE_P(
    Cases, BadOptionsTest,
    ::testing::Values(Args{"--bogus"}, Args{"extra"}, Args{"--seed"}, Args{"--seed", "-1"},
                      Args{"--seed", "12x"}, Args{"--rate", "imu"}, Args{"--rate", "compass=5"},
                      Args{"--rate", "imu=-1"}, Args{"--rate", "imu=5000"},
                      Args{"--corrupt", "1.5"}, Args{"--noise", "nan"}, Args{"--max-noise", "0"},
                      Args{"--output", "/tmp/never"}, Args{"--duration", "2"},
                      Args{"--output", "/tmp/never", "--duration", "0"},
                      Args{"--output", "/tmp/never", "--duration", "1", "--split"},
                      Args{"--split=yes"}));

TEST(SimHelpTest, HelpPrintsUsageAndSucceeds) {
  const RunResult r = RunSim({"--help"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.out.find("usage:"), std::string::npos);
  EXPECT_NE(r.out.find("mag_range"), std::string::npos);
  EXPECT_TRUE(r.err.empty());
}

}  // namespace
}  // namespace tarvel::e2e
