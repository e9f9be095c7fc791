#pragma once
// LinkHealth: how well the serial link is doing, counted from the link session's events.
//
// Plain C++ without Qt, so the capture decoder (`tarvel-decode --stats`) counts a capture with
// the same code the station counts its live link with. The caller passes the time of every
// event (nanoseconds on a monotonic scale); nothing here reads a clock, so tests drive it with
// any time they like and never sleep.
//
// Contract:
//  - Totals are 64-bit and never overflow in practice (a week at 2,000 frames a second is
//    about 1.2e9 frames).
//  - Per TYPE: rates over the last 1 s and 10 s before `now`; the inter-arrival period
//    (median over the last 10 s) and its jitter (the absolute deviation of each interval from
//    that median: median and 99th percentile); the time since the TYPE was last seen, stale
//    when longer than three median periods. A TYPE that stopped has both rates at 0 within
//    10 s.
//  - The history starts with the first timed event after construction or Reset(). Until it
//    is as long as a window, rates are taken over the history instead of the whole window, so
//    a link watched for 2 s shows its true rates rather than a fifth of them.
//  - Memory is bounded by the arrivals of the last 10 s (plus a constant per TYPE seen).
//  - Recording an event is cheap (tens of nanoseconds); the statistics are worked out only
//    when Snapshot() is asked for (once a second by the window).

#include <array>
#include <cstdint>
#include <vector>

#include "link/frame.h"
#include "serial/line_settings.h"
#include "station/ring_buffer.h"

namespace tarvel::station {

using Nanos = std::int64_t;

inline constexpr Nanos kNanosPerSecond = 1'000'000'000;

// One TYPE's figures at the time of a snapshot.
struct TypeHealth {
  std::uint8_t type = 0;
  std::uint64_t frames = 0;    // good frames since the start or the last Reset()
  double rate_1s = 0;          // frames per second over the last second
  double rate_10s = 0;         // frames per second over the last ten seconds
  double period_median_s = 0;  // median interval between arrivals (last 10 s); 0 if unknown
  double jitter_median_s = 0;  // median |interval - period_median_s| (last 10 s)
  double jitter_p99_s = 0;     // 99th percentile of the same
  double since_last_s = 0;     // seconds since the last frame of this TYPE
  bool stale = false;          // since_last_s > 3 * period_median_s (needs a known period)
};

struct LinkHealthSnapshot {
  // Totals since the start or the last Reset().
  std::uint64_t bytes_received = 0;
  std::uint64_t bytes_sent = 0;
  std::uint64_t good_frames = 0;  // every TYPE, including unknown and short ones
  std::uint64_t checksum_errors = 0;
  std::uint64_t header_missing = 0;  // header-watchdog events (101 bytes without a header)
  std::uint64_t overflows = 0;
  std::uint64_t device_losses = 0;
  std::uint64_t unknown_types = 0;  // good frames of a TYPE without a decoder
  std::uint64_t short_frames = 0;   // good frames shorter than their TYPE's layout
  // Checksum errors as a percentage of all checked frames (good + bad); 0 before any.
  double checksum_error_pct = 0;
  // Bytes per second over the last second, each direction.
  double rx_bytes_per_s = 0;
  double tx_bytes_per_s = 0;
  // Share of the line's capacity the received bytes used over the last second:
  // rx_bytes_per_s * bits per character / baud (1.0 is a full line).
  double line_load = 0;
  std::vector<TypeHealth> types;  // every TYPE seen, in TYPE order
};

class LinkHealth {
 public:
  void OnBytesReceived(std::size_t count, Nanos now);
  void OnBytesSent(std::size_t count, Nanos now);
  // Every good frame, whatever its TYPE; `now` is when its last byte arrived.
  void OnGoodFrame(std::uint8_t type, Nanos now);
  // A good frame as the receiver hands it over: counted as above, and also as of unknown TYPE
  // or shorter than its layout when it is (as link::DecodeFrame would find it).
  void OnFrame(link::FrameView frame, Nanos now);
  // Also reported for a good frame whose TYPE has no decoder / is shorter than its layout.
  void OnUnknownType(std::uint8_t type);
  void OnShortFrame(std::uint8_t type);
  void OnChecksumError();
  void OnHeaderMissing();
  void OnOverflow();
  void OnDeviceLost();

  // "清零": every count and history back to zero.
  void Reset();

  // The figures at `now` for a line running with `line` (for the line load).
  LinkHealthSnapshot Snapshot(Nanos now, const serial::LineSettings& line) const;

  // The totals alone, without working out rates (cheap).
  std::uint64_t good_frames() const { return good_frames_; }
  std::uint64_t frames_of(std::uint8_t type) const { return per_type_[type].frames; }

 private:
  struct PerType {
    std::uint64_t frames = 0;
    // Arrivals, oldest first: those of the 10 s up to the newest, and the one before them (so
    // the first interval in the window is known). They are dropped only when the TYPE arrives
    // again, so a TYPE that went quiet keeps its period and can be reported stale.
    RingBuffer<Nanos> arrivals;
  };
  // Byte counts per delivery time, for the per-second byte rates (the last 1 s).
  struct ByteEvent {
    Nanos time;
    std::size_t count;
  };

  // Marks the start of the history at the first timed event after construction or Reset().
  void Started(Nanos now) {
    if (!started_) {
      started_ = true;
      start_ = now;
    }
  }
  static void AddBytes(RingBuffer<ByteEvent>& recent, std::size_t count, Nanos now);
  // Bytes per second over the last second before `now`, or over the history if shorter.
  double ByteRate(const RingBuffer<ByteEvent>& recent, Nanos now) const;
  TypeHealth TypeFigures(std::uint8_t type, const PerType& t, Nanos now) const;
  // The length of a rate window of `window` before `now`, cut to the history (0 before it).
  Nanos WindowAt(Nanos now, Nanos window) const;

  std::array<PerType, 256> per_type_{};
  RingBuffer<ByteEvent> rx_recent_, tx_recent_;
  bool started_ = false;
  Nanos start_ = 0;
  std::uint64_t bytes_received_ = 0, bytes_sent_ = 0, good_frames_ = 0, checksum_errors_ = 0,
                header_missing_ = 0, overflows_ = 0, device_losses_ = 0, unknown_types_ = 0,
                short_frames_ = 0;
};

}  // namespace tarvel::station
