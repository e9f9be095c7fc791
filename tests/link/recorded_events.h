#pragma once
// A FrameEvents sink that records what the receiver reports, in order.

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <span>
#include <vector>

#include "link/frame_receiver.h"

namespace tarvel::link::recorded {

struct Event {
  enum Kind { kGood, kChecksum, kNoHeader } kind;
  std::vector<std::uint8_t> frame;  // LEN..SUM of a good frame
  bool operator==(const Event&) const = default;
};

// Readable failure messages: "good[04 e0 e4]", "checksum", "no-header".
inline void PrintTo(const Event& e, std::ostream* os) {
  if (e.kind == Event::kChecksum) {
    *os << "checksum";
  } else if (e.kind == Event::kNoHeader) {
    *os << "no-header";
  } else {
    *os << "good[";
    const char* hex = "0123456789abcdef";
    for (std::size_t i = 0; i < e.frame.size(); ++i) {
      *os << (i ? " " : "") << hex[e.frame[i] >> 4] << hex[e.frame[i] & 15];
    }
    *os << "]";
  }
}

inline Event Good(std::vector<std::uint8_t> frame) {
  return {Event::kGood, std::move(frame)};
}
inline Event Checksum() {
  return {Event::kChecksum, {}};
}
inline Event NoHeader() {
  return {Event::kNoHeader, {}};
}

class RecordedEvents : public FrameEvents {
 public:
  void OnGoodFrame(FrameView frame) override {
    events.push_back(Good({frame.bytes().begin(), frame.bytes().end()}));
  }
  void OnChecksumError() override { events.push_back(Checksum()); }
  void OnHeaderMissing() override { events.push_back(NoHeader()); }

  std::vector<Event> events;
};

// Feeds `bytes` to a fresh receiver in one call and returns what it reported.
inline std::vector<Event> Receive(std::span<const std::uint8_t> bytes) {
  RecordedEvents sink;
  FrameReceiver receiver(sink);
  receiver.Feed(bytes);
  return sink.events;
}

inline std::vector<Event> Receive(std::initializer_list<std::uint8_t> bytes) {
  return Receive(std::span<const std::uint8_t>(bytes.begin(), bytes.size()));
}

}  // namespace tarvel::link::recorded
