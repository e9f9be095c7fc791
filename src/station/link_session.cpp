#include "station/link_session.h"

#include <chrono>
#include <utility>
#include <variant>

#include "link/decoders.h"
#include "platform/serial_port.h"

namespace tarvel::station {
namespace {

Nanos SteadyNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

LinkSession::LinkSession(platform::SerialPort& port, LinkHealth& health, Clock clock,
                         QObject* parent)
    : QObject(parent), port_(port), health_(health), clock_(std::move(clock)) {
  if (!clock_) clock_ = SteadyNow;
  connect(&port_, &platform::SerialPort::bytesReceived, this, &LinkSession::Receive);
  connect(&port_, &platform::SerialPort::overflow, this, &LinkSession::OnOverflow);
  connect(&port_, &platform::SerialPort::deviceLost, this, &LinkSession::OnDeviceLost);
}

void LinkSession::Receive(const QByteArray& bytes) {
  if (in_receive_) {  // a sink ran the event loop: keep the order, handle these afterwards
    pending_bytes_.append(bytes);
    return;
  }
  in_receive_ = true;
  emit bytesArriving();
  Feed(bytes);
  while (!pending_bytes_.isEmpty())
    Feed(std::exchange(pending_bytes_, QByteArray()));
  in_receive_ = false;
}

void LinkSession::Feed(const QByteArray& bytes) {
  delivery_time_ = clock_();
  byte_ns_ = port_.line_settings().BitsPerCharacter() * 1e9 / port_.line_settings().baud;
  health_.OnBytesReceived(static_cast<std::size_t>(bytes.size()), delivery_time_);
  receiver_.Feed({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size())});
}

Nanos LinkSession::EventTime() const {
  // The delivery came when its last byte had arrived; earlier bytes came one character time
  // apart before it.
  return delivery_time_ - static_cast<Nanos>(byte_ns_ * receiver_.bytes_after_event());
}

void LinkSession::OnGoodFrame(link::FrameView frame) {
  health_.OnFrame(frame, EventTime());
  emit frameReceived(frame.type());
  std::visit(Overloaded{
                 [](const link::UnknownFrame&) {},  // counted, nobody else's business
                 [](const link::ShortFrame&) {},
                 [&](const link::ImuReport& r) { emit imuFrame(r); },
                 [&](const link::MotionReport& r) { emit motionFrame(r); },
                 [&](const link::PwmInReport& r) { emit pwmInFrame(r); },
                 [&](const link::PwmOutReport& r) { emit pwmOutFrame(r); },
                 [&](const link::TrackReport& r) { emit trackFrame(r); },
                 [&](const link::PidReport& r) { emit pidFrame(r); },
                 [&](const link::GpsReport& r) { emit gpsFrame(r); },
                 [&](const link::TargetReport& r) { emit targetFrame(r); },
                 [&](const link::StatusReport& r) { emit statusFrame(r); },
                 [&](const link::MagRangeReport& r) { emit magRangeFrame(r); },
                 [&](const link::FlowReport& r) { emit flowFrame(r); },
             },
             link::DecodeFrame(frame));
}

void LinkSession::OnChecksumError() {
  health_.OnChecksumError();
  emit checksumError();
}

void LinkSession::OnHeaderMissing() {
  health_.OnHeaderMissing();
  emit headerMissing();
}

void LinkSession::OnOverflow() {
  // The receive state is kept: a frame in progress goes on with later bytes and, since bytes
  // were lost, ends with a checksum error or at the next header.
  port_.DiscardBuffers();
  health_.OnOverflow();
  emit overflowed();
}

void LinkSession::OnDeviceLost(const QString& reason) {
  health_.OnDeviceLost();
  emit deviceLost(reason);
  ClosePort();
}

void LinkSession::ClosePort() {
  port_.Close();  // nothing happens if it is closed already (a lost device is)
  port_open_requested = false;
  receiver_.ResetReceiver();
  emit portClosed();
}

}  // namespace tarvel::station
