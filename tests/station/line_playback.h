#pragma once
// Plays the simulated board's stream over a serial line into a LinkHealth, as the station would
// record it. The board sends each frame when it falls due; the line carries one byte every
// bits-per-character / baud seconds, so a byte reaches the receiver when the line has carried
// it, never before the board sent it. Every byte and every receiver event is recorded with the
// time its byte arrived: a frame's time is the arrival of its last byte.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "link/frame_receiver.h"
#include "serial/line_settings.h"
#include "sim/board.h"
#include "station/link_health.h"

namespace tarvel::station::test {

class LinePlayback final : private link::FrameEvents {
 public:
  LinePlayback(LinkHealth& health, const sim::BoardOptions& options,
               const serial::LineSettings& line = {})
      : health_(health),
        board_(options),
        byte_ns_(line.BitsPerCharacter() * static_cast<double>(kNanosPerSecond) / line.baud) {}

  // Frames of a TYPE for which `drop(type, arrival)` is true are received but not recorded, as
  // if the board had stopped sending them.
  std::function<bool(std::uint8_t, Nanos)> drop;

  // Runs the board in 1 ms steps until its clock reaches `until` (rounded up to a step). Every
  // due time of the board's default rates is a whole millisecond, so a frame leaves exactly
  // when it falls due.
  void RunUntil(Nanos until) {
    while (board_ns_ < until) {
      bytes_.clear();
      board_.Advance(std::chrono::milliseconds(1), bytes_);
      board_ns_ += kNanosPerSecond / 1000;
      for (const std::uint8_t b : bytes_) {
        line_free_ns_ = std::max(line_free_ns_, static_cast<double>(board_ns_)) + byte_ns_;
        now_ = std::llround(line_free_ns_);
        health_.OnBytesReceived(1, now_);
        receiver_.Feed({&b, 1});
      }
    }
  }

  // When the last byte so far reached the receiver, or the board's clock if that is later.
  Nanos now() const { return std::max(now_, board_ns_); }
  // Arrival of the newest recorded frame of `type` (0 before any).
  Nanos last_arrival(std::uint8_t type) const { return last_arrival_[type]; }

 private:
  void OnGoodFrame(link::FrameView frame) override {
    const std::uint8_t type = frame.type();
    if (drop && drop(type, now_)) return;
    last_arrival_[type] = now_;
    health_.OnFrame(frame, now_);
  }
  void OnChecksumError() override { health_.OnChecksumError(); }
  void OnHeaderMissing() override { health_.OnHeaderMissing(); }

  LinkHealth& health_;
  sim::Board board_;
  link::FrameReceiver receiver_{*this};
  std::vector<std::uint8_t> bytes_;
  double byte_ns_;
  double line_free_ns_ = 0;
  Nanos board_ns_ = 0;
  Nanos now_ = 0;
  std::array<Nanos, 256> last_arrival_{};
};

}  // namespace tarvel::station::test
