// The command line reaching the main window: after the start-up tick has read OSC.ini, the
// port given on the command line replaces the stored one and --connect turns the switch on.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/command_line.h"
#include "main/osc.h"
#include "support/fake_serial_port.h"
#include "support/scratch_dir.h"
#include "widgets/switch_led.h"

namespace tarvel::app {
namespace {

class ApplyCommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(dir_ / "OSC.ini") << kIni;
    station_ = std::make_unique<station::Station>(port_);
    osc_ = std::make_unique<main_window::OSC>(*station_, dir_ / "OSC.ini");
  }
  void TearDown() override {
    osc_.reset();
    station_.reset();
  }

  // The deferred start-up tick as the timer delivers it: the window's handler, then ours.
  void StartUp() { emit osc_->Timer_Getdata.tick(); }
  QStringList LogLines() const { return osc_->Text_msg->toPlainText().split('\n'); }
  CommandLine Parsed(const QStringList& args) {
    const CommandLineParse r = ParseCommandLine(args);
    EXPECT_TRUE(r.ok()) << r.error.toStdString();
    return r.options;
  }

  static constexpr const char* kIni = "[COM]\nPort=5\nSettings=115200,n,8,1\n";
  test_support::ScratchDir scratch_{"tarvel_cli_"};
  const std::filesystem::path& dir_ = scratch_.path();
  test_support::FakeSerialPort port_;
  std::unique_ptr<station::Station> station_;
  std::unique_ptr<main_window::OSC> osc_;
};

TEST_F(ApplyCommandLineTest, PortReplacesTheStoredOneForThisRunOnly) {
  ApplyCommandLine(*osc_, Parsed({"--port", "/dev/ttyUSB7"}));
  StartUp();
  EXPECT_EQ(port_.port(), serial::PortName::Path("/dev/ttyUSB7"));
  EXPECT_EQ(LogLines().last(), ">  本次运行使用命令行指定的端口: /dev/ttyUSB7");
  EXPECT_EQ(port_.open_calls, 0);  // no --connect: the user turns the switch
  EXPECT_FALSE(osc_->iSwitchLedX1->LeverUp());
  std::ifstream in(dir_ / "OSC.ini");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), kIni);
}

TEST_F(ApplyCommandLineTest, WithoutOptionsTheStoredPortAndLogStay) {
  ApplyCommandLine(*osc_, Parsed({}));
  StartUp();
  EXPECT_EQ(port_.port(), serial::PortName::Number(5));
  EXPECT_EQ(LogLines().size(), 6);  // the greeting only
  EXPECT_EQ(port_.open_calls, 0);
}

TEST_F(ApplyCommandLineTest, ConnectOpensTheChosenPortOnceAsAClickWould) {
  ApplyCommandLine(*osc_, Parsed({"--connect", "--port", "SIM"}));
  StartUp();
  EXPECT_TRUE(port_.port().is_sim());
  EXPECT_EQ(port_.open_calls, 1);
  EXPECT_TRUE(port_.IsOpen());
  EXPECT_TRUE(osc_->iSwitchLedX1->LeverUp());
  EXPECT_TRUE(station_->session.port_open_requested);
  osc_->Timer4_Tick();
  EXPECT_EQ(LogLines().last(), ">  端口打开成功 ...");
  // Another tick (the timer is one-shot in the window, but nothing forbids enabling it again)
  // must not operate the switch a second time, which would close the port.
  StartUp();
  EXPECT_TRUE(port_.IsOpen());
  EXPECT_EQ(port_.open_calls, 1);
}

TEST_F(ApplyCommandLineTest, ConnectWithTheStoredPortReportsAFailedOpen) {
  port_.fail_open = true;
  ApplyCommandLine(*osc_, Parsed({"--connect"}));
  StartUp();
  EXPECT_EQ(port_.port(), serial::PortName::Number(5));
  EXPECT_EQ(port_.open_calls, 1);
  osc_->Timer4_Tick();
  EXPECT_TRUE(osc_->Text_msg->toPlainText().contains("端口打开失败"));
  EXPECT_FALSE(osc_->iSwitchLedX1->LedActive());
}

}  // namespace
}  // namespace tarvel::app
