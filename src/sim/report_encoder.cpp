#include "sim/report_encoder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <variant>

#include "link/codec.h"
#include "link/frame.h"
#include "link/frame_types.h"

namespace tarvel::sim {
namespace {

// `v` rounded to a whole number; NaN and values far beyond any field become a huge magnitude
// that the field's clamp then limits.
long long Round(double v) {
  if (!(std::fabs(v) < 1e15)) return v > 0 ? (1LL << 50) : -(1LL << 50);
  return std::llround(v);
}

long long Tenths(double v) {
  return Round(v * 10);
}

// Appends fields in payload order, clamped to the field's range.
class PayloadWriter {
 public:
  explicit PayloadWriter(int nudge) : nudge_(nudge) {}

  // Exact fields, never nudged: codes, counts, the uptime, the pressure.
  void U8(long long raw) {
    Put(1, [&](std::uint8_t* p) { link::PutU8(p, Clamp<std::uint8_t>(raw)); });
  }
  void U16(long long raw) {
    Put(2, [&](std::uint8_t* p) { link::PutU16(p, Clamp<std::uint16_t>(raw)); });
  }
  void S16(long long raw) {
    Put(2, [&](std::uint8_t* p) { link::PutS16(p, Clamp<std::int16_t>(raw)); });
  }
  void Sm16(long long raw) {
    Put(2, [&](std::uint8_t* p) {
      link::PutSm16(p, static_cast<int>(std::clamp(raw, -32767LL, 32767LL)));
    });
  }
  void S32(long long raw) {
    Put(4, [&](std::uint8_t* p) { link::PutS32(p, Clamp<std::int32_t>(raw)); });
  }
  void F32(float v) {
    Put(4, [&](std::uint8_t* p) { link::PutF32(p, v); });
  }

  // Measured values: the rounded raw count moved by the nudge.
  long long Nudged(long long raw) const { return raw + nudge_; }
  // A heading in tenths of a degree moves round the circle: 359.9 nudged by +3 is 0.2.
  long long NudgedHeading(long long tenths) const {
    if (nudge_ == 0 || tenths < 0 || tenths >= 3600) return tenths;
    return (tenths + nudge_ + 3600) % 3600;
  }
  // A step of 0x101 in the bit pattern changes both low bytes by about 3e-5 of the value; zero,
  // infinities and NaN are left alone.
  float Nudged(float v) const {
    if (nudge_ == 0 || !std::isfinite(v) || v == 0) return v;
    const auto bits = std::bit_cast<std::uint32_t>(v);
    return std::bit_cast<float>(static_cast<std::uint32_t>(bits + nudge_ * 0x101));
  }

  std::vector<std::uint8_t> bytes;

 private:
  template <typename T>
  static T Clamp(long long v) {
    return static_cast<T>(
        std::clamp<long long>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
  }
  template <typename F>
  void Put(std::size_t size, F&& put) {
    bytes.resize(bytes.size() + size);
    put(bytes.data() + bytes.size() - size);
  }

  int nudge_;
};

template <typename... F>
struct Overloaded : F... {
  using F::operator()...;
};

}  // namespace

std::uint8_t FrameType(const link::Report& report) {
  return std::visit(Overloaded{
                        [](const link::ImuReport&) { return link::kTypeImu; },
                        [](const link::MotionReport&) { return link::kTypeMotion; },
                        [](const link::PwmInReport&) { return link::kTypePwmIn; },
                        [](const link::PwmOutReport&) { return link::kTypePwmOut; },
                        [](const link::TrackReport&) { return link::kTypeTrack; },
                        [](const link::PidReport& r) {
                          return static_cast<std::uint8_t>(link::kTypePidBase + r.loop);
                        },
                        [](const link::GpsReport&) { return link::kTypeGps; },
                        [](const link::TargetReport&) { return link::kTypeTarget; },
                        [](const link::StatusReport&) { return link::kTypeStatus; },
                        [](const link::MagRangeReport&) { return link::kTypeMagRange; },
                        [](const link::FlowReport&) { return link::kTypeFlow; },
                        [](const auto&) { return std::uint8_t{0}; },
                    },
                    report);
}

std::vector<std::uint8_t> EncodePayload(const link::Report& report, int nudge) {
  PayloadWriter w(nudge);
  const auto n = [&w](auto v) { return w.Nudged(v); };
  std::visit(
      Overloaded{
          [&](const link::ImuReport& r) {
            w.Sm16(w.NudgedHeading(Tenths(r.yaw)));
            w.Sm16(n(Tenths(r.pitch)));
            w.Sm16(n(Tenths(r.roll)));
            w.Sm16(n(Tenths(r.altitude)));
            w.Sm16(n(Tenths(r.temperature)));
            w.Sm16(r.pressure_field);
            w.Sm16(n(static_cast<long long>(r.solution_rate)));
          },
          [&](const link::MotionReport& r) {
            for (const int v : {r.acc_x, r.acc_y, r.acc_z, r.gyro_x, r.gyro_y, r.gyro_z, r.mag_x,
                                r.mag_y, r.mag_z})
              w.Sm16(n(static_cast<long long>(v)));
          },
          [&](const link::PwmInReport& r) {
            for (const float v : r.channels)
              w.U16(n(Round(v)));
          },
          [&](const link::PwmOutReport& r) {
            for (const float v : r.channels)
              w.U16(n(Round(v)));
          },
          [&](const link::TrackReport& r) {
            w.F32(n(r.target));
            w.F32(n(r.current));
            w.F32(n(r.output));
          },
          [&](const link::PidReport& r) {
            // Gains are the station's own values: they travel exactly.
            w.F32(r.p);
            w.F32(r.i);
            w.F32(r.d);
          },
          [&](const link::GpsReport& r) {
            w.S32(n(Round(r.longitude * 1e4)));
            w.S32(n(Round(r.latitude * 1e4)));
            w.S16(n(Tenths(r.altitude)));
            w.U8(r.satellites);
            w.S16(w.NudgedHeading(Tenths(r.course)));
            w.S16(n(Tenths(r.speed)));
          },
          [&](const link::TargetReport& r) {
            w.S32(n(Round(r.longitude * 1e4)));
            w.S32(n(Round(r.latitude * 1e4)));
            w.S16(n(Tenths(r.altitude)));
            w.S16(n(Tenths(r.distance)));
            w.S16(n(Tenths(r.x_output)));
            w.S16(n(Tenths(r.y_output)));
          },
          [&](const link::StatusReport& r) {
            w.U8(r.mode);
            w.S16(n(Tenths(r.battery)));
            w.S16(n(Tenths(r.servo_voltage)));
            w.U8(r.error_code);
            w.S16(r.i2c_errors);
            w.U16(r.uptime);
          },
          [&](const link::MagRangeReport& r) {
            for (const float v : {r.max_hx, r.max_hy, r.max_hz, r.min_hx, r.min_hy, r.min_hz})
              w.Sm16(n(Round(v)));
          },
          [&](const link::FlowReport& r) {
            w.Sm16(n(static_cast<long long>(r.x)));
            w.Sm16(n(static_cast<long long>(r.y)));
          },
          [](const auto&) {},
      },
      report);
  return std::move(w.bytes);
}

bool HasFalseHeader(std::span<const std::uint8_t> frame) {
  if (frame.size() < 4) return false;
  const auto body = frame.subspan(2, frame.size() - 3);  // LEN through SUM
  const auto a5 = std::find(body.begin(), body.end(), link::kHeader1);
  return a5 != body.end() && std::find(a5 + 1, body.end(), link::kHeader2) != body.end();
}

std::vector<std::uint8_t> EncodeCleanFrame(const link::Report& report) {
  const std::uint8_t type = FrameType(report);
  for (const int nudge : {0, 1, -1, 2, -2, 3, -3}) {
    std::vector<std::uint8_t> frame = link::BuildFrame(type, EncodePayload(report, nudge));
    if (!HasFalseHeader(frame)) return frame;
  }
  return {};
}

}  // namespace tarvel::sim
