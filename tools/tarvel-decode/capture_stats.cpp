#include "capture_stats.h"

#include <charconv>

#include "format/number_text.h"
#include "link/frame_types.h"

namespace tarvel::decodetool {
namespace {

void AppendCount(std::string& out, std::string_view key, std::uint64_t value) {
  out += '"';
  out += key;
  out += "\":";
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end);
}

void AppendReal(std::string& out, std::string_view key, double value) {
  out += '"';
  out += key;
  out += "\":";
  out += format::DecimalText(value);  // always finite here
}

}  // namespace

station::Nanos CaptureStats::LineTime(std::uint64_t bytes) const {
  return static_cast<station::Nanos>(static_cast<double>(bytes) * line_.BitsPerCharacter() *
                                     static_cast<double>(station::kNanosPerSecond) / line_.baud);
}

void CaptureStats::OnBytes(std::size_t count) {
  bytes_ += count;
  now_ = LineTime(bytes_);
  health_.OnBytesReceived(count, now_);
}

void CaptureStats::OnGoodFrame(link::FrameView frame) {
  health_.OnFrame(frame, now_);
}

void CaptureStats::AppendJson(std::string& out) const {
  const station::LinkHealthSnapshot s = health_.Snapshot(now_, line_);
  out += '{';
  AppendCount(out, "bytes", s.bytes_received);
  out += ',';
  AppendReal(out, "duration_s",
             static_cast<double>(s.bytes_received) * line_.BitsPerCharacter() / line_.baud);
  out += R"(,"line":")";
  out += line_.Text();
  out += "\",";
  AppendCount(out, "good_frames", s.good_frames);
  out += R"(,"frames":{)";
  for (const station::TypeHealth& t : s.types) {
    if (&t != &s.types.front()) out += ',';
    AppendCount(out, link::TypeText(t.type), t.frames);
  }
  out += "},";
  AppendCount(out, "checksum_errors", s.checksum_errors);
  out += ',';
  AppendReal(out, "checksum_error_pct", s.checksum_error_pct);
  out += ',';
  AppendCount(out, "no_header", s.header_missing);
  out += ',';
  AppendCount(out, "short_frames", s.short_frames);
  out += ',';
  AppendCount(out, "unknown_types", s.unknown_types);
  out += "}\n";
}

}  // namespace tarvel::decodetool
