#pragma once
// FrameReceiver turns the raw byte stream from the serial port into checked frames.
//
// It is a byte-at-a-time state machine. For every byte, in this order:
//  1. Tail test: while receiving, a byte AA at the position LEN announces completes the frame.
//     The sum of the stored bytes except the last is compared with the last (SUM). A good frame
//     is copied to last_frame() and reported; a bad one is reported and dropped.
//  2. Store: while receiving, the byte is stored (the first stored byte is LEN). More than 100
//     stored bytes abandon the frame without a report.
//  3. Header: A5 arms the header; 5A while armed starts a new frame, also in the middle of one
//     (which drops it silently). Any bytes between the A5 and the 5A are allowed (A5 xx 5A).
//  4. Watchdog: more than 100 bytes since the last header are reported as a missing header,
//     then the count starts again.
// Because the tail is tested before the byte could be stored, an AA inside the payload never
// ends a frame early, and an AA after a finished frame is ignored.
//
// Events are reported synchronously from Feed(), in stream order. A handler may call
// ResetReceiver() or ResetHeaderWatchdog(), but must not call Feed() again.

#include <array>
#include <cstdint>
#include <span>

#include "link/frame.h"

namespace tarvel::link {

class FrameEvents {
 public:
  // A frame with a good checksum; `frame` is last_frame(), valid until the next good frame.
  virtual void OnGoodFrame(FrameView frame) = 0;
  // A frame whose SUM did not match; it is dropped.
  virtual void OnChecksumError() = 0;
  // More than 100 bytes passed without a header.
  virtual void OnHeaderMissing() = 0;

 protected:
  ~FrameEvents() = default;
};

class FrameReceiver {
 public:
  explicit FrameReceiver(FrameEvents& events) : events_(&events) {}

  // Processes every byte of `bytes` in order. A frame may be split across any number of calls.
  void Feed(std::span<const std::uint8_t> bytes);

  // Drops a frame in progress and forgets a half-seen header. The header watchdog count and
  // last_frame() are kept.
  void ResetReceiver();

  // Starts the header watchdog's count from zero (done once at start-up).
  void ResetHeaderWatchdog() { state_.bytes_since_header = 0; }

  // The last good frame from LEN through SUM; empty until the first good frame.
  std::span<const std::uint8_t> last_frame() const { return {last_frame_.data(), last_size_}; }

  // While an event is being reported: how many bytes of the span given to Feed() come after
  // the byte that caused it (0 for the last byte). Lets a caller place each frame in time
  // within one delivery of bytes.
  std::size_t bytes_after_event() const { return bytes_after_event_; }

  // Whether bytes are being stored for a frame, and how many (for tests and diagnostics).
  bool receiving() const { return state_.in_frame; }
  int stored_bytes() const { return state_.rx_count; }

 private:
  // Kept together so Feed() can work on a local copy that the compiler holds in registers;
  // stores into the byte buffer would otherwise force it to reload every member.
  struct State {
    int rx_count = 0;           // bytes stored for the frame being received
    int rx_length = 0;          // its LEN byte (a copy of the first stored byte)
    unsigned rx_sum = 0;        // running sum of the stored bytes
    bool in_frame = false;      // a header was recognised and bytes are being stored
    bool header_armed = false;  // an A5 was seen and no header, frame end or reset since
    int bytes_since_header = 0;
  };

  FrameEvents* events_;
  State state_;
  std::array<std::uint8_t, kMaxStoredBytes + 1> rx_buffer_{};

  std::array<std::uint8_t, kMaxStoredBytes> last_frame_{};
  std::size_t last_size_ = 0;
  std::size_t bytes_after_event_ = 0;
};

}  // namespace tarvel::link
