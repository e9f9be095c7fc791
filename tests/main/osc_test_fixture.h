#pragma once
// A main window on the test-double port with its own settings file, started up as the program
// starts it (the deferred start-up tick is driven by the test).

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <vector>

#include "link/frame.h"
#include "main/osc.h"
#include "support/fake_serial_port.h"
#include "support/scratch_dir.h"

namespace tarvel::main_window {

class OscTest : public ::testing::Test {
 protected:
  void SetUp() override {
    station_ = std::make_unique<station::Station>(port_);
    osc_ = std::make_unique<OSC>(*station_, dir_ / "OSC.ini");
  }
  void TearDown() override {
    osc_.reset();
    station_.reset();
  }

  void StartUp() { osc_->Timer_Getdata_Tick(); }

  station::Station& station() { return *station_; }
  QStringList LogLines() const { return osc_->Text_msg->toPlainText().split('\n'); }

  void Deliver(const std::vector<std::uint8_t>& bytes) { port_.Deliver(bytes); }
  void DeliverFrame(std::uint8_t type, const std::vector<std::uint8_t>& payload) {
    Deliver(link::BuildFrame(type, payload));
  }

  test_support::ScratchDir scratch_{"tarvel_osc_"};
  const std::filesystem::path& dir_ = scratch_.path();
  test_support::FakeSerialPort port_;
  std::unique_ptr<station::Station> station_;
  std::unique_ptr<OSC> osc_;
};

}  // namespace tarvel::main_window
