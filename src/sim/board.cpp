#include "sim/board.h"

#include <algorithm>
#include <cmath>

#include "link/codec.h"
#include "link/frame.h"
#include "link/frame_types.h"
#include "sim/report_encoder.h"

namespace tarvel::sim {
namespace {

constexpr std::uint32_t kFaultStream = 5;
// The board solves its attitude this many times a second, whatever it reports.
constexpr int kSolutionRate = 200;
// How far ahead of the measured value each loop's set point runs, seconds: the station's
// tracking plot shows the measured curve following the set point.
constexpr double kAngleLead = 0.3;
constexpr double kAltitudeLead = 2.0;

// Sent to the station in place of a SUM. Flipping every bit is always wrong; only A5 turns
// into 5A, which would look like a new header rather than a bad sum, so it flips less.
std::uint8_t CorruptSum(std::uint8_t sum) {
  return static_cast<std::uint8_t>(sum ^ (sum == link::kHeader1 ? 0x0F : 0xFF));
}

// Angles the way the frame carries them: tenths, and a yaw just short of 360 that rounds up
// reads 0.0.
float AngleTenths(double degrees, bool heading) {
  double tenths = std::round(degrees * 10);
  if (heading && tenths >= 3600) tenths -= 3600;
  return static_cast<float>(tenths / 10);
}

}  // namespace

Board::Board(BoardOptions options)
    : options_(options),
      schedule_(options.rates),
      path_(options.seed),
      sensors_(options.seed),
      barometer_(options.seed),
      controller_(options.seed),
      faults_(options.seed, kFaultStream) {
  UpdateState();
}

void Board::Advance(std::chrono::microseconds dt, std::vector<std::uint8_t>& out) {
  if (dt.count() <= 0) return;
  const std::int64_t end = now_us_ + dt.count();
  while (const auto due = schedule_.Next(end)) {
    now_us_ = due->time_us;
    Emit(due->kind, Now(), out);
  }
  now_us_ = end;
  UpdateState();
}

void Board::Receive(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& out) {
  answers_ = &out;
  receiver_.Feed(bytes);
  answers_ = nullptr;
  UpdateState();
}

double Board::LoopValue(int loop, double t) const {
  switch (loop) {
    case link::kLoopRoll: return path_.At(t).roll;
    case link::kLoopPitch: return path_.At(t).pitch;
    case link::kLoopYaw: return path_.At(t).yaw;
    default: return barometer_.ReportedAltitude(t);
  }
}

void Board::Emit(FrameKind kind, double t, std::vector<std::uint8_t>& out) {
  switch (kind) {
    case FrameKind::kImu: {
      const Attitude a = path_.At(t);
      const Barometer::Reading baro = barometer_.Read(t);
      link::ImuReport r;
      r.yaw = AngleTenths(a.yaw, true);
      r.pitch = AngleTenths(a.pitch, false);
      r.roll = AngleTenths(a.roll, false);
      r.altitude = static_cast<float>(baro.altitude);
      r.temperature = static_cast<float>(baro.temperature);
      r.pressure_field = static_cast<int>(std::lround(baro.pressure / 10));
      r.solution_rate = kSolutionRate;
      Send(r, false, out);
      break;
    }
    case FrameKind::kMotion: {
      const link::MotionReport r = sensors_.Read(path_.At(t));
      mag_extremes_.Add({static_cast<double>(r.mag_x), static_cast<double>(r.mag_y),
                         static_cast<double>(r.mag_z)});
      Send(r, false, out);
      break;
    }
    case FrameKind::kPwmIn: Send(controller_.PwmIn(t), false, out); break;
    case FrameKind::kPwmOut: Send(controller_.PwmOut(t), false, out); break;
    case FrameKind::kGps: Send(controller_.Gps(t, barometer_.TrueAltitude(t)), false, out); break;
    case FrameKind::kTarget: Send(controller_.Target(t, path_.At(t).yaw), false, out); break;
    case FrameKind::kStatus: Send(controller_.Status(t), false, out); break;
    case FrameKind::kTrack: {
      const int loop = controller_.selected_loop();
      const double lead = loop == link::kLoopAltitude ? kAltitudeLead : kAngleLead;
      Send(controller_.Track(t, LoopValue(loop, t + lead), LoopValue(loop, t)), false, out);
      break;
    }
    case FrameKind::kMagRange:
      // Without sensor frames the extremes still follow the field.
      if (options_.rates.motion_hz <= 0) mag_extremes_.Add(SensorModel::Field(path_.At(t)));
      Send(mag_extremes_.range(), false, out);
      break;
    case FrameKind::kFlow: Send(controller_.Flow(t, path_.At(t).yaw), false, out); break;
  }
}

void Board::Send(const link::Report& report, bool exact, std::vector<std::uint8_t>& out) {
  std::vector<std::uint8_t> frame =
      exact ? link::BuildFrame(FrameType(report), EncodePayload(report)) : EncodeCleanFrame(report);
  if (frame.empty()) return;
  // Both faults draw every time, so the fault sequence does not depend on the probabilities.
  const bool noise = faults_.Chance(options_.faults.noise);
  const bool corrupt = faults_.Chance(options_.faults.corrupt_checksum);
  const int max_noise = std::min(options_.faults.max_noise_bytes, Faults::kMaxNoiseBytes);
  if (noise && max_noise > 0) {
    const int n = 1 + faults_.Below(max_noise);
    for (int i = 0; i < n; ++i) {
      // Any byte but A5: 0..254 with A5 moved to FF.
      auto b = static_cast<std::uint8_t>(faults_.Below(255));
      if (b == link::kHeader1) b = 0xFF;
      out.push_back(b);
    }
  }
  if (corrupt) frame[frame.size() - 2] = CorruptSum(frame[frame.size() - 2]);
  out.insert(out.end(), frame.begin(), frame.end());
}

void Board::OnCommand(link::FrameView frame) {
  const std::uint8_t type = frame.type();
  const double now = Now();
  switch (type) {
    case link::kCmdGyroZero: sensors_.ZeroGyro(); return;
    case link::kCmdMagSave: mag_extremes_.Save(); return;
    case link::kCmdAltitudeZero: barometer_.ZeroAltitude(now); return;
    case link::kCmdMagBegin: mag_extremes_.Begin(); return;
    case link::kCmdServoMid:
      controller_.HoldServosMid(now + FlightController::kServoHoldSeconds);
      return;
    default: break;
  }
  if (type > link::kCmdReadPidBase && type <= link::kCmdReadPidBase + link::kLoopCount) {
    const int loop = type - link::kCmdReadPidBase;
    const Gains g = controller_.gains(loop);
    if (answers_ != nullptr) Send(link::PidReport{loop, g.p, g.i, g.d}, true, *answers_);
  } else if (type > link::kCmdSelectPidBase && type <= link::kCmdSelectPidBase + 4) {
    controller_.SelectLoop(type - link::kCmdSelectPidBase);
  } else if (type > link::kCmdWritePidBase && type <= link::kCmdWritePidBase + link::kLoopCount) {
    const auto payload = frame.payload();
    if (payload.size() < 12) return;
    controller_.SetGains(type - link::kCmdWritePidBase,
                         {link::GetF32(payload.data()), link::GetF32(payload.data() + 4),
                          link::GetF32(payload.data() + 8)});
  }
}

void Board::UpdateState() {
  const double t = Now();
  const Attitude a = path_.At(t);
  state_.time = t;
  state_.yaw = a.yaw;
  state_.pitch = a.pitch;
  state_.roll = a.roll;
  state_.body_rates = SensorModel::BodyRates(a);
  state_.gyro_bias = sensors_.gyro_bias();
  state_.altitude = barometer_.ReportedAltitude(t);
  state_.temperature = barometer_.Temperature(t);
  state_.pressure = Barometer::PressureAt(barometer_.TrueAltitude(t));
  state_.tracked_loop = controller_.selected_loop();
  state_.servos_held = controller_.servos_held(t);
  state_.mag_collecting = mag_extremes_.collecting();
}

}  // namespace tarvel::sim
