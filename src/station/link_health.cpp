#include "station/link_health.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "link/decoders.h"

namespace tarvel::station {
namespace {

constexpr Nanos kShortWindow = kNanosPerSecond;
constexpr Nanos kLongWindow = 10 * kNanosPerSecond;
constexpr double kStalePeriods = 3;

double Seconds(double nanos) {
  return nanos / static_cast<double>(kNanosPerSecond);
}

// Median of `v` (the mean of the middle two for an even count); `v` is reordered.
double Median(std::vector<double>& v) {
  const std::size_t mid = v.size() / 2;
  std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(mid), v.end());
  const double upper = v[mid];
  if (v.size() % 2 == 1) return upper;
  const double lower = *std::max_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(mid));
  return (lower + upper) / 2;
}

// The 99th percentile by nearest rank: the smallest value at least 99 % of `v` do not exceed,
// always one that occurred. `v` is reordered.
double Percentile99(std::vector<double>& v) {
  const auto rank = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(v.size())));
  const auto at = v.begin() + static_cast<std::ptrdiff_t>(std::max<std::size_t>(rank, 1) - 1);
  std::nth_element(v.begin(), at, v.end());
  return *at;
}

}  // namespace

void LinkHealth::AddBytes(RingBuffer<ByteEvent>& recent, std::size_t count, Nanos now) {
  // Times only go forward here, whatever a caller passes, so the buffers stay sorted.
  if (!recent.empty()) now = std::max(now, recent.back().time);
  recent.push_back({now, count});
  while (recent.front().time <= now - kShortWindow)
    recent.pop_front();
}

void LinkHealth::OnBytesReceived(std::size_t count, Nanos now) {
  Started(now);
  bytes_received_ += count;
  AddBytes(rx_recent_, count, now);
}

void LinkHealth::OnBytesSent(std::size_t count, Nanos now) {
  Started(now);
  bytes_sent_ += count;
  AddBytes(tx_recent_, count, now);
}

void LinkHealth::OnGoodFrame(std::uint8_t type, Nanos now) {
  Started(now);
  ++good_frames_;
  PerType& t = per_type_[type];
  ++t.frames;
  if (!t.arrivals.empty()) now = std::max(now, t.arrivals.back());
  t.arrivals.push_back(now);
  // The oldest arrival goes once the next one is out of the window too: the interval that
  // ends inside the window still needs it.
  while (t.arrivals.size() > 1 && t.arrivals[1] <= now - kLongWindow)
    t.arrivals.pop_front();
}

void LinkHealth::OnFrame(link::FrameView frame, Nanos now) {
  const std::uint8_t type = frame.type();
  OnGoodFrame(type, now);
  const int layout = link::LayoutSize(type);
  if (layout == 0) {
    OnUnknownType(type);
  } else if (frame.payload().size() < static_cast<std::size_t>(layout)) {
    OnShortFrame(type);
  }
}

void LinkHealth::OnUnknownType(std::uint8_t) {
  ++unknown_types_;
}

void LinkHealth::OnShortFrame(std::uint8_t) {
  ++short_frames_;
}

void LinkHealth::OnChecksumError() {
  ++checksum_errors_;
}

void LinkHealth::OnHeaderMissing() {
  ++header_missing_;
}

void LinkHealth::OnOverflow() {
  ++overflows_;
}

void LinkHealth::OnDeviceLost() {
  ++device_losses_;
}

void LinkHealth::Reset() {
  *this = LinkHealth();
}

Nanos LinkHealth::WindowAt(Nanos now, Nanos window) const {
  if (!started_) return 0;
  return std::clamp<Nanos>(now - start_, 0, window);
}

double LinkHealth::ByteRate(const RingBuffer<ByteEvent>& recent, Nanos now) const {
  const Nanos window = WindowAt(now, kShortWindow);
  if (window <= 0) return 0;
  // Bytes delivered in (now - window, now]: those delivered at the very start of the history
  // arrived before it.
  const std::size_t from =
      recent.PartitionPoint([&](const ByteEvent& e) { return e.time <= now - window; });
  const std::size_t to = recent.PartitionPoint([&](const ByteEvent& e) { return e.time <= now; });
  double bytes = 0;
  for (std::size_t i = from; i < to; ++i)
    bytes += static_cast<double>(recent[i].count);
  return bytes / Seconds(static_cast<double>(window));
}

TypeHealth LinkHealth::TypeFigures(std::uint8_t type, const PerType& t, Nanos now) const {
  TypeHealth h;
  h.type = type;
  h.frames = t.frames;
  const RingBuffer<Nanos>& a = t.arrivals;
  // Arrivals after `now` (a snapshot asked for an earlier time) do not count.
  const std::size_t end = a.PartitionPoint([&](Nanos x) { return x <= now; });
  auto rate = [&](Nanos window_length) {
    const Nanos window = WindowAt(now, window_length);
    if (window <= 0) return 0.0;
    const std::size_t from = a.PartitionPoint([&](Nanos x) { return x <= now - window; });
    return static_cast<double>(end - std::min(from, end)) / Seconds(static_cast<double>(window));
  };
  h.rate_1s = rate(kShortWindow);
  h.rate_10s = rate(kLongWindow);
  if (end == 0) return h;
  const Nanos since_last = now - a[end - 1];
  h.since_last_s = Seconds(static_cast<double>(since_last));

  // Intervals ending in the last 10 s; when the TYPE has been quiet for longer, those of its
  // last 10 s of activity, which are still kept, so its period stays known.
  const std::size_t first_in_window =
      a.PartitionPoint([&](Nanos x) { return x <= now - kLongWindow; });
  const std::size_t first_end =
      first_in_window < end ? std::max<std::size_t>(first_in_window, 1) : std::size_t{1};
  if (end < 2) return h;
  std::vector<double> intervals;
  intervals.reserve(end - first_end);
  for (std::size_t i = first_end; i < end; ++i)
    intervals.push_back(static_cast<double>(a[i] - a[i - 1]));
  const double period = Median(intervals);
  for (double& x : intervals)
    x = std::abs(x - period);
  h.period_median_s = Seconds(period);
  h.jitter_median_s = Seconds(Median(intervals));
  h.jitter_p99_s = Seconds(Percentile99(intervals));
  h.stale = period > 0 && static_cast<double>(since_last) > kStalePeriods * period;
  return h;
}

LinkHealthSnapshot LinkHealth::Snapshot(Nanos now, const serial::LineSettings& line) const {
  LinkHealthSnapshot s;
  s.bytes_received = bytes_received_;
  s.bytes_sent = bytes_sent_;
  s.good_frames = good_frames_;
  s.checksum_errors = checksum_errors_;
  s.header_missing = header_missing_;
  s.overflows = overflows_;
  s.device_losses = device_losses_;
  s.unknown_types = unknown_types_;
  s.short_frames = short_frames_;
  const std::uint64_t checked = good_frames_ + checksum_errors_;
  if (checked > 0) {
    s.checksum_error_pct =
        100.0 * static_cast<double>(checksum_errors_) / static_cast<double>(checked);
  }
  s.rx_bytes_per_s = ByteRate(rx_recent_, now);
  s.tx_bytes_per_s = ByteRate(tx_recent_, now);
  if (line.baud > 0) {
    s.line_load = s.rx_bytes_per_s * line.BitsPerCharacter() / static_cast<double>(line.baud);
  }
  for (int type = 0; type < 256; ++type) {
    const PerType& t = per_type_[static_cast<std::size_t>(type)];
    if (t.frames > 0) s.types.push_back(TypeFigures(static_cast<std::uint8_t>(type), t, now));
  }
  return s;
}

}  // namespace tarvel::station
