#pragma once
// A console on the test-double port, with its channel record, TXD lamp and message log
// standing in for the main window's, and a plot clock the test moves by hand.

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
    window_ = std::make_unique<FlyPID>(
        channels_, port_, [this] { ++led_flashes_; }, [this](const QString& s) { log_ << s; },
        [this] { return now_; });
  }

  // Open port, loaded window, nothing recorded yet.
  void OpenAndLoad() {
    port_.Open();
    window_->EnsureLoaded();
    port_.written.clear();
    led_flashes_ = 0;
  }

  FlyPID& w() { return *window_; }

  ConsoleChannels channels_;
  test_support::FakeSerialPort port_;
  int led_flashes_ = 0;
  QStringList log_;
  double now_ = 100.0;
  std::unique_ptr<FlyPID> window_;
};

}  // namespace tarvel::console
