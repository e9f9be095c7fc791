// The receive path, the two main decoders and the connect switch with its status report.

#include <QLabel>
#include <fstream>

#include "link/frame_types.h"
#include "osc_test_fixture.h"
#include "widgets/label_instrument.h"
#include "widgets/led_bar.h"
#include "widgets/rect_led.h"
#include "widgets/switch_led.h"
#include "widgets/thermometer.h"

namespace tarvel::main_window {
namespace {

const std::vector<std::uint8_t> kImuExample = {0xA5, 0x5A, 0x12, 0xA1, 0x00, 0x7B, 0x80,
                                               0x2D, 0x00, 0x00, 0x01, 0xF4, 0x00, 0xFA,
                                               0x27, 0x94, 0x00, 0x32, 0xB7, 0xAA};
const std::vector<std::uint8_t> kMotionExample = {0xA5, 0x5A, 0x16, 0xA2, 0x00, 0x78, 0x80, 0x23,
                                                  0x40, 0x00, 0x00, 0x05, 0x80, 0x02, 0x00, 0x00,
                                                  0x80, 0xD2, 0x00, 0x57, 0x81, 0x90, 0x54, 0xAA};

const QString kChecksumLine = ">  校验失败,数据包中存在误码字节,请检查连接线或更换转接器.";

TEST_F(OscTest, GoodFrameLightsRxdStartsTheRefreshAndArmsTheWatchdog) {
  StartUp();
  osc_->Timer6_Tick();
  EXPECT_FALSE(osc_->display_time.Enabled());
  Deliver({0xA5, 0x5A, 0x04, 0xE0, 0xE4, 0xAA});
  EXPECT_TRUE(osc_->iLedRectangleX1->IsActive());
  EXPECT_TRUE(osc_->display_time.Enabled());
  EXPECT_TRUE(osc_->Timer6.Running());
  EXPECT_EQ(osc_->Timer6.Interval(), 200);
  EXPECT_EQ(LogLines().size(), 6);
  // Every delivery starts the watchdog's countdown over, also one without a whole frame.
  const int starts = osc_->Timer6.Starts();
  Deliver({0xA5});
  EXPECT_EQ(osc_->Timer6.Starts(), starts + 1);
  osc_->Timer6_Tick();
  EXPECT_FALSE(osc_->display_time.Enabled());
  EXPECT_FALSE(osc_->Timer6.Enabled());
}

TEST_F(OscTest, BadChecksumIsLoggedOnceAndDoesNotLightRxd) {
  StartUp();
  Deliver({0xA5, 0x5A, 0x04, 0xE0, 0xE5, 0xAA});
  EXPECT_EQ(LogLines().size(), 7);
  EXPECT_EQ(LogLines().last(), kChecksumLine);
  EXPECT_FALSE(osc_->iLedRectangleX1->IsActive());
  EXPECT_FALSE(osc_->display_time.Enabled());
}

TEST_F(OscTest, HeaderlessStreamLogsTheFourLinesOncePer101Bytes) {
  StartUp();
  Deliver(std::vector<std::uint8_t>(202, 0x00));
  const QStringList lines = LogLines();
  ASSERT_EQ(lines.size(), 6 + 8);
  EXPECT_EQ(lines[6], ">  接收到的数据中,没有找到帧头 A5 5A .可能原因:");
  EXPECT_EQ(lines[7], ">  1. 数据没有按协议发送,相关的协议说明，见本软件的压缩包内");
  EXPECT_EQ(lines[8], ">  2. 选择错误的端口 或者错误的波特率");
  EXPECT_EQ(lines[9], ">  3. 数据转换电路异常,不能可靠传送数据");
  EXPECT_EQ(lines.mid(10), lines.mid(6, 4));
}

TEST_F(OscTest, OverflowDiscardsTheBuffersAndKeepsTheFrameInProgress) {
  StartUp();
  Deliver({0xA5, 0x5A, 0x04});
  const int discards = port_.discards;
  port_.SignalOverflow();
  EXPECT_EQ(LogLines().last(), ">  缓冲区 溢出!");
  EXPECT_EQ(port_.discards, discards + 1);
  EXPECT_TRUE(station().session.receiver().receiving());
}

TEST_F(OscTest, AttitudeFrameFillsTheBarometerReadOutsAndTheRecord) {
  StartUp();
  Deliver(kImuExample);
  EXPECT_FLOAT_EQ(station().telemetry.yaw, 12.3f);
  EXPECT_FLOAT_EQ(station().telemetry.pitch, -4.5f);
  EXPECT_FLOAT_EQ(station().telemetry.roll, 0.0f);
  EXPECT_FLOAT_EQ(station().telemetry.altitude, 50.0f);
  EXPECT_TRUE(station().telemetry.imu_new);
  EXPECT_EQ(station().telemetry.imu_frame_count, 1);
  EXPECT_EQ(osc_->Label3->text(), "50.0m");
  EXPECT_EQ(osc_->Label16->text(), "高度:50.0m");
  EXPECT_EQ(osc_->Label17->text(), "温度:25.0度");
  EXPECT_EQ(osc_->iLabelX1->Caption(), "25.0C");
  EXPECT_EQ(osc_->Label18->text(), "气压:101320Pa");
  EXPECT_EQ(osc_->Label24->text(), "姿态解算:50 次每秒");
  EXPECT_EQ(osc_->Label5->text(), "Roll:0.0");
  EXPECT_EQ(osc_->Label6->text(), "Pitch:-4.5");
  EXPECT_DOUBLE_EQ(osc_->iLedBarX1->Position(), 50.0);
  EXPECT_DOUBLE_EQ(osc_->iThermometerX1->Position(), 25.0);
}

TEST_F(OscTest, HeartbeatTogglesWithEveryAttitudeFrameOnly) {
  StartUp();
  const bool before = osc_->iLedRectangleX3->IsActive();
  Deliver(kImuExample);
  EXPECT_NE(osc_->iLedRectangleX3->IsActive(), before);
  Deliver(kMotionExample);
  Deliver(kImuExample);
  EXPECT_EQ(osc_->iLedRectangleX3->IsActive(), before);
  EXPECT_EQ(station().telemetry.imu_frame_count, 2);
}

TEST_F(OscTest, SensorFrameFillsTheRawLabelsAndTheRecord) {
  StartUp();
  osc_->writewath = 3;
  Deliver(kMotionExample);
  const QStringList expected = {" AX:120", " AY:-35",  " AZ:16384", " GX:5",   " GY:-2",
                                " GZ:0",   " MX:-210", " MY:87",    " MZ:-400"};
  const QLabel* labels[] = {osc_->Label7,  osc_->Label8,  osc_->Label9,
                            osc_->Label10, osc_->Label11, osc_->Label12,
                            osc_->Label13, osc_->Label14, osc_->Label15};
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(labels[i]->text(), expected[i]) << i;
  EXPECT_EQ(station().telemetry.acc_z, 16384.0);
  EXPECT_EQ(station().telemetry.mag_z, -400.0);
  EXPECT_TRUE(station().telemetry.motion_new);
  EXPECT_EQ(osc_->motion_csv_part, "120,-35,16384,5,-2,0,-210,87,-400");
}

TEST_F(OscTest, ShortAttitudeFrameIsIgnoredByItsDecoderButLightsRxd) {
  StartUp();
  DeliverFrame(link::kTypeImu, {0x00, 0x7B, 0x80, 0x2D});
  EXPECT_TRUE(osc_->iLedRectangleX1->IsActive());
  EXPECT_EQ(station().telemetry.imu_frame_count, 0);
  EXPECT_EQ(osc_->Label6->text(), "Pitch:");
}

TEST_F(OscTest, FrameRateTickShowsAndClearsTheCount) {
  StartUp();
  station().telemetry.imu_frame_count = 30;
  osc_->Timer1_Tick();
  EXPECT_EQ(osc_->Label22->text(), "30 帧每秒");
  EXPECT_EQ(station().telemetry.imu_frame_count, 0);
}

// ---- connect switch and status report

TEST_F(OscTest, OpeningAFreePortReportsSuccess) {
  std::ofstream(dir_ / "OSC.ini") << "[COM]\nPort=3\nSettings=115200,n,8,1\n";
  StartUp();
  osc_->iSwitchLedX1_Switched();
  EXPECT_EQ(LogLines().last(), ">  正在打开端口 ...");
  EXPECT_TRUE(osc_->Timer4.Enabled());
  EXPECT_EQ(osc_->Timer4.Interval(), 200);
  EXPECT_EQ(osc_->iSwitchLedX1->Caption(), "连接 AHRS");
  osc_->Timer4_Tick();
  EXPECT_EQ(LogLines().mid(7), QStringList({">  COM3--115200,n,8,1", ">  端口打开成功 ..."}));
  EXPECT_EQ(osc_->iSwitchLedX1->Caption(), "端口已打开");
  EXPECT_TRUE(osc_->iSwitchLedX1->LedActive());
  EXPECT_FALSE(osc_->Timer4.Enabled());
  EXPECT_EQ(osc_->port_settings_text, "115200,n,8,1");
}

TEST_F(OscTest, FailedOpenNamesTheLikelyCauses) {
  std::ofstream(dir_ / "OSC.ini") << "[COM]\nPort=7\nSettings=115200,n,8,1\n";
  StartUp();
  port_.fail_open = true;
  osc_->iSwitchLedX1_Switched();
  osc_->Timer4_Tick();
  EXPECT_EQ(LogLines().mid(6), QStringList({">  正在打开端口 ...", ">  端口打开失败 ...可能原因:",
                                            ">  1. COM7 不存在", ">  2. COM7 已被其他的程序占用"}));
  EXPECT_EQ(osc_->iSwitchLedX1->Caption(), "端口已关闭");
  EXPECT_FALSE(osc_->iSwitchLedX1->LedActive());
}

TEST_F(OscTest, ClosingReportsTheClosedPortByItsDisplayName) {
  std::ofstream(dir_ / "OSC.ini") << "[COM]\nPort=/dev/ttyUSB0\nSettings=115200,n,8,1\n";
  StartUp();
  osc_->iSwitchLedX1_Switched();
  osc_->Timer4_Tick();
  EXPECT_EQ(LogLines()[7], ">  /dev/ttyUSB0--115200,n,8,1");
  osc_->iSwitchLedX1_Switched();
  osc_->Timer4_Tick();
  EXPECT_EQ(LogLines().mid(9), QStringList({">  断开连接 ...", ">  已关闭 /dev/ttyUSB0 端口"}));
  EXPECT_FALSE(port_.IsOpen());
}

TEST_F(OscTest, TwoSwitchOperationsWithinTheReportDelayGiveOneReport) {
  StartUp();
  osc_->iSwitchLedX1_Switched();
  osc_->iSwitchLedX1_Switched();
  osc_->Timer4_Tick();
  EXPECT_EQ(LogLines().mid(6),
            QStringList({">  正在打开端口 ...", ">  断开连接 ...", ">  已关闭 COM1 端口"}));
  EXPECT_FALSE(osc_->Timer4.Enabled());
}

TEST_F(OscTest, SwitchingResetsAHalfReceivedFrame) {
  StartUp();
  Deliver({0xA5, 0x5A, 0x12, 0xA1, 0x00});
  EXPECT_TRUE(station().session.receiver().receiving());
  osc_->iSwitchLedX1_Switched();
  EXPECT_FALSE(station().session.receiver().receiving());
}

TEST_F(OscTest, ClosePortOnAClosedPortDoesNothing) {
  StartUp();
  osc_->ClosePort();
  EXPECT_EQ(LogLines().size(), 6);
  EXPECT_FALSE(osc_->Timer4.Enabled());
}

TEST_F(OscTest, ClosePortClosesAnnouncesAndReports) {
  StartUp();
  osc_->iSwitchLedX1_Switched();
  osc_->Timer4_Tick();
  Deliver({0xA5, 0x5A, 0x12});
  osc_->ClosePort();
  EXPECT_FALSE(port_.IsOpen());
  EXPECT_FALSE(station().session.receiver().receiving());
  EXPECT_FALSE(station().session.port_open_requested);
  osc_->Timer4_Tick();
  EXPECT_EQ(LogLines().mid(9), QStringList({">  断开连接 ...", ">  已关闭 COM1 端口"}));
}

TEST_F(OscTest, PulledDeviceIsReportedClosedAndCanBeOpenedAgain) {
  StartUp();
  osc_->iSwitchLedX1_Switched();
  osc_->Timer4_Tick();
  Deliver({0xA5, 0x5A, 0x12});
  port_.LoseDevice();
  const int after_loss = LogLines().size();
  EXPECT_EQ(after_loss, 10);
  EXPECT_TRUE(LogLines().last().contains("COM1")) << LogLines().last().toStdString();
  EXPECT_FALSE(station().session.receiver().receiving());
  osc_->Timer4_Tick();
  EXPECT_EQ(LogLines().last(), ">  已关闭 COM1 端口");
  EXPECT_EQ(osc_->iSwitchLedX1->Caption(), "端口已关闭");

  osc_->iSwitchLedX1_Switched();
  osc_->Timer4_Tick();
  EXPECT_TRUE(port_.IsOpen());
  EXPECT_EQ(osc_->iSwitchLedX1->Caption(), "端口已打开");
}

}  // namespace
}  // namespace tarvel::main_window
