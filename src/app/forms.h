#pragma once
// Forms owns one instance of every window of the station, each created on first use, and
// wires them to the serial port and the settings file they share. The main window reaches the
// windows it opens through callbacks set here, so it never owns them.

#include <filesystem>
#include <memory>

#include "platform/serial_port.h"

namespace tarvel::main_window {
class OSC;
}
namespace tarvel::console {
class FlyPID;
}
namespace tarvel::windows {
class about;
class flyabout;
}  // namespace tarvel::windows

namespace tarvel::app {

class Forms {
 public:
  Forms(platform::SerialPort& port, std::filesystem::path ini_path);
  ~Forms();
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;

  main_window::OSC& osc();
  windows::about& about();
  windows::flyabout& flyabout();
  console::FlyPID& flypid();

 private:
  platform::SerialPort& port_;
  std::filesystem::path ini_path_;
  std::unique_ptr<main_window::OSC> osc_;
  std::unique_ptr<windows::about> about_;
  std::unique_ptr<windows::flyabout> flyabout_;
  std::unique_ptr<console::FlyPID> flypid_;
};

}  // namespace tarvel::app
