#include "app/forms.h"

#include "console/fly_pid.h"
#include "main/osc.h"
#include "widgets/show_window.h"
#include "platform/serial_port.h"
#include "windows/about_windows.h"
#include "windows/link_status.h"

namespace tarvel::app {

using widgets::ShowWindow;

Forms::Forms(platform::SerialPort& port, std::filesystem::path ini_path,
             station::LinkSession::Clock clock)
    : station_(port, std::move(clock)),
      ini_path_(std::move(ini_path)),
      about_([] { return std::make_unique<windows::about>(); }),
      flyabout_([] { return std::make_unique<windows::flyabout>(); }),
      flypid_([this] { return std::make_unique<console::FlyPID>(station_); }),
      link_status_([this] {
        return std::make_unique<windows::LinkStatus>(
            station_.health, [this] { return station_.session.Now(); },
            [this] { return station_.port.line_settings(); });
      }) {
  ConnectConsoleReports();
}

// The windows go first (the slots, then the main window), the station they share last.
Forms::~Forms() = default;

main_window::OSC& Forms::osc() {
  if (!osc_) {
    osc_ = std::make_unique<main_window::OSC>(station_, ini_path_);
    osc_->show_about = [this] { ShowWindow(about()); };
    osc_->show_flyabout = [this] { ShowWindow(flyabout()); };
    osc_->show_console = [this] { ShowWindow(flypid()); };
    osc_->show_link_status = [this] { ShowWindow(link_status()); };
  }
  return *osc_;
}

windows::about& Forms::about() {
  return about_.get();
}
windows::flyabout& Forms::flyabout() {
  return flyabout_.get();
}
console::FlyPID& Forms::flypid() {
  return flypid_.get();
}
windows::LinkStatus& Forms::link_status() {
  return link_status_.get();
}
console::FlyPID* Forms::find_flypid() const {
  return flypid_.find();
}

void Forms::ConnectConsoleReports() {
  using station::LinkSession;
  LinkSession* s = &station_.session;
  QObject::connect(s, &LinkSession::trackFrame, s,
                   [this](const link::TrackReport& r) { flypid().Decode_Track(r); });
  QObject::connect(s, &LinkSession::pidFrame, s,
                   [this](const link::PidReport& r) { flypid().Decode_PID(r); });
  QObject::connect(s, &LinkSession::gpsFrame, s, [this](const link::GpsReport& r) {
    flypid().Decode_GPS(r);
    flypid().ToggleGpsLed();
  });
  QObject::connect(s, &LinkSession::targetFrame, s, [this](const link::TargetReport& r) {
    flypid().Decode_Target(r);
    flypid().ToggleTargetLed();
  });
  QObject::connect(s, &LinkSession::statusFrame, s, [this](const link::StatusReport& r) {
    flypid().Decode_Status(r);
    flypid().ToggleStatusLed();
  });
}

}  // namespace tarvel::app
