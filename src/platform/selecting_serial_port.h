#pragma once
// The station's serial port: a real port for numbers and device paths, the simulated board for
// SIM. The choice is made at each Open() from the port name, so the windows deal with one port
// whatever the user picks.

#include "platform/serial_port.h"

namespace tarvel::platform {

class SelectingSerialPort final : public SerialPort {
  Q_OBJECT

 public:
  // Both backends must outlive this port.
  SelectingSerialPort(SerialPort& real, SerialPort& simulated, QObject* parent = nullptr);

  bool IsOpen() const override { return active_->IsOpen(); }
  void Open() override;
  void Close() override { active_->Close(); }
  bool Write(std::span<const std::uint8_t> bytes) override { return active_->Write(bytes); }
  void DiscardBuffers() override { active_->DiscardBuffers(); }

 protected:
  bool ApplyLineSettings(const serial::LineSettings& settings) override {
    return active_->SetLineSettings(settings.Text());
  }

 private:
  void Forward(SerialPort& backend);

  SerialPort& real_;
  SerialPort& simulated_;
  SerialPort* active_;
};

}  // namespace tarvel::platform
