#pragma once
// Forms owns the station and every window of the program, and is the one place that wires
// windows to each other. The main window lives for the whole run; every other window follows
// the FormSlot life (created on first use, hidden by its buttons, unloaded by its close box).
// Reports of the link session that belong to a window that may not exist yet (the console's
// frames) are connected here, so such a frame creates and loads its window as it arrives.

#include <filesystem>
#include <memory>

#include "app/form_slot.h"
#include "station/station.h"

namespace tarvel::main_window {
class OSC;
}
namespace tarvel::console {
class FlyPID;
}
namespace tarvel::windows {
class about;
class flyabout;
class LinkStatus;
}  // namespace tarvel::windows

namespace tarvel::app {

class Forms {
 public:
  // `port` must outlive the forms; `clock` is the station's clock (empty: steady clock).
  Forms(platform::SerialPort& port, std::filesystem::path ini_path,
        station::LinkSession::Clock clock = {});
  ~Forms();
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;

  station::Station& station() { return station_; }
  main_window::OSC& osc();
  windows::about& about();
  windows::flyabout& flyabout();
  console::FlyPID& flypid();
  windows::LinkStatus& link_status();
  // The console if it exists now (tests).
  console::FlyPID* find_flypid() const;

 private:
  void ConnectConsoleReports();

  station::Station station_;
  std::filesystem::path ini_path_;
  std::unique_ptr<main_window::OSC> osc_;
  FormSlot<windows::about> about_;
  FormSlot<windows::flyabout> flyabout_;
  FormSlot<console::FlyPID> flypid_;
  FormSlot<windows::LinkStatus> link_status_;
};

}  // namespace tarvel::app
