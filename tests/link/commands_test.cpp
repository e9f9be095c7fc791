#include "link/commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "recorded_events.h"

namespace tarvel::link {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

template <std::size_t N>
void ExpectReceivedAsGood(const std::array<std::uint8_t, N>& frame) {
  const auto events = recorded::Receive(frame);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, recorded::Event::kGood);
  EXPECT_THAT(events[0].frame, ElementsAreArray(frame.begin() + 2, frame.end() - 1));
}

TEST(CommandsTest, FixedShortCommands) {
  EXPECT_THAT(GyroZeroCommand(), ElementsAre(0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA));
  EXPECT_THAT(MagSaveCommand(), ElementsAre(0xA5, 0x5A, 0x04, 0xE1, 0xE5, 0xAA));
  EXPECT_THAT(AltitudeZeroCommand(), ElementsAre(0xA5, 0x5A, 0x04, 0xE2, 0xE6, 0xAA));
  EXPECT_THAT(MagBeginCommand(), ElementsAre(0xA5, 0x5A, 0x04, 0xE3, 0xE7, 0xAA));
  EXPECT_THAT(ServoMidCommand(), ElementsAre(0xA5, 0x5A, 0x04, 0xF5, 0xF9, 0xAA));
}

TEST(CommandsTest, ReadAndSelectPid) {
  EXPECT_THAT(ReadPidCommand(1), ElementsAre(0xA5, 0x5A, 0x04, 0xD1, 0xD5, 0xAA));
  EXPECT_THAT(ReadPidCommand(5), ElementsAre(0xA5, 0x5A, 0x04, 0xD5, 0xD9, 0xAA));
  EXPECT_THAT(SelectPidCommand(1), ElementsAre(0xA5, 0x5A, 0x04, 0xD6, 0xDA, 0xAA));
  EXPECT_THAT(SelectPidCommand(4), ElementsAre(0xA5, 0x5A, 0x04, 0xD9, 0xDD, 0xAA));
  // Select 0 has the bytes of read 5.
  EXPECT_EQ(SelectPidCommand(0), ReadPidCommand(5));
  // Code bytes wrap modulo 256.
  EXPECT_THAT(ReadPidCommand(0x40), ElementsAre(0xA5, 0x5A, 0x04, 0x10, 0x14, 0xAA));
  EXPECT_THAT(SelectPidCommand(0x30), ElementsAre(0xA5, 0x5A, 0x04, 0x05, 0x09, 0xAA));
}

TEST(CommandsTest, WritePidExample) {
  EXPECT_THAT(WritePidCommand(1, 1.5f, 0.02f, 0.3f),
              ElementsAre(0xA5, 0x5A, 0x10, 0xDA, 0x00, 0x00, 0xC0, 0x3F, 0x0A, 0xD7, 0xA3, 0x3C,
                          0x9A, 0x99, 0x99, 0x3E, 0xB3, 0xAA));
  EXPECT_EQ(WritePidCommand(5, 0, 0, 0)[3], 0xDE);
  EXPECT_THAT(WritePidCommand(4, 0, 0, 0),
              ElementsAre(0xA5, 0x5A, 0x10, 0xDD, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xED, 0xAA));
}

TEST(CommandsTest, EveryCommandPassesTheReceiver) {
  for (const auto& frame : {GyroZeroCommand(), MagSaveCommand(), AltitudeZeroCommand(),
                            MagBeginCommand(), ServoMidCommand()}) {
    ExpectReceivedAsGood(frame);
  }
  for (std::uint8_t n = 1; n <= 5; ++n) {
    ExpectReceivedAsGood(ReadPidCommand(n));
    ExpectReceivedAsGood(SelectPidCommand(n));
    ExpectReceivedAsGood(WritePidCommand(n, 1.5f, -0.02f, 123.456f));
  }
}

TEST(CommandsTest, PidGainFromTextIsLenient) {
  EXPECT_EQ(PidGainFromText("1.5abc"), 1.5f);
  EXPECT_EQ(PidGainFromText(""), 0.0f);
  EXPECT_EQ(PidGainFromText("abc"), 0.0f);
  EXPECT_EQ(PidGainFromText(" 0.020"), 0.02f);
  EXPECT_EQ(PidGainFromText("-3e-2"), -0.03f);
  // Rounded to single precision: 0.1 becomes the nearest float.
  EXPECT_EQ(PidGainFromText("0.1"), 0.1f);
}

TEST(CommandsTest, PidGainOutsideSingleRangeIsRefused) {
  EXPECT_EQ(PidGainFromText("1e39"), std::nullopt);
  EXPECT_EQ(PidGainFromText("-1e39"), std::nullopt);
  EXPECT_EQ(PidGainFromText("1e999"), std::nullopt);
  // The largest float and values that still round down to it are accepted.
  EXPECT_EQ(PidGainFromText("3.4028235e38"), std::numeric_limits<float>::max());
  EXPECT_EQ(PidGainFromText("3.40282356e38"), std::numeric_limits<float>::max());
  EXPECT_EQ(PidGainFromText("3.4028236e38"), std::nullopt);
  // Too small to represent: zero is a finite gain.
  EXPECT_EQ(PidGainFromText("1e-50"), 0.0f);
}

}  // namespace
}  // namespace tarvel::link
