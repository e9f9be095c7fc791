#pragma once
// Pure decoders: payload bytes in, scaled values out. Each returns nothing when the payload is
// shorter than its layout, so a short frame never makes a decoder read past the frame; bytes
// beyond the layout are ignored.

#include <cstdint>
#include <optional>
#include <span>

#include "link/frame.h"
#include "link/reports.h"

namespace tarvel::link {

using Payload = std::span<const std::uint8_t>;

// Payload bytes each TYPE's layout needs; 0 for a TYPE without a decoder.
int LayoutSize(std::uint8_t type);

std::optional<ImuReport> DecodeImu(Payload payload);
std::optional<MotionReport> DecodeMotion(Payload payload);
std::optional<PwmInReport> DecodePwmIn(Payload payload);
std::optional<PwmOutReport> DecodePwmOut(Payload payload);
std::optional<TrackReport> DecodeTrack(Payload payload);
std::optional<PidReport> DecodePid(int loop, Payload payload);
std::optional<GpsReport> DecodeGps(Payload payload);
std::optional<TargetReport> DecodeTarget(Payload payload);
std::optional<StatusReport> DecodeStatus(Payload payload);
std::optional<MagRangeReport> DecodeMagRange(Payload payload);
std::optional<FlowReport> DecodeFlow(Payload payload);

// Dispatches on the frame's TYPE: UnknownFrame for a TYPE without a decoder, ShortFrame for a
// known TYPE whose payload is too short, otherwise the decoded report.
Report DecodeFrame(FrameView frame);

}  // namespace tarvel::link
