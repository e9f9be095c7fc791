#include "platform/selecting_serial_port.h"

namespace tarvel::platform {

SelectingSerialPort::SelectingSerialPort(SerialPort& real, SerialPort& simulated, QObject* parent)
    : SerialPort(parent), real_(real), simulated_(simulated), active_(&real) {
  Forward(real_);
  Forward(simulated_);
}

void SelectingSerialPort::Forward(SerialPort& backend) {
  // Only the active backend speaks for the port.
  connect(&backend, &SerialPort::bytesReceived, this, [this, &backend](const QByteArray& bytes) {
    if (&backend == active_) emit bytesReceived(bytes);
  });
  connect(&backend, &SerialPort::overflow, this, [this, &backend] {
    if (&backend == active_) emit overflow();
  });
  connect(&backend, &SerialPort::deviceLost, this, [this, &backend](const QString& reason) {
    if (&backend == active_) emit deviceLost(reason);
  });
}

void SelectingSerialPort::Open() {
  if (IsOpen()) return;
  active_ = port().is_sim() ? &simulated_ : &real_;
  active_->SetPort(port());
  active_->SetLineSettings(line_settings().Text());
  active_->Open();
}

}  // namespace tarvel::platform
