#include "app/forms.h"

#include "console/fly_pid.h"
#include "main/osc.h"
#include "windows/about_windows.h"

namespace tarvel::app {
namespace {

// Shows a window without blocking, or brings it forward with its current content.
void ShowWindow(QWidget& w) {
  w.show();
  w.raise();
  w.activateWindow();
}

}  // namespace

Forms::Forms(platform::SerialPort& port, std::filesystem::path ini_path)
    : port_(port), ini_path_(std::move(ini_path)) {}

// The main window goes last: the others may hold pointers into it.
Forms::~Forms() {
  flypid_.reset();
  flyabout_.reset();
  about_.reset();
  osc_.reset();
}

main_window::OSC& Forms::osc() {
  if (!osc_) {
    osc_ = std::make_unique<main_window::OSC>(port_, ini_path_);
    osc_->show_about = [this] { ShowWindow(about()); };
    osc_->show_flyabout = [this] { ShowWindow(flyabout()); };
    osc_->show_console = [this] { ShowWindow(flypid()); };
    osc_->console = [this]() -> console::FlyPID& { return flypid(); };
  }
  return *osc_;
}

windows::about& Forms::about() {
  if (!about_) about_ = std::make_unique<windows::about>();
  return *about_;
}

console::FlyPID& Forms::flypid() {
  if (!flypid_) {
    main_window::OSC& main = osc();
    flypid_ = std::make_unique<console::FlyPID>(
        main.console_channels, port_, [&main] { main.Send_LedON(); },
        [&main](const QString& line) { main.Show_msg(line); });
  }
  return *flypid_;
}

windows::flyabout& Forms::flyabout() {
  if (!flyabout_) flyabout_ = std::make_unique<windows::flyabout>();
  return *flyabout_;
}

}  // namespace tarvel::app
