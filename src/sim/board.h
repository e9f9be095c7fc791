#pragma once
// A simulated board: the attitude board with its flight controller, producing the frames the
// real one sends and answering the station's commands. It runs on simulated time, so the
// station can drive it from a timer in-process and tarvel-sim can serve it on a
// pseudo-terminal; the same seed and options give the same bytes.
//
// Frames (see board_options.h for the rates): 0xA1 attitude and barometer, 0xA2 raw sensors
// (scales in sensor_model.h), 0x12/0x13 PWM in and out, 0xA3 GPS, 0xA5 navigation target,
// 0xA6 status, 0x15 tracking sample of the selected loop, 0xA4 magnetometer extremes, 0x0F
// optical flow. Where needed, measured values are nudged by up to three units of their last
// place so that no frame contains a false header (report_encoder.h); a frame that cannot be
// cleaned that way (about one in 250000) is not sent.
//
// Commands: E0 zeroes the gyroscope bias; E2 makes the current altitude read 0; E3 starts a
// magnetometer calibration (forgets the extremes), E1 saves it (the extremes stop changing);
// F5 holds all outputs at 1500 us for three seconds; D1..D5 ask for the gains of loop 1..5,
// answered at once with frame D1..D5; D6..D9 select loop 1..4 for the tracking samples;
// DA..DE write the gains of loop 1..5 (P, I, D as little-endian f32; a frame shorter than
// that or with a gain that is not finite is ignored). Gain answers carry the stored values
// exactly, even when that makes a false header. Other frames are ignored.

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

#include "link/frame_receiver.h"
#include "link/reports.h"
#include "sim/attitude_path.h"
#include "sim/barometer.h"
#include "sim/board_options.h"
#include "sim/board_state.h"
#include "sim/flight_controller.h"
#include "sim/frame_schedule.h"
#include "sim/mag_extremes.h"
#include "sim/random.h"
#include "sim/sensor_model.h"

namespace tarvel::sim {

class Board {
 public:
  explicit Board(BoardOptions options = {});
  Board(const Board&) = delete;
  Board& operator=(const Board&) = delete;

  // Advances simulated time by `dt` (nothing for zero or less) and appends every frame that
  // falls due to `out`, in time order. The bytes do not depend on how time is cut into steps.
  void Advance(std::chrono::microseconds dt, std::vector<std::uint8_t>& out);

  // Bytes the station sent, in any pieces: command frames act on the model at the current
  // time and may append answer frames to `out`.
  void Receive(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& out);

  const BoardState& state() const { return state_; }
  const BoardOptions& options() const { return options_; }
  // Gains stored for loop 1..5 (zero for other numbers).
  Gains gains(int loop) const { return controller_.gains(loop); }

 private:
  // Receives the station's frames for the board.
  class CommandSink final : public link::FrameEvents {
   public:
    explicit CommandSink(Board& board) : board_(&board) {}
    void OnGoodFrame(link::FrameView frame) override { board_->OnCommand(frame); }
    void OnChecksumError() override {}
    void OnHeaderMissing() override {}

   private:
    Board* board_;
  };

  void OnCommand(link::FrameView frame);
  void Emit(FrameKind kind, double t, std::vector<std::uint8_t>& out);
  // Appends the frame with the link faults; `exact` frames are sent as built, others cleaned.
  void Send(const link::Report& report, bool exact, std::vector<std::uint8_t>& out);
  double LoopValue(int loop, double t) const;
  double Now() const { return static_cast<double>(now_us_) * 1e-6; }
  void UpdateState();

  BoardOptions options_;
  FrameSchedule schedule_;
  AttitudePath path_;
  SensorModel sensors_;
  Barometer barometer_;
  FlightController controller_;
  MagExtremes mag_extremes_;
  Random faults_;
  CommandSink sink_{*this};
  link::FrameReceiver receiver_{sink_};
  std::vector<std::uint8_t>* answers_ = nullptr;  // `out` of the Receive call in progress
  std::int64_t now_us_ = 0;
  BoardState state_;
};

}  // namespace tarvel::sim
