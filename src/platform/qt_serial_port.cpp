#include "platform/qt_serial_port.h"

namespace tarvel::platform {
namespace {

QSerialPort::Parity ToQt(serial::LineSettings::Parity p) {
  switch (p) {
    case serial::LineSettings::Parity::kNone: return QSerialPort::NoParity;
    case serial::LineSettings::Parity::kEven: return QSerialPort::EvenParity;
    case serial::LineSettings::Parity::kOdd: return QSerialPort::OddParity;
    case serial::LineSettings::Parity::kMark: return QSerialPort::MarkParity;
    case serial::LineSettings::Parity::kSpace: return QSerialPort::SpaceParity;
  }
  return QSerialPort::NoParity;
}

QSerialPort::StopBits ToQt(serial::LineSettings::StopBits s) {
  switch (s) {
    case serial::LineSettings::StopBits::kOne: return QSerialPort::OneStop;
    case serial::LineSettings::StopBits::kOneAndHalf: return QSerialPort::OneAndHalfStop;
    case serial::LineSettings::StopBits::kTwo: return QSerialPort::TwoStop;
  }
  return QSerialPort::OneStop;
}

bool Configure(QSerialPort& port, const serial::LineSettings& s) {
  return port.setBaudRate(s.baud) && port.setParity(ToQt(s.parity)) &&
         port.setDataBits(static_cast<QSerialPort::DataBits>(s.data_bits)) &&
         port.setStopBits(ToQt(s.stop_bits)) && port.setFlowControl(QSerialPort::NoFlowControl);
}

}  // namespace

QtSerialPort::QtSerialPort(QObject* parent) : SerialPort(parent) {
  connect(&port_, &QSerialPort::readyRead, this, &QtSerialPort::OnReadyRead);
  connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::OnError);
}

QtSerialPort::~QtSerialPort() {
  // Closing here, not in QSerialPort's destructor, keeps error signals from reaching a
  // half-destroyed object.
  port_.disconnect(this);
  port_.close();
}

void QtSerialPort::Open() {
  if (port_.isOpen()) return;
  port_.setPortName(QString::fromStdString(port().SystemName()));
  if (!port_.open(QIODevice::ReadWrite)) {
    port_.clearError();
    return;
  }
  if (!Configure(port_, line_settings())) {
    port_.close();
    port_.clearError();
    return;
  }
  port_.clear(QSerialPort::AllDirections);
}

void QtSerialPort::Close() {
  closing_ = true;
  if (port_.isOpen()) port_.close();
  closing_ = false;
  port_.clearError();
}

bool QtSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (!port_.isOpen()) return false;
  const auto size = static_cast<qint64>(bytes.size());
  return port_.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
}

void QtSerialPort::DiscardBuffers() {
  if (port_.isOpen()) port_.clear(QSerialPort::AllDirections);
}

bool QtSerialPort::ApplyLineSettings(const serial::LineSettings& settings) {
  return Configure(port_, settings);
}

void QtSerialPort::OnReadyRead() {
  if (port_.bytesAvailable() > kMaxBacklog) {
    port_.clear(QSerialPort::AllDirections);
    port_.readAll();  // what QSerialPort had already buffered
    emit overflow();
    return;
  }
  const QByteArray bytes = port_.readAll();
  if (!bytes.isEmpty()) emit bytesReceived(bytes);
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
  // Failures to open are reported through IsOpen(); closing a vanished device reports errors of
  // its own, which say nothing new.
  if (!port_.isOpen() || closing_) return;
  switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
    case QSerialPort::WriteError:  // Write() reports it to its caller
      break;
    case QSerialPort::ResourceError:
    case QSerialPort::PermissionError:
    case QSerialPort::DeviceNotFoundError: {
      const QString reason = port_.errorString();
      closing_ = true;
      port_.close();
      closing_ = false;
      port_.clearError();
      emit deviceLost(reason);
      return;
    }
    default:  // a read or driver error: the bytes in flight are unreliable
      port_.clear(QSerialPort::AllDirections);
      // A vanished device fails the clear too; that was reported as the loss it is.
      if (!port_.isOpen()) return;
      emit overflow();
      break;
  }
  port_.clearError();
}

}  // namespace tarvel::platform
