#include "link/decoders.h"

#include "link/codec.h"
#include "link/frame_types.h"

namespace tarvel::link {
namespace {

constexpr int kImuSize = 14;
constexpr int kMotionSize = 18;
constexpr int kPwmInSize = 12;
constexpr int kPwmOutSize = 16;
constexpr int kTrackSize = 12;
constexpr int kPidSize = 12;
constexpr int kGpsSize = 15;
constexpr int kTargetSize = 16;
constexpr int kStatusSize = 10;
constexpr int kMagRangeSize = 12;
constexpr int kFlowSize = 4;

bool Fits(Payload payload, int size) {
  return payload.size() >= static_cast<std::size_t>(size);
}

// sm16 and s16 tenths, scaled in single precision.
float Tenths(int v) {
  return static_cast<float>(v) / 10.0f;
}

// s32 ten-thousandths of a degree; the count is made single precision before the division.
float DegreesE4(std::int32_t v) {
  return static_cast<float>(v) / 10000.0f;
}

}  // namespace

int LayoutSize(std::uint8_t type) {
  switch (type) {
    case kTypeFlow: return kFlowSize;
    case kTypePwmIn: return kPwmInSize;
    case kTypePwmOut: return kPwmOutSize;
    case kTypeTrack: return kTrackSize;
    case kTypeImu: return kImuSize;
    case kTypeMotion: return kMotionSize;
    case kTypeGps: return kGpsSize;
    case kTypeMagRange: return kMagRangeSize;
    case kTypeTarget: return kTargetSize;
    case kTypeStatus: return kStatusSize;
    default: return IsPidAnswer(type) ? kPidSize : 0;
  }
}

std::optional<ImuReport> DecodeImu(Payload payload) {
  if (!Fits(payload, kImuSize)) return std::nullopt;
  const std::uint8_t* p = payload.data();
  ImuReport r;
  r.yaw = Tenths(GetSm16(p + 0));
  r.pitch = Tenths(GetSm16(p + 2));
  r.roll = Tenths(GetSm16(p + 4));
  r.altitude = Tenths(GetSm16(p + 6));
  r.temperature = Tenths(GetSm16(p + 8));
  r.pressure_field = GetSm16(p + 10);
  r.solution_rate = GetSm16(p + 12);
  return r;
}

std::optional<MotionReport> DecodeMotion(Payload payload) {
  if (!Fits(payload, kMotionSize)) return std::nullopt;
  const std::uint8_t* p = payload.data();
  MotionReport r;
  r.acc_x = GetSm16(p + 0);
  r.acc_y = GetSm16(p + 2);
  r.acc_z = GetSm16(p + 4);
  r.gyro_x = GetSm16(p + 6);
  r.gyro_y = GetSm16(p + 8);
  r.gyro_z = GetSm16(p + 10);
  r.mag_x = GetSm16(p + 12);
  r.mag_y = GetSm16(p + 14);
  r.mag_z = GetSm16(p + 16);
  return r;
}

std::optional<PwmInReport> DecodePwmIn(Payload payload) {
  if (!Fits(payload, kPwmInSize)) return std::nullopt;
  PwmInReport r;
  for (std::size_t i = 0; i < r.channels.size(); ++i) {
    r.channels[i] = static_cast<float>(GetU16(payload.data() + 2 * i));
  }
  return r;
}

std::optional<PwmOutReport> DecodePwmOut(Payload payload) {
  if (!Fits(payload, kPwmOutSize)) return std::nullopt;
  PwmOutReport r;
  for (std::size_t i = 0; i < r.channels.size(); ++i) {
    r.channels[i] = static_cast<float>(GetU16(payload.data() + 2 * i));
  }
  return r;
}

std::optional<TrackReport> DecodeTrack(Payload payload) {
  if (!Fits(payload, kTrackSize)) return std::nullopt;
  const std::uint8_t* p = payload.data();
  return TrackReport{GetF32(p + 0), GetF32(p + 4), GetF32(p + 8)};
}

std::optional<PidReport> DecodePid(int loop, Payload payload) {
  if (!Fits(payload, kPidSize)) return std::nullopt;
  const std::uint8_t* p = payload.data();
  return PidReport{loop, GetF32(p + 0), GetF32(p + 4), GetF32(p + 8)};
}

std::optional<GpsReport> DecodeGps(Payload payload) {
  if (!Fits(payload, kGpsSize)) return std::nullopt;
  const std::uint8_t* p = payload.data();
  GpsReport r;
  r.longitude = DegreesE4(GetS32(p + 0));
  r.latitude = DegreesE4(GetS32(p + 4));
  r.altitude = Tenths(GetS16(p + 8));
  r.satellites = GetU8(p + 10);
  r.course = Tenths(GetS16(p + 11));
  r.speed = Tenths(GetS16(p + 13));
  return r;
}

std::optional<TargetReport> DecodeTarget(Payload payload) {
  if (!Fits(payload, kTargetSize)) return std::nullopt;
  const std::uint8_t* p = payload.data();
  TargetReport r;
  r.longitude = DegreesE4(GetS32(p + 0));
  r.latitude = DegreesE4(GetS32(p + 4));
  r.altitude = Tenths(GetS16(p + 8));
  r.distance = Tenths(GetS16(p + 10));
  r.x_output = Tenths(GetS16(p + 12));
  r.y_output = Tenths(GetS16(p + 14));
  return r;
}

std::optional<StatusReport> DecodeStatus(Payload payload) {
  if (!Fits(payload, kStatusSize)) return std::nullopt;
  const std::uint8_t* p = payload.data();
  StatusReport r;
  r.mode = GetU8(p + 0);
  r.battery = Tenths(GetS16(p + 1));
  r.servo_voltage = Tenths(GetS16(p + 3));
  r.error_code = GetU8(p + 5);
  r.i2c_errors = GetS16(p + 6);
  r.uptime = GetU16(p + 8);
  return r;
}

std::optional<MagRangeReport> DecodeMagRange(Payload payload) {
  if (!Fits(payload, kMagRangeSize)) return std::nullopt;
  const std::uint8_t* p = payload.data();
  MagRangeReport r;
  r.max_hx = static_cast<float>(GetSm16(p + 0));
  r.max_hy = static_cast<float>(GetSm16(p + 2));
  r.max_hz = static_cast<float>(GetSm16(p + 4));
  r.min_hx = static_cast<float>(GetSm16(p + 6));
  r.min_hy = static_cast<float>(GetSm16(p + 8));
  r.min_hz = static_cast<float>(GetSm16(p + 10));
  return r;
}

std::optional<FlowReport> DecodeFlow(Payload payload) {
  if (!Fits(payload, kFlowSize)) return std::nullopt;
  return FlowReport{GetSm16(payload.data()), GetSm16(payload.data() + 2)};
}

namespace {
template <typename T>
Report OrShort(const std::optional<T>& decoded) {
  if (decoded) return *decoded;
  return ShortFrame{};
}
}  // namespace

Report DecodeFrame(FrameView frame) {
  const Payload payload = frame.payload();
  const std::uint8_t type = frame.type();
  switch (type) {
    case kTypeFlow: return OrShort(DecodeFlow(payload));
    case kTypePwmIn: return OrShort(DecodePwmIn(payload));
    case kTypePwmOut: return OrShort(DecodePwmOut(payload));
    case kTypeTrack: return OrShort(DecodeTrack(payload));
    case kTypeImu: return OrShort(DecodeImu(payload));
    case kTypeMotion: return OrShort(DecodeMotion(payload));
    case kTypeGps: return OrShort(DecodeGps(payload));
    case kTypeMagRange: return OrShort(DecodeMagRange(payload));
    case kTypeTarget: return OrShort(DecodeTarget(payload));
    case kTypeStatus: return OrShort(DecodeStatus(payload));
    default:
      if (IsPidAnswer(type)) return OrShort(DecodePid(PidAnswerLoop(type), payload));
      return UnknownFrame{};
  }
}

}  // namespace tarvel::link
