#pragma once
// The one serial-port interface the windows use. Implementations: the real port (QSerialPort,
// also for pseudo-terminals), the built-in simulated board and a test double.
//
// Contract shared by every implementation:
//  - Open() tries to open the chosen port with the chosen line settings; on failure the port
//    simply stays closed (the caller finds out through IsOpen()).
//  - Received bytes are delivered through bytesReceived, in arrival order, on the thread that
//    owns the port, never while a previous delivery is still being handled.
//  - overflow: the driver reported an error or the input backlog grew beyond what the station
//    can catch up with; both directions' waiting bytes have been discarded, the port stays open.
//  - deviceLost: the device disappeared while open (USB adapter pulled, simulator killed); the
//    port is already closed when the signal arrives.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <span>

#include "serial/line_settings.h"
#include "serial/port_name.h"

namespace tarvel::platform {

class SerialPort : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  virtual bool IsOpen() const = 0;
  // Opens the port; does nothing when it is open already.
  virtual void Open() = 0;
  // Closes the port; does nothing when it is closed.
  virtual void Close() = 0;
  // Writes one whole frame; false when the port is closed or the write failed.
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  // Throws away every byte waiting in either direction.
  virtual void DiscardBuffers() = 0;

  // The port used by the next Open(). Changing it while open takes effect at the next open.
  const serial::PortName& port() const { return port_; }
  void SetPort(serial::PortName port) { port_ = std::move(port); }

  // The line settings used by the next Open() ("115200,n,8,1").
  const serial::LineSettings& line_settings() const { return settings_; }
  // Accepts a settings text; a text the port cannot use is refused (false) and the previous
  // settings stay. An open port applies the new settings at once.
  bool SetLineSettings(std::string_view text);
  // The settings as the port reports them back.
  QString SettingsText() const { return QString::fromStdString(settings_.Text()); }

 signals:
  void bytesReceived(const QByteArray& bytes);
  void overflow();
  void deviceLost(const QString& reason);

 protected:
  // Called with new settings while the port is open; false refuses them.
  virtual bool ApplyLineSettings(const serial::LineSettings& settings) = 0;

 private:
  serial::PortName port_;
  serial::LineSettings settings_;
};

}  // namespace tarvel::platform
