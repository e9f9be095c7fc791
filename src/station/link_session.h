#pragma once
// LinkSession: the one receive path of the station. It owns the frame receiver, takes every
// byte the serial port delivers, decodes each good frame once and hands the report to whoever
// connected to the signal of its kind (the sinks: the station's records, the main window's
// read-outs, the console). Receiver trouble, overflows and device loss go out the same way, so
// the message log is just another listener. Every event is also counted in LinkHealth.
//
// Contract:
//  - Bytes are handled in arrival order, each delivery completely before the next. A delivery
//    that arrives while one is being handled (a sink ran a nested event loop) is queued and
//    handled right after it, never interleaved.
//  - For each good frame: frameReceived(type) first, then exactly one report signal when the
//    TYPE has a decoder and the payload is long enough. A short frame or an unknown TYPE
//    reaches nobody but the counters.
//  - ClosePort() is the only way the station closes the port (the connect switch, the close
//    operation, device loss): the port is closed if open, port_open_requested cleared, a
//    frame in progress dropped, and portClosed() emitted (the status report is due).
//  - Sinks are connected with a context object, so a window that goes away stops receiving.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

#include "link/frame_receiver.h"
#include "link/reports.h"
#include "station/link_health.h"

namespace tarvel::platform {
class SerialPort;
}

namespace tarvel::station {

class LinkSession : public QObject, private link::FrameEvents {
  Q_OBJECT

 public:
  // Nanoseconds on a monotonic scale; tests and benchmarks pass their own.
  using Clock = std::function<Nanos()>;

  // `port` and `health` must outlive the session. An empty clock means the steady clock.
  LinkSession(platform::SerialPort& port, LinkHealth& health, Clock clock = {},
              QObject* parent = nullptr);

  platform::SerialPort& port() const { return port_; }
  Nanos Now() const { return clock_(); }

  // The receive event: every byte of `bytes`, in order (the port's bytesReceived).
  void Receive(const QByteArray& bytes);

  // Drops a frame in progress and a half-seen header.
  void ResetReceiver() { receiver_.ResetReceiver(); }
  // Starts the missing-header count from zero (start-up).
  void ResetHeaderWatchdog() { receiver_.ResetHeaderWatchdog(); }
  const link::FrameReceiver& receiver() const { return receiver_; }

  void ClosePort();

  // Set when the user asked for the port to be opened, cleared by ClosePort(): tells the
  // status report whether a closed port is a failure or the normal state.
  bool port_open_requested = false;

 signals:
  void bytesArriving();                   // a delivery is about to be handled
  void frameReceived(std::uint8_t type);  // every good frame, before its report
  void imuFrame(const link::ImuReport& report);
  void motionFrame(const link::MotionReport& report);
  void pwmInFrame(const link::PwmInReport& report);
  void pwmOutFrame(const link::PwmOutReport& report);
  void trackFrame(const link::TrackReport& report);
  void pidFrame(const link::PidReport& report);
  void gpsFrame(const link::GpsReport& report);
  void targetFrame(const link::TargetReport& report);
  void statusFrame(const link::StatusReport& report);
  void magRangeFrame(const link::MagRangeReport& report);
  void flowFrame(const link::FlowReport& report);
  void checksumError();
  void headerMissing();
  void overflowed();                       // both directions' buffers were discarded
  void deviceLost(const QString& reason);  // the port is closed already; portClosed follows
  void portClosed();

 private:
  void OnGoodFrame(link::FrameView frame) override;
  void OnChecksumError() override;
  void OnHeaderMissing() override;
  void Feed(const QByteArray& bytes);
  void OnOverflow();
  void OnDeviceLost(const QString& reason);
  // When the byte that caused the receiver's current event reached the line.
  Nanos EventTime() const;

  platform::SerialPort& port_;
  LinkHealth& health_;
  Clock clock_;
  link::FrameReceiver receiver_{*this};
  bool in_receive_ = false;   // a delivery is being handled
  QByteArray pending_bytes_;  // deliveries that came while one was
  Nanos delivery_time_ = 0;   // when the delivery being handled arrived
  double byte_ns_ = 0;        // time one character takes on the line
};

}  // namespace tarvel::station
