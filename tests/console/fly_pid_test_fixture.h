#pragma once
// A console on the test-double port with its own station; the sender's TXD lamp signal and log
// lines are counted, and a plot clock the test moves by hand.

#include <gtest/gtest.h>

#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "console/fly_pid.h"
#include "support/fake_serial_port.h"

namespace tarvel::console {

using Bytes = std::vector<std::uint8_t>;

class FlyPidTest : public ::testing::Test {
 protected:
  void SetUp() override {
    station_ = std::make_unique<station::Station>(port_);
    QObject::connect(&station_->sender, &station::CommandSender::sent, [this] { ++led_flashes_; });
    QObject::connect(&station_->sender, &station::CommandSender::message,
                     [this](const QString& s) { log_ << s; });
    MakeWindow();
  }
  void TearDown() override {
    window_.reset();
    station_.reset();
  }

  // A new console on the same station (as after the close box).
  void MakeWindow() {
    window_ = std::make_unique<FlyPID>(*station_, [this] { return now_; });
  }

  station::ConsoleChannels& channels() { return station_->console_channels; }
  // The PWM frames as the station's sinks store them.
  void StorePwmIn(const link::PwmInReport& r) { channels().inch = r.channels; }
  void StorePwmOut(const link::PwmOutReport& r) { channels().outch = r.channels; }

  // Open port, loaded window, nothing recorded yet.
  void OpenAndLoad() {
    port_.Open();
    window_->EnsureLoaded();
    port_.written.clear();
    led_flashes_ = 0;
  }

  FlyPID& w() { return *window_; }

  test_support::FakeSerialPort port_;
  std::unique_ptr<station::Station> station_;
  int led_flashes_ = 0;
  QStringList log_;
  double now_ = 100.0;
  std::unique_ptr<FlyPID> window_;
};

}  // namespace tarvel::console
