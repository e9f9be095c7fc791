// LinkHealth on hand-made event sequences: line load, jitter statistics, the window edges,
// Reset() and the width of the counters.

#include "station/link_health.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <type_traits>
#include <vector>

namespace tarvel::station {
namespace {

constexpr Nanos kSecond = kNanosPerSecond;
constexpr Nanos kMs = kSecond / 1000;

serial::LineSettings Line(const char* text) {
  return *serial::LineSettings::FromText(text);
}

static_assert(std::is_same_v<decltype(LinkHealthSnapshot::bytes_received), std::uint64_t> &&
              std::is_same_v<decltype(LinkHealthSnapshot::good_frames), std::uint64_t> &&
              std::is_same_v<decltype(LinkHealthSnapshot::checksum_errors), std::uint64_t> &&
              std::is_same_v<decltype(TypeHealth::frames), std::uint64_t>);

TEST(LinkHealthTest, LineLoadFollowsTheBitsOfEachCharacter) {
  struct Case {
    const char* line;
    std::size_t bytes_per_100ms;
    double load;
  };
  for (const Case& c : {Case{"115200,n,8,1", 1152, 1.0}, Case{"115200,e,8,2", 960, 1.0},
                        Case{"115200,n,8,1", 576, 0.5}, Case{"9600,o,7,1.5", 48, 0.525},
                        Case{"921600,n,8,1", 0, 0.0}}) {
    SCOPED_TRACE(c.line);
    LinkHealth h;
    for (Nanos t = 0; t <= 3 * kSecond; t += 100 * kMs) {
      h.OnBytesReceived(c.bytes_per_100ms, t);
      h.OnBytesSent(10, t);
    }
    // The window is (2 s, 3 s]: ten deliveries, the one at exactly 2 s belongs to the second
    // before.
    const LinkHealthSnapshot s = h.Snapshot(3 * kSecond, Line(c.line));
    EXPECT_EQ(s.rx_bytes_per_s, 10.0 * static_cast<double>(c.bytes_per_100ms));
    EXPECT_EQ(s.tx_bytes_per_s, 100);
    EXPECT_DOUBLE_EQ(s.line_load, c.load);
    EXPECT_EQ(s.bytes_received, 31 * c.bytes_per_100ms);
    EXPECT_EQ(s.bytes_sent, 310u);
  }
}

TEST(LinkHealthTest, ByteRatesFallToZeroOneSecondAfterTheLastDelivery) {
  LinkHealth h;
  h.OnBytesReceived(100, 0);
  h.OnBytesReceived(100, kSecond / 2);
  EXPECT_EQ(h.Snapshot(kSecond / 2, {}).rx_bytes_per_s, 200);  // 100 bytes in half a second
  EXPECT_EQ(h.Snapshot(kSecond, {}).rx_bytes_per_s, 100);
  EXPECT_EQ(h.Snapshot(3 * kSecond / 2 - 1, {}).rx_bytes_per_s, 100);
  EXPECT_EQ(h.Snapshot(3 * kSecond / 2, {}).rx_bytes_per_s, 0);
  EXPECT_EQ(h.Snapshot(3 * kSecond / 2, {}).line_load, 0);
}

// Arrivals of one TYPE from t = 1 s with the given intervals (ms), in order.
LinkHealthSnapshot Arrivals(const std::vector<std::pair<int, double>>& runs, Nanos after_last,
                            Nanos* last = nullptr) {
  LinkHealth h;
  Nanos t = kSecond;
  h.OnGoodFrame(0xA1, t);
  for (const auto& [count, ms] : runs) {
    for (int i = 0; i < count; ++i) {
      t += static_cast<Nanos>(ms * static_cast<double>(kMs));
      h.OnGoodFrame(0xA1, t);
    }
  }
  if (last) *last = t;
  return h.Snapshot(t + after_last, {});
}

TEST(LinkHealthTest, JitterIsTheDeviationFromTheMedianPeriod) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, double>> runs;  // {count, interval in ms}
    double period_ms, jitter_median_ms, jitter_p99_ms;
  };
  const Case cases[] = {
      {"steady", {{100, 20}}, 20, 0, 0},
      // 200 intervals: 150 on time, 48 one millisecond off, 2 late by 10 ms. The p99 is the
      // 198th smallest deviation, so two outliers stay above it...
      {"two outliers", {{150, 20}, {40, 21}, {8, 19}, {2, 30}}, 20, 0, 1},
      // ...and a third reaches it.
      {"three outliers", {{150, 20}, {39, 21}, {8, 19}, {3, 30}}, 20, 0, 10},
      // An even count: the median period lies between 18 and 22 ms.
      {"alternating", {{50, 18}, {50, 22}}, 20, 2, 2},
      {"one interval", {{1, 250}}, 250, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const LinkHealthSnapshot s = Arrivals(c.runs, 0);
    ASSERT_EQ(s.types.size(), 1u);
    const TypeHealth& t = s.types[0];
    EXPECT_NEAR(t.period_median_s, c.period_ms / 1000, 1e-12);
    EXPECT_NEAR(t.jitter_median_s, c.jitter_median_ms / 1000, 1e-12);
    EXPECT_NEAR(t.jitter_p99_s, c.jitter_p99_ms / 1000, 1e-12);
    EXPECT_EQ(t.since_last_s, 0);
    EXPECT_FALSE(t.stale);
  }
}

TEST(LinkHealthTest, PeriodStatisticsCoverOnlyTheLastTenSeconds) {
  // 10 s at 100 ms, then 12 s at 50 ms: the slow intervals have left the window.
  const LinkHealthSnapshot s = Arrivals({{100, 100}, {240, 50}}, 0);
  EXPECT_NEAR(s.types[0].period_median_s, 0.05, 1e-12);
  EXPECT_EQ(s.types[0].jitter_p99_s, 0);
  EXPECT_EQ(s.types[0].rate_10s, 20);
  EXPECT_EQ(s.types[0].rate_1s, 20);
}

TEST(LinkHealthTest, StaleAfterThreeMedianPeriods) {
  for (const auto& [after_ms, stale] : {std::pair{59, false}, {60, false}, {61, true}}) {
    const LinkHealthSnapshot s = Arrivals({{50, 20}}, after_ms * kMs);
    EXPECT_EQ(s.types[0].stale, stale) << after_ms << " ms";
    EXPECT_NEAR(s.types[0].since_last_s, after_ms / 1000.0, 1e-12);
  }
  // A TYPE seen once has no period and is never called stale.
  LinkHealth h;
  h.OnGoodFrame(0x12, 0);
  EXPECT_FALSE(h.Snapshot(100 * kSecond, {}).types[0].stale);
}

TEST(LinkHealthTest, TotalsAndTheChecksumShare) {
  LinkHealth h;
  for (int i = 0; i < 297; ++i)
    h.OnGoodFrame(i % 3 == 0 ? 0xA1 : 0xE0, i * kMs);
  h.OnUnknownType(0xE0);
  h.OnShortFrame(0xA1);
  h.OnShortFrame(0xA1);
  for (int i = 0; i < 3; ++i)
    h.OnChecksumError();
  h.OnHeaderMissing();
  h.OnOverflow();
  h.OnDeviceLost();
  h.OnDeviceLost();
  const LinkHealthSnapshot s = h.Snapshot(kSecond, {});
  EXPECT_EQ(s.good_frames, 297u);
  EXPECT_EQ(h.good_frames(), 297u);
  EXPECT_EQ(h.frames_of(0xA1), 99u);
  EXPECT_EQ(h.frames_of(0xE0), 198u);
  EXPECT_EQ(s.checksum_errors, 3u);
  EXPECT_DOUBLE_EQ(s.checksum_error_pct, 1.0);
  EXPECT_EQ(s.unknown_types, 1u);
  EXPECT_EQ(s.short_frames, 2u);
  EXPECT_EQ(s.header_missing, 1u);
  EXPECT_EQ(s.overflows, 1u);
  EXPECT_EQ(s.device_losses, 2u);
  ASSERT_EQ(s.types.size(), 2u);  // in TYPE order
  EXPECT_EQ(s.types[0].type, 0xA1);
  EXPECT_EQ(s.types[1].type, 0xE0);
}

TEST(LinkHealthTest, ResetForgetsCountsHistoryAndTheStartOfTheHistory) {
  LinkHealth h;
  for (Nanos t = 0; t < 20 * kSecond; t += 10 * kMs) {
    h.OnBytesReceived(20, t);
    h.OnBytesSent(8, t);
    h.OnGoodFrame(0xA2, t);
  }
  h.OnChecksumError();
  h.OnHeaderMissing();
  h.OnOverflow();
  h.OnDeviceLost();
  h.OnUnknownType(0x99);
  h.OnShortFrame(0xA2);
  h.Reset();

  const LinkHealthSnapshot zero = h.Snapshot(20 * kSecond, Line("115200,n,8,1"));
  EXPECT_EQ(zero.bytes_received + zero.bytes_sent + zero.good_frames + zero.checksum_errors +
                zero.header_missing + zero.overflows + zero.device_losses + zero.unknown_types +
                zero.short_frames,
            0u);
  EXPECT_EQ(zero.checksum_error_pct, 0);
  EXPECT_EQ(zero.rx_bytes_per_s, 0);
  EXPECT_EQ(zero.tx_bytes_per_s, 0);
  EXPECT_EQ(zero.line_load, 0);
  EXPECT_TRUE(zero.types.empty());
  EXPECT_EQ(h.frames_of(0xA2), 0u);

  // The history starts again at the first event after the reset: half a second at 50 Hz
  // reads 50 Hz over both windows, not 25 Hz or 2.5 Hz.
  for (Nanos t = 30 * kSecond; t <= 30 * kSecond + kSecond / 2; t += 20 * kMs)
    h.OnGoodFrame(0xA2, t);
  const LinkHealthSnapshot s = h.Snapshot(30 * kSecond + kSecond / 2, {});
  ASSERT_EQ(s.types.size(), 1u);
  EXPECT_EQ(s.types[0].frames, 26u);
  EXPECT_DOUBLE_EQ(s.types[0].rate_1s, 50);
  EXPECT_DOUBLE_EQ(s.types[0].rate_10s, 50);
}

TEST(LinkHealthTest, ByteTotalsPassFourGigabytes) {
  LinkHealth h;
  constexpr std::size_t kChunk = std::numeric_limits<std::uint32_t>::max();
  h.OnBytesReceived(kChunk, 0);
  h.OnBytesReceived(kChunk, 1);
  h.OnBytesSent(kChunk, 2);
  h.OnBytesSent(2, 3);
  const LinkHealthSnapshot s = h.Snapshot(3, {});
  EXPECT_EQ(s.bytes_received, 2ull * kChunk);
  EXPECT_EQ(s.bytes_sent, std::uint64_t{kChunk} + 2);
}

TEST(LinkHealthTest, AnHourAtOneKilohertzKeepsTheFiguresOfTheLastWindow) {
  // Old arrivals are dropped as new ones come; what is left still gives the window's figures.
  LinkHealth h;
  Nanos t = 0;
  for (int i = 0; i < 3'600'000; ++i) {
    t += kMs;
    h.OnGoodFrame(0x15, t);
  }
  const LinkHealthSnapshot s = h.Snapshot(t, {});
  EXPECT_EQ(s.types[0].frames, 3'600'000u);
  EXPECT_DOUBLE_EQ(s.types[0].rate_1s, 1000);
  EXPECT_DOUBLE_EQ(s.types[0].rate_10s, 1000);
  EXPECT_NEAR(s.types[0].period_median_s, 0.001, 1e-12);
}

TEST(LinkHealthTest, TimesThatGoBackAreTakenAsTheLatest) {
  // A caller's clock must be monotonic; if it is not, the history must stay usable.
  LinkHealth h;
  h.OnGoodFrame(0xA1, 2 * kSecond);
  h.OnGoodFrame(0xA1, kSecond);
  h.OnBytesReceived(5, 2 * kSecond);
  h.OnBytesReceived(5, kSecond);
  const LinkHealthSnapshot s = h.Snapshot(2 * kSecond + 1, {});
  EXPECT_EQ(s.types[0].frames, 2u);
  EXPECT_EQ(s.types[0].period_median_s, 0);
  EXPECT_EQ(s.bytes_received, 10u);
}

}  // namespace
}  // namespace tarvel::station
