#pragma once
// Station: what every window of the program shares, created once by Forms and passed to each
// window by reference. It holds the serial port's link session, the command sender, the link's
// health counts and the records windows write for each other, so no window has to reach into
// another (or even exist) to get at them.
//
// The station's own sinks, connected before any window's, keep the records: attitude and
// sensor frames fill the telemetry state and raise its refresh flags, PWM frames the console's
// channels, the magnetometer extremes and optical-flow samples their records. A window that
// connects to the same report afterwards sees the record already updated.

#include "station/command_sender.h"
#include "station/link_health.h"
#include "station/link_session.h"
#include "station/records.h"

namespace tarvel::platform {
class SerialPort;
}

namespace tarvel::station {

class Station {
 public:
  // `port` must outlive the station. An empty clock means the steady clock.
  explicit Station(platform::SerialPort& port, LinkSession::Clock clock = {});
  Station(const Station&) = delete;
  Station& operator=(const Station&) = delete;

  platform::SerialPort& port;
  LinkHealth health;
  LinkSession session;
  CommandSender sender;

  TelemetryState telemetry;
  ConsoleChannels console_channels;
  Big3DFields big3D;
  Resolutions resolutions;
  MagExtremes mag_extremes;
  FlowSample flow_sample;
};

}  // namespace tarvel::station
