#pragma once
// Receives a byte stream the way the station does (link::FrameReceiver) and keeps what it
// reported: every good frame decoded, and the counts of checksum and missing-header reports.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "link/decoders.h"
#include "link/frame_receiver.h"
#include "sim/board.h"

namespace tarvel::simtest {

struct CapturedFrame {
  std::uint8_t type = 0;
  link::Report report;
  std::vector<std::uint8_t> bytes;                            // LEN through SUM
  std::size_t wire_size() const { return bytes.size() + 3; }  // header to tail
};

// What the receiver reported.
struct Captured {
  std::vector<CapturedFrame> frames;
  int checksum_errors = 0;
  int headers_missing = 0;

  // The decoded reports of one kind, in arrival order.
  template <typename R>
  std::vector<R> All() const {
    std::vector<R> out;
    for (const CapturedFrame& f : frames) {
      if (const R* r = std::get_if<R>(&f.report)) out.push_back(*r);
    }
    return out;
  }

  int Count(std::uint8_t type) const {
    int n = 0;
    for (const CapturedFrame& f : frames)
      n += f.type == type;
    return n;
  }
};

// A receiver that records into its Captured part; feed it in as many pieces as you like.
class StreamCapture final : public Captured, private link::FrameEvents {
 public:
  StreamCapture() = default;
  StreamCapture(const StreamCapture&) = delete;
  StreamCapture& operator=(const StreamCapture&) = delete;

  void Feed(std::span<const std::uint8_t> bytes) { receiver_.Feed(bytes); }

 private:
  void OnGoodFrame(link::FrameView frame) override {
    frames.push_back(
        {frame.type(), link::DecodeFrame(frame), {frame.bytes().begin(), frame.bytes().end()}});
  }
  void OnChecksumError() override { ++checksum_errors; }
  void OnHeaderMissing() override { ++headers_missing; }

  link::FrameReceiver receiver_{*this};
};

// What a fresh receiver makes of `bytes`.
inline Captured Capture(std::span<const std::uint8_t> bytes) {
  StreamCapture capture;
  capture.Feed(bytes);
  return capture;
}

// The bytes `board` sends in the next `seconds`, advanced in steps of `step`.
inline std::vector<std::uint8_t> RunBoard(
    sim::Board& board, double seconds,
    std::chrono::microseconds step = std::chrono::milliseconds(10)) {
  std::vector<std::uint8_t> out;
  const auto total = static_cast<std::int64_t>(seconds * 1e6 + 0.5);
  for (std::int64_t done = 0; done < total; done += step.count()) {
    board.Advance(std::chrono::microseconds(std::min<std::int64_t>(step.count(), total - done)),
                  out);
  }
  return out;
}

}  // namespace tarvel::simtest
