// LinkHealth on the simulated board's stream, timed as a 115200-baud line delivers it: rates
// that match the board's configured rates, a corrupted share that matches the injected one, and
// a TYPE that stops.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>

#include "line_playback.h"
#include "link/frame_types.h"
#include "sim/board_options.h"
#include "station/link_health.h"

namespace tarvel::station {
namespace {

using test::LinePlayback;

constexpr Nanos kSecond = kNanosPerSecond;

sim::BoardOptions AllFrames() {
  sim::BoardOptions o;
  o.rates.flow_hz = 20;  // off by default; on here so every periodic TYPE is seen
  return o;
}

std::map<std::uint8_t, double> ConfiguredRates(const sim::FrameRates& r) {
  return {{link::kTypeImu, r.imu_hz},
          {link::kTypeMotion, r.motion_hz},
          {link::kTypePwmIn, r.pwm_in_hz},
          {link::kTypePwmOut, r.pwm_out_hz},
          {link::kTypeGps, r.gps_hz},
          {link::kTypeTarget, r.target_hz},
          {link::kTypeStatus, r.status_hz},
          {link::kTypeTrack, r.track_hz},
          {link::kTypeMagRange, r.mag_range_hz},
          {link::kTypeFlow, r.flow_hz}};
}

const TypeHealth* Find(const LinkHealthSnapshot& s, std::uint8_t type) {
  for (const TypeHealth& t : s.types) {
    if (t.type == type) return &t;
  }
  return nullptr;
}

TEST(BoardStreamHealthTest, RatesMatchTheBoardAfterTwoAndTenSeconds) {
  const sim::BoardOptions options = AllFrames();
  const auto expected = ConfiguredRates(options.rates);
  LinkHealth health;
  LinePlayback line(health, options);
  for (const Nanos run : {2 * kSecond, 10 * kSecond}) {
    line.RunUntil(run);
    const LinkHealthSnapshot s = health.Snapshot(line.now(), {});
    ASSERT_EQ(s.types.size(), expected.size());
    for (const TypeHealth& t : s.types) {
      SCOPED_TRACE(testing::Message()
                   << "TYPE " << int{t.type} << " after " << run / kSecond << " s");
      ASSERT_TRUE(expected.contains(t.type));
      const double hz = expected.at(t.type);
      EXPECT_NEAR(t.rate_1s, hz, 0.01 * hz);
      EXPECT_NEAR(t.rate_10s, hz, 0.01 * hz);
      // Frames that fall due together queue on the line, so a TYPE sent after others arrives
      // a few milliseconds late every other time: its period is the nominal one within the
      // jitter that causes.
      EXPECT_NEAR(t.period_median_s, 1 / hz, t.jitter_p99_s + 1e-6);
      EXPECT_LT(t.jitter_p99_s, 0.5 / hz);
      EXPECT_FALSE(t.stale);
      EXPECT_LT(t.since_last_s, 1 / hz);
    }
    EXPECT_EQ(s.checksum_errors + s.header_missing + s.short_frames + s.unknown_types, 0u);
    EXPECT_EQ(s.checksum_error_pct, 0);
    // The stream repeats every second, so the last second holds a tenth of the bytes so far.
    EXPECT_NEAR(s.rx_bytes_per_s, static_cast<double>(s.bytes_received) / (run / kSecond),
                0.01 * s.rx_bytes_per_s);
    EXPECT_DOUBLE_EQ(s.line_load, s.rx_bytes_per_s * 10 / 115200);
  }
}

TEST(BoardStreamHealthTest, InjectedCorruptionShowsAsTheChecksumErrorShare) {
  sim::BoardOptions options;
  options.seed = 7;
  options.faults.corrupt_checksum = 0.01;
  options.rates.imu_hz = options.rates.motion_hz = 500;  // 120,000 frames in two minutes
  LinkHealth health;
  LinePlayback line(health, options, *serial::LineSettings::FromText("921600,n,8,1"));
  line.RunUntil(120 * kSecond);
  const LinkHealthSnapshot s = health.Snapshot(line.now(), {});
  ASSERT_GT(s.good_frames, 120'000u);
  EXPECT_NEAR(s.checksum_error_pct, 1.0, 0.1);
  EXPECT_DOUBLE_EQ(s.checksum_error_pct,
                   100.0 * static_cast<double>(s.checksum_errors) /
                       static_cast<double>(s.good_frames + s.checksum_errors));
  std::uint64_t per_type = 0;
  for (const TypeHealth& t : s.types)
    per_type += t.frames;
  EXPECT_EQ(per_type, s.good_frames);
}

TEST(BoardStreamHealthTest, ATypeThatStopsDropsToZeroAndGoesStale) {
  constexpr Nanos kStop = 5 * kSecond;
  LinkHealth health;
  LinePlayback line(health, AllFrames());
  line.drop = [](std::uint8_t type, Nanos t) { return type == link::kTypeGps && t > kStop; };
  line.RunUntil(kStop + kSecond / 2);
  const Nanos last = line.last_arrival(link::kTypeGps);
  ASSERT_GT(last, kStop - kSecond / 5);

  struct Check {
    Nanos after_last;
    bool stale;
    bool rate_1s_zero;
    bool rate_10s_zero;
  };
  // GPS runs at 5 Hz: stale after three periods (0.6 s), quiet for a whole window after 1 s
  // and 10 s.
  for (const Check& c :
       {Check{kSecond / 2, false, false, false}, Check{7 * kSecond / 10, true, false, false},
        Check{kSecond, true, true, false}, Check{10 * kSecond - 1, true, true, false},
        Check{10 * kSecond, true, true, true}, Check{30 * kSecond, true, true, true}}) {
    const Nanos now = last + c.after_last;
    line.RunUntil(now);
    const LinkHealthSnapshot s = health.Snapshot(now, {});
    SCOPED_TRACE(testing::Message() << c.after_last << " ns after the last GPS frame");
    const TypeHealth* gps = Find(s, link::kTypeGps);
    ASSERT_NE(gps, nullptr);
    EXPECT_EQ(gps->stale, c.stale);
    EXPECT_EQ(gps->rate_1s == 0, c.rate_1s_zero);
    EXPECT_EQ(gps->rate_10s == 0, c.rate_10s_zero);
    EXPECT_NEAR(gps->since_last_s, static_cast<double>(c.after_last) / kSecond, 1e-9);
    EXPECT_NEAR(gps->period_median_s, 0.2, 0.002);  // still known after the window is empty
    for (const TypeHealth& t : s.types) {
      EXPECT_TRUE(t.type == link::kTypeGps || !t.stale) << int{t.type};
    }
  }
}

}  // namespace
}  // namespace tarvel::station
