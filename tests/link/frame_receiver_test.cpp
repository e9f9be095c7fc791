#include "link/frame_receiver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "link/frame.h"
#include "recorded_events.h"

namespace tarvel::link {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using namespace tarvel::link::recorded;

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts)
    out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(FrameReceiverTest, ShortCommandFrameIsGood) {
  EXPECT_THAT(Receive({0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA}), ElementsAre(Good({0x04, 0xE0, 0xE4})));
}

TEST(FrameReceiverTest, BadChecksumIsReportedOnceAndNotDispatched) {
  EXPECT_THAT(Receive({0xA5, 0x5A, 0x04, 0xE0, 0xE5, 0xAA}), ElementsAre(Checksum()));
}

TEST(FrameReceiverTest, AnyByteBetweenTheHeaderBytesIsAllowed) {
  EXPECT_THAT(Receive({0xA5, 0x01, 0x5A, 0x04, 0xE0, 0xE4, 0xAA}),
              ElementsAre(Good({0x04, 0xE0, 0xE4})));
  EXPECT_THAT(Receive({0xA5, 0x01, 0x02, 0x03, 0x5A, 0x04, 0xE0, 0xE4, 0xAA}),
              ElementsAre(Good({0x04, 0xE0, 0xE4})));
  // A 5A without an A5 before it is no header.
  EXPECT_THAT(Receive({0x5A, 0x04, 0xE0, 0xE4, 0xAA}), IsEmpty());
}

TEST(FrameReceiverTest, FrameSplitAcrossCallsIsReceivedAsInOne) {
  RecordedEvents sink;
  FrameReceiver receiver(sink);
  const Bytes parts[] = {{0xA5}, {0x5A, 0x04}, {0xE0, 0xE4}, {0xAA}};
  for (const Bytes& part : parts)
    receiver.Feed(part);
  EXPECT_THAT(sink.events, ElementsAre(Good({0x04, 0xE0, 0xE4})));
  EXPECT_THAT(receiver.last_frame(), ElementsAre(0x04, 0xE0, 0xE4));
}

TEST(FrameReceiverTest, TailInsideThePayloadDoesNotEndTheFrame) {
  const Bytes payload = {0xAA, 0xAA, 0x01, 0xAA};
  const Bytes frame = BuildFrame(0x33, payload);
  const auto events = Receive(frame);
  ASSERT_THAT(events, ElementsAre(Good({frame.begin() + 2, frame.end() - 1})));
}

TEST(FrameReceiverTest, HeaderInsideThePayloadRestartsReception) {
  // The payload's A5 .. 5A is a new header: what follows is taken as a new frame.
  const Bytes inner = BuildFrame(0x21, Bytes{0x07});
  Bytes stream = {0xA5, 0x5A, 0x10, 0x33, 0x01, 0xA5, 0x02, 0x5A};
  stream.insert(stream.end(), inner.begin() + 2, inner.end());
  EXPECT_THAT(Receive(stream), ElementsAre(Good({0x05, 0x21, 0x07, 0x2D})));
}

TEST(FrameReceiverTest, TargetFrameWithA5TypeRestartsAtA5AInPayload) {
  // TYPE A5 arms the header: a later 5A in the payload restarts reception, the frame is lost.
  const Bytes frame = BuildFrame(0xA5, Bytes(16, 0x5A));
  EXPECT_THAT(Receive(frame), IsEmpty());
  const Bytes clean = BuildFrame(0xA5, Bytes(16, 0x01));
  EXPECT_THAT(Receive(clean), ElementsAre(Good({clean.begin() + 2, clean.end() - 1})));
}

TEST(FrameReceiverTest, LongestAcceptedFrameHasLen101) {
  const Bytes longest = BuildFrame(0x40, Bytes(97, 0x11));
  ASSERT_EQ(longest[2], 101);
  // 103 bytes on the wire: the watchdog fires at its SUM, 101 bytes after the 5A.
  EXPECT_THAT(Receive(longest),
              ElementsAre(NoHeader(), Good({longest.begin() + 2, longest.end() - 1})));
}

TEST(FrameReceiverTest, Len102IsAbandonedAndTheRestOnlyScannedForAHeader) {
  const Bytes too_long = BuildFrame(0x40, Bytes(98, 0x11));
  ASSERT_EQ(too_long[2], 102);
  RecordedEvents sink;
  FrameReceiver receiver(sink);
  receiver.Feed(std::span(too_long).first(2 + 100));
  EXPECT_TRUE(receiver.receiving());
  receiver.Feed(std::span(too_long).subspan(102, 1));  // the 101st stored byte abandons it
  EXPECT_FALSE(receiver.receiving());
  receiver.Feed(std::span(too_long).subspan(103));  // SUM and tail: only the watchdog
  EXPECT_THAT(sink.events, ElementsAre(NoHeader()));
  // The next header works as usual.
  receiver.Feed(Bytes{0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA});
  EXPECT_THAT(sink.events, ElementsAre(NoHeader(), Good({0x04, 0xE0, 0xE4})));
}

TEST(FrameReceiverTest, AbandoningAtTheHeaderForgetsItsA5) {
  // A frame in progress with 99 stored bytes: the A5 is stored as the 100th byte, the 5A as the
  // 101st, which abandons the frame and clears the half-seen header. The next frame is lost.
  Bytes stream = {0xA5, 0x5A, 0x7F};
  stream.insert(stream.end(), 98, 0x00);
  stream.insert(stream.end(), {0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA});
  EXPECT_THAT(Receive(stream), ElementsAre(NoHeader()));
  // One byte less stored and the header is recognised.
  stream.erase(stream.begin() + 3);
  EXPECT_THAT(Receive(stream), ElementsAre(Good({0x04, 0xE0, 0xE4})));
}

TEST(FrameReceiverTest, TailAfterAGoodFrameDoesNothing) {
  EXPECT_THAT(Receive({0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA, 0xAA, 0xAA}),
              ElementsAre(Good({0x04, 0xE0, 0xE4})));
}

TEST(FrameReceiverTest, HeaderWatchdogFiresOncePer101BytesWithoutHeader) {
  EXPECT_THAT(Receive(Bytes(100, 0x00)), IsEmpty());
  EXPECT_THAT(Receive(Bytes(101, 0x00)), ElementsAre(NoHeader()));
  EXPECT_THAT(Receive(Bytes(201, 0x00)), ElementsAre(NoHeader()));
  EXPECT_THAT(Receive(Bytes(202, 0x00)), ElementsAre(NoHeader(), NoHeader()));
}

TEST(FrameReceiverTest, HeaderWatchdogCountsFromTheHeader) {
  // The 5A of a header counts as the first byte; 100 more bytes fire the watchdog.
  Bytes stream = {0xA5, 0x5A};
  stream.insert(stream.end(), 99, 0x00);
  EXPECT_THAT(Receive(stream), IsEmpty());
  stream.push_back(0x00);
  EXPECT_THAT(Receive(stream), ElementsAre(NoHeader()));
}

TEST(FrameReceiverTest, FramesWithLen99OrMoreTripTheWatchdogEveryFrame) {
  const Bytes frame = BuildFrame(0x40, Bytes(95, 0x11));  // LEN 99, 101 bytes on the wire
  const Bytes stream = Concat({frame, frame, frame});
  const Event good = Good({frame.begin() + 2, frame.end() - 1});
  // The next frame's A5 is the 101st byte since the previous 5A.
  EXPECT_THAT(Receive(stream), ElementsAre(good, NoHeader(), good, NoHeader(), good));
}

TEST(FrameReceiverTest, WatchdogEventComesInStreamOrder) {
  Bytes stream(101, 0x00);
  const Bytes frame = {0xA5, 0x5A, 0x04, 0xE0, 0xE5, 0xAA};
  stream.insert(stream.begin() + 50, frame.begin(), frame.end());
  // The header at byte 51 restarts the count; the bad frame comes first.
  Bytes longer = stream;
  longer.insert(longer.end(), 50, 0x00);
  EXPECT_THAT(Receive(longer), ElementsAre(Checksum(), NoHeader()));
}

TEST(FrameReceiverTest, ResetDropsAHalfReceivedFrame) {
  RecordedEvents sink;
  FrameReceiver receiver(sink);
  receiver.Feed(Bytes{0xA5, 0x5A, 0x04, 0xE0});
  receiver.ResetReceiver();
  receiver.Feed(Bytes{0xE4, 0xAA});
  EXPECT_THAT(sink.events, IsEmpty());
  // A half-seen header is forgotten too.
  receiver.Feed(Bytes{0xA5});
  receiver.ResetReceiver();
  receiver.Feed(Bytes{0x5A, 0x04, 0xE0, 0xE4, 0xAA});
  EXPECT_THAT(sink.events, IsEmpty());
}

TEST(FrameReceiverTest, ResetKeepsLastFrameAndWatchdogCount) {
  RecordedEvents sink;
  FrameReceiver receiver(sink);
  receiver.Feed(Bytes{0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA});
  receiver.Feed(Bytes(95, 0x00));  // 100 bytes counted from the 5A
  receiver.ResetReceiver();
  EXPECT_THAT(receiver.last_frame(), ElementsAre(0x04, 0xE0, 0xE4));
  receiver.Feed(Bytes{0x00});
  EXPECT_THAT(sink.events, ElementsAre(Good({0x04, 0xE0, 0xE4}), NoHeader()));
}

TEST(FrameReceiverTest, ResetHeaderWatchdogRestartsTheCount) {
  RecordedEvents sink;
  FrameReceiver receiver(sink);
  receiver.Feed(Bytes(100, 0x00));
  receiver.ResetHeaderWatchdog();
  receiver.Feed(Bytes(100, 0x00));
  EXPECT_THAT(sink.events, IsEmpty());
}

TEST(FrameReceiverTest, BadFrameReturnsToHunting) {
  // After a bad frame, payload-like bytes are not stored until the next header.
  EXPECT_THAT(Receive({0xA5, 0x5A, 0x04, 0xE0, 0xE5, 0xAA, 0x04, 0xE0, 0xE4, 0xAA, 0xA5, 0x5A, 0x04,
                       0xE1, 0xE5, 0xAA}),
              ElementsAre(Checksum(), Good({0x04, 0xE1, 0xE5})));
}

TEST(FrameReceiverTest, DegenerateLengths) {
  // LEN 2: the tail test finds no payload and compares 0 with LEN itself: always bad.
  EXPECT_THAT(Receive({0xA5, 0x5A, 0x02, 0xAA}), ElementsAre(Checksum()));
  // LEN 3: the TYPE byte is also the SUM; good when it equals LEN.
  EXPECT_THAT(Receive({0xA5, 0x5A, 0x03, 0x03, 0xAA}), ElementsAre(Good({0x03, 0x03})));
  EXPECT_THAT(Receive({0xA5, 0x5A, 0x03, 0x04, 0xAA}), ElementsAre(Checksum()));
  // LEN 0 and 1 never complete; the frame runs until it is abandoned.
  EXPECT_THAT(Receive({0xA5, 0x5A, 0x01, 0xAA, 0xAA}), IsEmpty());
}

TEST(FrameReceiverTest, TailRightAfterHeaderIsStoredAsLen) {
  // A frame with LEN 1 leaves LEN 1 behind when it is abandoned. A header followed at once by
  // AA must not be taken as a finished frame with no bytes: the AA is the new frame's LEN.
  Bytes stream = {0xA5, 0x5A, 0x01};
  stream.insert(stream.end(), 100, 0x00);  // abandoned at the 101st stored byte
  stream.insert(stream.end(), {0xA5, 0x5A, 0xAA});
  const auto events = Receive(stream);
  EXPECT_THAT(events, ElementsAre(NoHeader()));
  RecordedEvents sink;
  FrameReceiver receiver(sink);
  receiver.Feed(stream);
  EXPECT_TRUE(receiver.receiving());
}

class ResettingEvents : public FrameEvents {
 public:
  explicit ResettingEvents(FrameReceiver*& receiver) : receiver_(receiver) {}
  void OnGoodFrame(FrameView) override {
    ++good;
    receiver_->ResetReceiver();
  }
  void OnChecksumError() override {}
  void OnHeaderMissing() override { receiver_->ResetReceiver(); }
  int good = 0;

 private:
  FrameReceiver*& receiver_;
};

TEST(FrameReceiverTest, HandlerMayResetTheReceiver) {
  FrameReceiver* receiver_ptr = nullptr;
  ResettingEvents events(receiver_ptr);
  FrameReceiver receiver(events);
  receiver_ptr = &receiver;
  // The watchdog fires at the A5 (101st byte); the reset forgets the A5, so the 5A that
  // follows is no header.
  Bytes stream(100, 0x00);
  stream.insert(stream.end(), {0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA});
  receiver.Feed(stream);
  EXPECT_EQ(events.good, 0);
  receiver.Feed(Bytes{0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA, 0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA});
  EXPECT_EQ(events.good, 2);
}

}  // namespace
}  // namespace tarvel::link
