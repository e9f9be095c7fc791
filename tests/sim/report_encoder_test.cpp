// Frames built from reports decode back to the reports, and the nudge keeps false headers out.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "link/decoders.h"
#include "link/frame.h"
#include "link/frame_types.h"
#include "sim/report_encoder.h"
#include "stream_capture.h"

namespace tarvel::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

link::Report Decode(const Bytes& frame) {
  return link::DecodeFrame(link::FrameView(std::span(frame).subspan(2, frame.size() - 3)));
}

Bytes Encode(const link::Report& report, int nudge = 0) {
  return link::BuildFrame(FrameType(report), EncodePayload(report, nudge));
}

TEST(ReportEncoderTest, KnownFramesAreBuiltByteForByte) {
  EXPECT_EQ(Encode(link::ImuReport{12.3f, -4.5f, 0, 50, 25, 10132, 50}),
            (Bytes{0xA5, 0x5A, 0x12, 0xA1, 0x00, 0x7B, 0x80, 0x2D, 0x00, 0x00,
                   0x01, 0xF4, 0x00, 0xFA, 0x27, 0x94, 0x00, 0x32, 0xB7, 0xAA}));
  EXPECT_EQ(Encode(link::MotionReport{120, -35, 16384, 5, -2, 0, -210, 87, -400}),
            (Bytes{0xA5, 0x5A, 0x16, 0xA2, 0x00, 0x78, 0x80, 0x23, 0x40, 0x00, 0x00, 0x05,
                   0x80, 0x02, 0x00, 0x00, 0x80, 0xD2, 0x00, 0x57, 0x81, 0x90, 0x54, 0xAA}));
}

class ReportEncoderRoundTrip : public ::testing::TestWithParam<link::Report> {};

// Decoding and encoding again gives the same frame, nudged or not: every field lands where
// the decoder reads it, at the scale it reads. A nudge changes the bytes, within a few units.
TEST_P(ReportEncoderRoundTrip, DecodedFramesEncodeToTheSameBytes) {
  for (const int nudge : {0, 1, -3}) {
    const Bytes frame = Encode(GetParam(), nudge);
    EXPECT_EQ(frame[2], link::LayoutSize(frame[3]) + 4) << "no byte beyond the layout";
    EXPECT_EQ(Encode(Decode(frame)), frame) << "nudge " << nudge;
  }
  const Bytes clean = EncodeCleanFrame(GetParam());
  ASSERT_FALSE(clean.empty());
  EXPECT_FALSE(HasFalseHeader(clean));
}

INSTANTIATE_TEST_SUITE_P(
    EveryFrameType, ReportEncoderRoundTrip,
    ::testing::Values(link::ImuReport{359.9f, -12.3f, 45.6f, -3.2f, 24.8f, 10075, 200},
                      link::MotionReport{120, -35, 16384, 5, -2, 0, -210, 87, -400},
                      link::PwmInReport{{1000, 1500, 2000, 1234, 1777, 1500}},
                      link::PwmOutReport{{1100, 1200, 1300, 1400, 1500, 1600, 1700, 1800}},
                      link::TrackReport{12.5f, -3.25f, 0.0625f},
                      link::PidReport{4, 1.2f, 0.1f, 0.5f},
                      link::GpsReport{121.5012f, -31.2034f, -1.0f, 9, 271.3f, 6.3f},
                      link::TargetReport{121.4992f, 31.2011f, 60.0f, 143.2f, -4.5f, 15.0f},
                      link::StatusReport{2, 12.3f, 5.1f, 0, 17, 4321},
                      link::MagRangeReport{500, 200, -100, -500, -200, 100},
                      link::FlowReport{3, -2}));

TEST(ReportEncoderTest, NudgesStayWithinTheLastPlaceAndHeadingsWrap) {
  const auto imu = std::get<link::ImuReport>(
      Decode(Encode(link::ImuReport{359.9f, 10, -10, 50, 25, 10075, 200}, 3)));
  EXPECT_FLOAT_EQ(imu.yaw, 0.2f);
  EXPECT_FLOAT_EQ(imu.pitch, 10.3f);
  EXPECT_FLOAT_EQ(imu.roll, -9.7f);
  EXPECT_EQ(imu.pressure_field, 10075) << "never nudged";
  const auto pid =
      std::get<link::PidReport>(Decode(Encode(link::PidReport{1, 1.5f, 0.02f, 0.3f}, 2)));
  EXPECT_EQ(pid.i, 0.02f) << "gains travel exactly";
}

TEST(ReportEncoderTest, ValuesBeyondAFieldAreClampedNotWrapped) {
  link::ImuReport imu{};
  imu.altitude = 5000;  // 50000 tenths do not fit sm16
  imu.pitch = -4000;
  const auto back = std::get<link::ImuReport>(Decode(Encode(imu)));
  EXPECT_FLOAT_EQ(back.altitude, 3276.7f);
  EXPECT_FLOAT_EQ(back.pitch, -3276.7f);
  link::PwmOutReport pwm{};
  pwm.channels = {-5, 70000, 1500, std::nanf(""), 0, 0, 0, 0};
  const auto out = std::get<link::PwmOutReport>(Decode(Encode(pwm)));
  EXPECT_THAT(out.channels, ::testing::ElementsAre(0, 65535, 1500, ::testing::_, 0, 0, 0, 0));
}

TEST(ReportEncoderTest, FalseHeadersAreFoundBetweenLenAndSum) {
  EXPECT_TRUE(HasFalseHeader(link::BuildFrame(0x33, Bytes{0xA5, 0x01, 0x5A})));
  EXPECT_TRUE(HasFalseHeader(link::BuildFrame(link::kTypeTarget, Bytes{0x5A})));  // TYPE is A5
  const Bytes sum_5a = {0xA5, static_cast<std::uint8_t>(0x5A - (0x06 + 0x33 + 0xA5))};
  EXPECT_TRUE(HasFalseHeader(link::BuildFrame(0x33, sum_5a)));
  // 5A before A5 is no header, nor are the real header and tail.
  EXPECT_FALSE(HasFalseHeader(link::BuildFrame(0x33, Bytes{0x5A, 0x01, 0xA5})));
  EXPECT_FALSE(HasFalseHeader(link::BuildFrame(0x33, Bytes{0xAA, 0x00})));
}

TEST(ReportEncoderTest, CleanFramesReachTheReceiverWhole) {
  // A target (TYPE A5) 9.0 m away carries distance 90 = 00 5A: sent as it is, the receiver
  // would take the 5A for a header and lose the frame.
  const link::TargetReport target{121.5f, 31.2f, 60.0f, 9.0f, 1.0f, -1.0f};
  EXPECT_TRUE(simtest::Capture(Encode(target)).frames.empty());
  const simtest::Captured received = simtest::Capture(EncodeCleanFrame(target));
  ASSERT_EQ(received.frames.size(), 1u);
  EXPECT_NEAR(std::get<link::TargetReport>(received.frames[0].report).distance, 9.0, 0.31);
}

}  // namespace
}  // namespace tarvel::sim
