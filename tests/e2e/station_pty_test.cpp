// The whole station on a real pseudo-terminal: tarvel-sim serves the board, the main window
// talks to it through the real serial port.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "format/number_text.h"
#include "main/osc.h"
#include "platform/qt_serial_port.h"
#include "sim_process.h"

namespace tarvel::e2e {
namespace {

// Runs the event loop until `done` holds or `ms` pass; whether it held.
template <typename Pred>
bool RunUntil(Pred done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

class StationPtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device_ = sim_.ReadLine();
    ASSERT_FALSE(device_.empty());
    std::ofstream(dir_.path / "OSC.ini")
        << "[COM]\nPort=" << device_ << "\nSettings=115200,n,8,1\n";
    station_ = std::make_unique<station::Station>(port_);
    osc_ = std::make_unique<main_window::OSC>(*station_, dir_.path / "OSC.ini");
    osc_->Timer_Getdata_Tick();
    osc_->iSwitchLedX1_Switched();
    osc_->Timer4_Tick();
  }
  QString LastLine() const { return osc_->Text_msg->toPlainText().split('\n').last(); }

  TempDir dir_;
  SimProcess sim_{{}};
  std::string device_;
  platform::QtSerialPort port_;
  std::unique_ptr<station::Station> station_;
  std::unique_ptr<main_window::OSC> osc_;
};

TEST_F(StationPtyTest, SwitchBringsTheSimulatorsAttitudeOntoTheReadOuts) {
  ASSERT_TRUE(port_.IsOpen()) << osc_->Text_msg->toPlainText().toStdString();
  EXPECT_EQ(LastLine(), ">  端口打开成功 ...");
  ASSERT_TRUE(RunUntil([&] { return station_->telemetry.imu_frame_count >= 10; }));
  osc_->display_time_Tick();
  const auto& t = station_->telemetry;
  EXPECT_LE(std::abs(t.pitch), 60.0f);
  EXPECT_LE(std::abs(t.roll), 90.0f);
  EXPECT_NE(t.altitude, 0.0f);
  EXPECT_EQ(osc_->Label21->text(),
            QStringLiteral("横滚:") + QString::fromStdString(format::FormatFixed(t.roll, 1)));
  EXPECT_EQ(osc_->Label6->text().left(6), "Pitch:");
  EXPECT_NE(osc_->Label7->text(), " AX:0");
  // A clean line: no checksum or missing-header lines in the log.
  EXPECT_FALSE(osc_->Text_msg->toPlainText().contains("校验失败"));
  EXPECT_FALSE(osc_->Text_msg->toPlainText().contains("没有找到帧头"));
}

TEST_F(StationPtyTest, AltitudeZeroReachesTheBoard) {
  ASSERT_TRUE(port_.IsOpen());
  ASSERT_TRUE(RunUntil([&] { return station_->telemetry.imu_frame_count >= 5; }));
  osc_->Send_high();
  const int before = station_->telemetry.imu_frame_count;
  ASSERT_TRUE(RunUntil([&] { return station_->telemetry.imu_frame_count >= before + 10; }));
  EXPECT_LE(std::abs(station_->telemetry.altitude), 0.5f);
}

TEST_F(StationPtyTest, KilledSimulatorLeavesTheStationRunningWithThePortClosed) {
  ASSERT_TRUE(port_.IsOpen());
  ASSERT_TRUE(RunUntil([&] { return station_->telemetry.imu_frame_count >= 3; }));
  sim_.Stop(SIGKILL, std::chrono::seconds(5));
  ASSERT_TRUE(RunUntil([&] { return !port_.IsOpen(); }));
  EXPECT_TRUE(LastLine().contains("已断开")) << osc_->Text_msg->toPlainText().toStdString();
  osc_->Timer4_Tick();
  EXPECT_EQ(LastLine(), QStringLiteral(">  已关闭 ") + QString::fromStdString(device_) + " 端口");
  // Turning the switch again just reports the failure: nothing hangs.
  osc_->iSwitchLedX1_Switched();
  osc_->Timer4_Tick();
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_TRUE(osc_->Text_msg->toPlainText().contains("端口打开失败"))
      << osc_->Text_msg->toPlainText().toStdString();
}

}  // namespace
}  // namespace tarvel::e2e
