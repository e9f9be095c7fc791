// Randomised properties of the receiver: builder-made frames come through whatever surrounds
// them and however the stream is cut into reads.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "link/decoders.h"
#include "link/frame.h"
#include "link/frame_receiver.h"
#include "recorded_events.h"

namespace tarvel::link {
namespace {

using Bytes = std::vector<std::uint8_t>;
using recorded::Event;
using recorded::RecordedEvents;

Bytes RandomBytes(std::mt19937& rng, std::size_t n) {
  std::uniform_int_distribution<int> byte(0, 255);
  Bytes out(n);
  for (auto& b : out)
    b = static_cast<std::uint8_t>(byte(rng));
  return out;
}

// An A5 followed later by a 5A between LEN and SUM is a new header: the receiver drops the
// frame there. The board's protocol has no escaping, so such frames are lost on any link.
bool HasInnerHeader(const Bytes& frame) {
  const auto body_end = frame.end() - 1;
  const auto a5 = std::find(frame.begin() + 2, body_end, kHeader1);
  return a5 != body_end && std::find(a5 + 1, body_end, kHeader2) != body_end;
}

std::vector<Event> FeedInChunks(const Bytes& stream, std::mt19937& rng, int max_chunk) {
  RecordedEvents sink;
  FrameReceiver receiver(sink);
  std::uniform_int_distribution<int> chunk(0, max_chunk);
  std::size_t pos = 0;
  while (pos < stream.size()) {
    const std::size_t n = std::min<std::size_t>(chunk(rng), stream.size() - pos);
    receiver.Feed(std::span(stream).subspan(pos, n));
    pos += n;
  }
  return sink.events;
}

TEST(ReceiverPropertyTest, BuiltFramesArriveIntactWhateverTheSplit) {
  std::mt19937 rng(20261209);
  std::uniform_int_distribution<int> type(0, 255);
  std::uniform_int_distribution<int> length(0, kMaxPayload);
  for (int round = 0; round < 2000; ++round) {
    const auto t = static_cast<std::uint8_t>(type(rng));
    const Bytes payload = RandomBytes(rng, static_cast<std::size_t>(length(rng)));
    const Bytes frame = BuildFrame(t, payload);
    const std::vector<Event> events = FeedInChunks(frame, rng, 1 + round % 16);

    std::vector<Event> good;
    std::copy_if(events.begin(), events.end(), std::back_inserter(good),
                 [](const Event& e) { return e.kind == Event::kGood; });
    if (HasInnerHeader(frame)) {
      EXPECT_TRUE(good.empty()) << "round " << round;
      continue;
    }
    ASSERT_EQ(good.size(), 1u) << "round " << round;
    const FrameView view(good[0].frame);
    EXPECT_EQ(view.type(), t);
    EXPECT_TRUE(
        std::equal(view.payload().begin(), view.payload().end(), payload.begin(), payload.end()));
  }
}

TEST(ReceiverPropertyTest, CleanFramesSurviveAnyNoiseBeforeThem) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> noise_len(0, 300);
  std::uniform_int_distribution<int> length(0, 30);
  int lost_to_abandon = 0;
  for (int round = 0; round < 3000; ++round) {
    RecordedEvents sink;
    FrameReceiver receiver(sink);
    Bytes noise = RandomBytes(rng, static_cast<std::size_t>(noise_len(rng)));
    if (round % 4 == 0) {
      // Often end the noise inside a long frame, near the point where it is abandoned.
      const Bytes tail = RandomBytes(rng, 94 + rng() % 8);
      noise.insert(noise.end(), {kHeader1, kHeader2, 0x70});
      for (const std::uint8_t b : tail)
        noise.push_back(b == kHeader1 ? 0 : b);
    }
    Bytes frame;
    do {
      frame = BuildFrame(static_cast<std::uint8_t>(rng()),
                         RandomBytes(rng, static_cast<std::size_t>(length(rng))));
    } while (HasInnerHeader(frame));
    receiver.Feed(noise);
    // The one way noise can hide a header: a frame in progress with 99 stored bytes stores the
    // A5 as its 100th and the 5A as its 101st byte, and abandoning it forgets the A5.
    const bool header_lost = receiver.receiving() && receiver.stored_bytes() == 99;
    sink.events.clear();
    receiver.Feed(frame);
    const bool received =
        std::find(sink.events.begin(), sink.events.end(),
                  recorded::Good({frame.begin() + 2, frame.end() - 1})) != sink.events.end();
    EXPECT_EQ(received, !header_lost) << "round " << round;
    lost_to_abandon += header_lost;
  }
  EXPECT_GT(lost_to_abandon, 0);  // the generator does reach that case
}

TEST(ReceiverPropertyTest, SplittingNeverChangesTheEvents) {
  std::mt19937 rng(99);
  for (int round = 0; round < 500; ++round) {
    // Streams rich in protocol bytes, so headers, tails and lengths collide often.
    Bytes stream = RandomBytes(rng, 600);
    const std::uint8_t specials[] = {0xA5, 0x5A, 0xAA, 0x04, 0x12, 0x16, 0x65, 0x66, 0x01};
    for (auto& b : stream) {
      if (rng() % 2) b = specials[rng() % std::size(specials)];
    }
    const std::vector<Event> whole = recorded::Receive(stream);
    EXPECT_EQ(FeedInChunks(stream, rng, 1), whole) << "round " << round;
    EXPECT_EQ(FeedInChunks(stream, rng, 37), whole) << "round " << round;
  }
}

TEST(ReceiverPropertyTest, DecodingAnyGoodFrameStaysInsideIt) {
  // Every TYPE with every payload length: the decoders must only read the payload they are
  // given (the sanitizer build catches a read past the vector).
  for (int t = 0; t < 256; ++t) {
    for (int n = 0; n <= 20; ++n) {
      const Bytes body = [&] {
        Bytes frame = BuildFrame(static_cast<std::uint8_t>(t), Bytes(n, 0x80));
        return Bytes(frame.begin() + 2, frame.end() - 1);
      }();
      const Report r = DecodeFrame(FrameView(body));
      const int size = LayoutSize(static_cast<std::uint8_t>(t));
      if (size == 0) {
        EXPECT_TRUE(std::holds_alternative<UnknownFrame>(r));
      } else {
        EXPECT_EQ(std::holds_alternative<ShortFrame>(r), n < size) << t << " " << n;
      }
    }
  }
}

}  // namespace
}  // namespace tarvel::link
