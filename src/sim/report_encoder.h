#pragma once
// Frames from reports: the inverse of the decoders in link/decoders.h. Encoding a report and
// decoding the frame gives the report back, rounded to the resolution of each field (tenths,
// ten-thousandths of a degree, whole counts and microseconds); values beyond a field's range
// are clamped to it.
//
// The nudge: the link has no escaping, and a receiver takes any A5 followed later by 5A
// inside a frame for a new header, which loses the frame. A board with free choice of its
// last digit can avoid that. EncodePayload(report, nudge) moves every measured field by
// `nudge` units of its last place (floats by a few units in their last bits; headings round
// the circle, so 359.9 moved by +0.3 is 0.2). Codes, counts, the uptime and the pressure (whose
// unit of 10 Pa is coarser than the barometer's noise) are never moved. Sending the first nudge of
// 0, +1, -1, +2, ... whose frame has no false header keeps every value within a few units of its
// last place.

#include <cstdint>
#include <span>
#include <vector>

#include "link/reports.h"

namespace tarvel::sim {

// The TYPE byte of the frame that carries `report`; 0 for UnknownFrame and ShortFrame.
std::uint8_t FrameType(const link::Report& report);

// The payload of `report`'s frame; empty for UnknownFrame and ShortFrame.
std::vector<std::uint8_t> EncodePayload(const link::Report& report, int nudge = 0);

// Whether the complete wire frame `frame` holds an A5 followed later by 5A between LEN and
// SUM, where a receiver would see a new header and lose the frame.
bool HasFalseHeader(std::span<const std::uint8_t> frame);

// The frame of `report` free of false headers, trying the nudges 0, +1, -1, +2, -2, +3, -3 in
// turn; empty if every one of them has a false header.
std::vector<std::uint8_t> EncodeCleanFrame(const link::Report& report);

}  // namespace tarvel::sim
