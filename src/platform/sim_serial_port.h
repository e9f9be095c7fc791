#pragma once
// The built-in simulated board as a serial port (port name SIM): the board model runs inside
// the station on a timer, so the station shows live data with no hardware on any platform.
// Commands written to it reach the model, and its answers arrive like received bytes.

#include <QElapsedTimer>
#include <QTimer>
#include <memory>

#include "platform/serial_port.h"

namespace tarvel::sim {
class Board;
}

namespace tarvel::platform {

class SimSerialPort final : public SerialPort {
  Q_OBJECT

 public:
  // How often the model runs and delivers what it produced.
  static constexpr int kTickMs = 10;

  explicit SimSerialPort(QObject* parent = nullptr);
  ~SimSerialPort() override;

  bool IsOpen() const override { return open_; }
  void Open() override;
  void Close() override;
  bool Write(std::span<const std::uint8_t> bytes) override;
  void DiscardBuffers() override { pending_.clear(); }

  // Runs the model for `elapsed_ms` of simulated time and delivers its bytes (the timer calls
  // it with the real time elapsed; tests call it directly).
  void Advance(int elapsed_ms);

 protected:
  bool ApplyLineSettings(const serial::LineSettings&) override { return true; }

 private:
  void OnTick();

  std::unique_ptr<sim::Board> board_;
  QTimer timer_;
  QElapsedTimer clock_;
  std::vector<std::uint8_t> pending_;  // bytes produced and not delivered yet
  bool open_ = false;
};

}  // namespace tarvel::platform
