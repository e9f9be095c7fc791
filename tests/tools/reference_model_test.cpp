// Cross-check of FrameReceiver against the naive model of the byte algorithm (naive_receiver.h).
// Both feed the same JSON writer, so the comparison covers every event, its order and the bytes
// of every good frame.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "adversarial_stream.h"
#include "decode_json/json_lines.h"
#include "link/frame.h"
#include "link/frame_receiver.h"
#include "naive_receiver.h"

namespace tarvel::decode_json {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string ByNaiveModel(const Bytes& stream, int* empty_tails = nullptr) {
  std::string out;
  NaiveReceiver model(out);
  for (const std::uint8_t b : stream)
    model.Byte(b);
  if (empty_tails) *empty_tails += model.empty_tails;
  return out;
}

// FrameReceiver fed in pieces of 0..max_chunk bytes.
std::string ByFrameReceiver(const Bytes& stream, std::mt19937& rng, int max_chunk) {
  std::string out;
  JsonLineWriter writer(out);
  link::FrameReceiver receiver(writer);
  std::span<const std::uint8_t> rest(stream);
  while (!rest.empty()) {
    const auto n = std::min<std::size_t>(rng() % (max_chunk + 1), rest.size());
    receiver.Feed(rest.first(n));
    rest = rest.subspan(n);
  }
  return out;
}

bool Disagree(const Bytes& stream) {
  std::mt19937 rng(1);
  return ByNaiveModel(stream) != ByFrameReceiver(stream, rng, 1 << 20);
}

// Drops bytes while the two still disagree, so a failure names a short stream.
Bytes Shrink(Bytes stream) {
  for (bool progress = true; progress;) {
    progress = false;
    for (std::size_t i = 0; i < stream.size(); ++i) {
      Bytes shorter = stream;
      shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(i));
      if (Disagree(shorter)) {
        stream = std::move(shorter);
        progress = true;
        --i;
      }
    }
  }
  return stream;
}

std::string Hex(const Bytes& bytes) {
  std::string text;
  for (const std::uint8_t b : bytes) {
    text += "0123456789ABCDEF"[b >> 4];
    text += "0123456789ABCDEF"[b & 15];
    text += ' ';
  }
  return text;
}

std::size_t Occurrences(std::string_view text, std::string_view word) {
  std::size_t n = 0;
  for (auto at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1))
    ++n;
  return n;
}

constexpr std::string_view kEventMarks[] = {"\"frame\"", "\"fields\"", "\"short\"",
                                            "checksum_error", "no_header"};

TEST(ReferenceModelTest, FrameReceiverAgreesWithTheNaiveModel) {
  std::mt19937 rng(0x7A5E1);
  int empty_tails = 0;
  std::array<std::size_t, std::size(kEventMarks)> seen{};
  for (int round = 0; round < 4000; ++round) {
    Bytes stream = AdversarialStream(rng);
    if (round % 4 == 3) {
      // Plain noise rich in protocol bytes as well.
      stream.resize(rng() % 800);
      for (auto& b : stream)
        b = rng() % 3 ? static_cast<std::uint8_t>(rng()) : kProtocolBytes[rng() % 3];
    }
    const std::string expected = ByNaiveModel(stream, &empty_tails);
    const std::string actual = ByFrameReceiver(stream, rng, 1 + round % 64);
    for (std::size_t k = 0; k < std::size(kEventMarks); ++k)
      seen[k] += Occurrences(expected, kEventMarks[k]);
    if (actual != expected) {
      FAIL() << "round " << round << ": the receiver and the model disagree on\n"
             << Hex(Shrink(stream)) << "\nmodel:\n"
             << expected << "receiver:\n"
             << actual;
    }
  }
  EXPECT_GT(empty_tails, 0);  // the generator reaches the header-then-AA corner
  // The streams reach every kind of event often (about 6000 frames, 460 of them decoded and 280
  // short, 1600 checksum errors and 13000 missing headers).
  for (std::size_t k = 0; k < std::size(kEventMarks); ++k)
    EXPECT_GT(seen[k], 200u) << kEventMarks[k];
}

}  // namespace
}  // namespace tarvel::decode_json
