// libFuzzer target of the protocol core: FrameReceiver, every decoder and the JSON writer.
//
// Input: byte 0 chooses how the rest is cut into Feed() calls (bits 0-2: the longest piece,
// bits 3-6: the seed of the cuts, bit 7: reset the receiver at some cuts); bytes 1.. are the
// serial stream.
//
// Besides the sanitizers' checks, the target aborts when
// - a good frame breaks the frame rules (LEN one more than the stored bytes, at most 100 of
//   them, SUM equal to the sum of the others) or DecodeFrame disagrees with LayoutSize,
// - the JSON text differs from one event per line, or
// - cutting the stream differently changes the events (without resets, compared as JSON text).
//
// Every decoder sees arbitrary payloads: the payload of each good frame and the prefixes of the
// stream itself go to all eleven Decode* functions, each as an exact-size heap copy so that a
// read past the payload is caught.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "decode_json/json_lines.h"
#include "link/decoders.h"
#include "link/frame.h"
#include "link/frame_receiver.h"
#include "link/reports.h"

namespace {

using namespace tarvel;

void Check(bool ok) {
  if (!ok) std::abort();
}

template <typename T>
void Write(std::string* scratch, const std::optional<T>& report) {
  if (report && scratch) Check(decode_json::AppendFields(*scratch, *report));
}

// Runs every decoder on `bytes`, copied so that the copy ends where the payload ends, and
// writes the fields of what they decode to `scratch` unless it is null.
void DecodeWithEveryDecoder(std::span<const std::uint8_t> bytes, std::string* scratch) {
  const std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
  const link::Payload payload(copy);
  Write(scratch, link::DecodeImu(payload));
  Write(scratch, link::DecodeMotion(payload));
  Write(scratch, link::DecodePwmIn(payload));
  Write(scratch, link::DecodePwmOut(payload));
  Write(scratch, link::DecodeTrack(payload));
  for (int loop = 1; loop <= 5; ++loop)
    Write(scratch, link::DecodePid(loop, payload));
  Write(scratch, link::DecodeGps(payload));
  Write(scratch, link::DecodeTarget(payload));
  Write(scratch, link::DecodeStatus(payload));
  Write(scratch, link::DecodeMagRange(payload));
  Write(scratch, link::DecodeFlow(payload));
}

// Checks every good frame, decodes it every way, and passes all events on to the JSON writer.
class CheckingEvents final : public link::FrameEvents {
 public:
  explicit CheckingEvents(std::string& out) : writer_(out) {}

  void OnGoodFrame(link::FrameView frame) override {
    const auto bytes = frame.bytes();
    Check(bytes.size() >= 2 && bytes.size() <= link::kMaxStoredBytes);
    Check(frame.len() == bytes.size() + 1);
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
      sum += bytes[i];
    Check(static_cast<std::uint8_t>(sum) == bytes.back());

    const link::Report report = link::DecodeFrame(frame);
    const auto layout = static_cast<std::size_t>(link::LayoutSize(frame.type()));
    Check(std::holds_alternative<link::UnknownFrame>(report) == (layout == 0));
    Check(std::holds_alternative<link::ShortFrame>(report) ==
          (layout != 0 && frame.payload().size() < layout));
    DecodeWithEveryDecoder(frame.payload(), &scratch_);
    scratch_.clear();

    writer_.OnGoodFrame(frame);
    ++events;
  }
  void OnChecksumError() override {
    writer_.OnChecksumError();
    ++events;
  }
  void OnHeaderMissing() override {
    writer_.OnHeaderMissing();
    ++events;
  }

  std::size_t events = 0;

 private:
  decode_json::JsonLineWriter writer_;
  std::string scratch_;
};

void CheckLines(const std::string& json, std::size_t events) {
  std::size_t lines = 0;
  for (std::size_t start = 0; start < json.size(); ++lines) {
    const std::size_t end = json.find('\n', start);
    Check(end != std::string::npos && end - start >= 2);
    Check(json[start] == '{' && json[end - 1] == '}');
    start = end + 1;
  }
  Check(lines == events);
}

std::uint32_t NextRandom(std::uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static constexpr std::array<std::size_t, 8> kLongestPiece = {1, 2, 3, 7, 16, 64, 256, 4096};
  const std::uint8_t control = data[0];
  const std::size_t longest = kLongestPiece[control & 7];
  std::uint32_t state = 0x9E3779B9u ^ ((control >> 3) & 15u) * 0x01000193u;
  const bool resets = (control & 0x80) != 0;
  const std::span<const std::uint8_t> stream(data + 1, size - 1);

  std::string pieces_json;
  CheckingEvents pieces_events(pieces_json);
  link::FrameReceiver receiver(pieces_events);
  for (std::span<const std::uint8_t> rest = stream; !rest.empty();) {
    const std::size_t n = std::min<std::size_t>(NextRandom(state) % (longest + 1), rest.size());
    receiver.Feed(rest.first(n));
    rest = rest.subspan(n);
    if (resets && NextRandom(state) % 4 == 0) receiver.ResetReceiver();
  }
  CheckLines(pieces_json, pieces_events.events);

  if (!resets) {
    std::string whole_json;
    decode_json::JsonLineWriter whole_writer(whole_json);
    link::FrameReceiver whole(whole_writer);
    whole.Feed(stream);
    Check(whole_json == pieces_json);
  }

  // The stream's own prefixes as payloads, so decoders also see every length up to a few
  // bytes past the longest layout. Longer prefixes decode to the same values, so only the
  // longest is written out.
  const std::size_t longest_prefix = std::min<std::size_t>(stream.size(), 20);
  for (std::size_t n = 0; n < longest_prefix; ++n)
    DecodeWithEveryDecoder(stream.first(n), nullptr);
  std::string scratch;
  DecodeWithEveryDecoder(stream.first(longest_prefix), &scratch);
  return 0;
}
