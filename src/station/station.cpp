#include "station/station.h"

namespace tarvel::station {

Station::Station(platform::SerialPort& serial_port, LinkSession::Clock clock)
    : port(serial_port), session(serial_port, health, std::move(clock)), sender(session, health) {
  LinkSession* s = &session;
  QObject::connect(s, &LinkSession::imuFrame, s,
                   [this](const link::ImuReport& r) { telemetry.StoreImu(r); });
  QObject::connect(s, &LinkSession::motionFrame, s,
                   [this](const link::MotionReport& r) { telemetry.StoreMotion(r); });
  QObject::connect(s, &LinkSession::pwmInFrame, s,
                   [this](const link::PwmInReport& r) { console_channels.inch = r.channels; });
  QObject::connect(s, &LinkSession::pwmOutFrame, s,
                   [this](const link::PwmOutReport& r) { console_channels.outch = r.channels; });
  QObject::connect(s, &LinkSession::magRangeFrame, s, [this](const link::MagRangeReport& r) {
    mag_extremes = {r.max_hx, r.max_hy, r.max_hz, r.min_hx, r.min_hy, r.min_hz};
  });
  QObject::connect(s, &LinkSession::flowFrame, s, [this](const link::FlowReport& r) {
    flow_sample.x = r.x;
    flow_sample.y = r.y;
    ++flow_sample.count;
  });
}

}  // namespace tarvel::station
