#pragma once
// The real serial port (USB adapters, built-in ports, pseudo-terminals) on QSerialPort.

#include <QSerialPort>

#include "platform/serial_port.h"

namespace tarvel::platform {

class QtSerialPort final : public SerialPort {
  Q_OBJECT

 public:
  // Input waiting beyond this many bytes means the station has fallen hopelessly behind; it is
  // discarded and reported as an overflow instead of growing without bound.
  static constexpr qint64 kMaxBacklog = 1 << 20;

  explicit QtSerialPort(QObject* parent = nullptr);
  ~QtSerialPort() override;

  bool IsOpen() const override { return port_.isOpen(); }
  void Open() override;
  void Close() override;
  bool Write(std::span<const std::uint8_t> bytes) override;
  void DiscardBuffers() override;

 protected:
  bool ApplyLineSettings(const serial::LineSettings& settings) override;

 private:
  void OnReadyRead();
  void OnError(QSerialPort::SerialPortError error);

  QSerialPort port_;
  bool closing_ = false;  // errors raised by our own close() are not news
};

}  // namespace tarvel::platform
