#pragma once
// Receiver events as JSON lines: one compact object per event, each ending in '\n', appended to
// a caller's string in stream order.
//
//   {"event":"frame","type":"0xA1","len":18,"payload":"007b...","fields":{"yaw":12.3,...}}
//   {"event":"checksum_error"}
//   {"event":"no_header"}
//
// A frame line carries TYPE as "0x" and two upper-case hex digits, the LEN byte, and the payload
// (the bytes between TYPE and SUM) as lower-case hex. A known TYPE whose payload holds its whole
// layout adds "fields", the decoded and scaled values in payload order; a known TYPE with a
// shorter payload adds "short":true instead; an unknown TYPE adds neither.
//
// Numbers are written in their shortest round-trip form: single-precision values as single
// precision (12.3, not 12.300000190734863), whole numbers without a point. Non-finite values,
// which only f32 fields can carry, are the strings "NaN", "Infinity" and "-Infinity" because
// JSON has no literal for them.

#include <string>

#include "link/frame.h"
#include "link/frame_receiver.h"
#include "link/reports.h"

namespace tarvel::decode_json {

// Appends the line of one good frame, decoding it with link::DecodeFrame.
void AppendFrameLine(std::string& out, link::FrameView frame);

// Appends {"event":"checksum_error"} and a newline.
void AppendChecksumErrorLine(std::string& out);

// Appends {"event":"no_header"} and a newline.
void AppendNoHeaderLine(std::string& out);

// Appends the "fields" object of a decoded report, e.g. {"x":3,"y":-2}, and returns true. For
// UnknownFrame and ShortFrame it appends nothing and returns false.
bool AppendFields(std::string& out, const link::Report& report);

// The receiver's events as JSON lines appended to `out`, which must outlive the writer. The
// writer never clears `out`: a caller that streams drains it between calls to Feed().
class JsonLineWriter final : public link::FrameEvents {
 public:
  explicit JsonLineWriter(std::string& out) : out_(&out) {}

  void OnGoodFrame(link::FrameView frame) override { AppendFrameLine(*out_, frame); }
  void OnChecksumError() override { AppendChecksumErrorLine(*out_); }
  void OnHeaderMissing() override { AppendNoHeaderLine(*out_); }

 private:
  std::string* out_;
};

}  // namespace tarvel::decode_json
