#pragma once
// What `tarvel-decode --stats` counts: the receiver's events through station::LinkHealth, the
// same counting the station does on its live link, and the summary as one JSON object.
//
//   {"bytes":3520,"duration_s":0.30555555555555558,"line":"115200,n,8,1","good_frames":160,
//    "frames":{"0x12":10,"0xA1":50},"checksum_errors":0,"checksum_error_pct":0,
//    "no_header":0,"short_frames":0,"unknown_types":0}
//
// "frames" holds every TYPE seen, written as in the event lines, with its count of good
// frames; "duration_s" is the time the bytes take on the given line (bytes x bits per
// character / baud).

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/frame_receiver.h"
#include "serial/line_settings.h"
#include "station/link_health.h"

namespace tarvel::decodetool {

class CaptureStats final : public link::FrameEvents {
 public:
  explicit CaptureStats(const serial::LineSettings& line) : line_(line) {}

  // Call with every piece of the stream before it is fed to the receiver. The events it
  // brings are stamped with the line time at its end.
  void OnBytes(std::size_t count);

  void OnGoodFrame(link::FrameView frame) override;
  void OnChecksumError() override { health_.OnChecksumError(); }
  void OnHeaderMissing() override { health_.OnHeaderMissing(); }

  // Appends the JSON object and a newline.
  void AppendJson(std::string& out) const;

 private:
  station::Nanos LineTime(std::uint64_t bytes) const;

  serial::LineSettings line_;
  station::LinkHealth health_;
  std::uint64_t bytes_ = 0;
  station::Nanos now_ = 0;
};

}  // namespace tarvel::decodetool
