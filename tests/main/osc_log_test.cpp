// The message log, its lamps and the start-up greeting.

#include <QLabel>
#include <fstream>

#include "osc_test_fixture.h"
#include "station/maker_addresses.h"
#include "widgets/diamond_led.h"
#include "widgets/rect_led.h"

namespace tarvel::main_window {
namespace {

const QStringList kWelcome = {
    "1:  AHRS Voranta Flight V2.8 启动成功!",
    ">  --------    开始    --------",
    ">  --1. 检查串口设备是否正确 --",
    ">  --2. 点击 打开端口按钮接收数据",
    QStringLiteral(">  --") + station::kShopAddress + "--",
    QStringLiteral(">  最新版本的软件 到") + station::kSiteHost + " 下载",
};

TEST_F(OscTest, StartUpGreetsWithSixLinesTheFirstNumberedAndRunsOnce) {
  osc_->Show_msg("written by another window before start-up");
  EXPECT_TRUE(osc_->Timer_Getdata.Enabled());
  StartUp();
  EXPECT_EQ(LogLines(), kWelcome);
  EXPECT_EQ(osc_->msg_count, 6);
  EXPECT_FALSE(osc_->Timer_Getdata.Enabled());
  EXPECT_TRUE(osc_->Timer1.Enabled());
  EXPECT_EQ(osc_->Label29->text(), "AX: 0.0 g");
  EXPECT_EQ(osc_->Label34->text(), "GZ: 0.0 dps");
  EXPECT_EQ(osc_->motion_csv_part, "0,0,0,0,0,0,0,0,0");
}

TEST_F(OscTest, WithoutSettingsFileTheDefaultsHold) {
  StartUp();
  EXPECT_EQ(port_.port(), serial::PortName::Number(1));
  EXPECT_EQ(port_.SettingsText(), "115200,n,8,1");
  EXPECT_EQ(station().resolutions.ACC_Resolution, 16384.0);
  EXPECT_EQ(station().resolutions.GYRO_Resolution, 32.8);
}

TEST_F(OscTest, StoredSettingsAreApplied) {
  std::ofstream(dir_ / "OSC.ini") << "[COM]\nPort=SIM\nSettings=921600,n,8,1\n"
                                     "GYRO_Resolution=16.4\nACC_Resolution=8192\n";
  StartUp();
  EXPECT_TRUE(port_.port().is_sim());
  EXPECT_EQ(port_.SettingsText(), "921600,n,8,1");
  EXPECT_EQ(station().resolutions.GYRO_Resolution, 16.4);
  EXPECT_EQ(station().resolutions.ACC_Resolution, 8192.0);
  EXPECT_EQ(LogLines().size(), 6);
}

TEST_F(OscTest, UnusableStoredValueIsReportedAfterTheWelcomeLines) {
  std::ofstream(dir_ / "OSC.ini") << "[COM]\nPort=99\nSettings=115200,n,8,1\n";
  StartUp();
  const QStringList lines = LogLines();
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines.mid(0, 6), kWelcome);
  EXPECT_TRUE(lines[6].startsWith(">  ")) << lines[6].toStdString();
  EXPECT_TRUE(lines[6].contains(" Port ")) << lines[6].toStdString();
  EXPECT_EQ(port_.port(), serial::PortName::Number(1));
}

TEST_F(OscTest, ClearLeavesAMarkerLineAndTheCountRunsOn) {
  StartUp();
  osc_->Command3_Click();
  EXPECT_EQ(osc_->Text_msg->toPlainText(), "Clear....");
  osc_->Show_msg("next");
  EXPECT_EQ(LogLines(), QStringList({"Clear....", ">  next"}));
  EXPECT_EQ(osc_->msg_count, 7);
}

TEST_F(OscTest, AnEmptiedLogNumbersItsNextLineWithTheRunningCount) {
  StartUp();
  osc_->Text_msg->clear();
  osc_->Show_msg("again");
  EXPECT_EQ(LogLines(), QStringList({"7:  again"}));
}

TEST_F(OscTest, LogKeepsTheNewestLinesOnly) {
  StartUp();
  for (int i = 0; i < OSC::kMaxLogLines + 100; ++i)
    osc_->Show_msg(QString::number(i));
  const QStringList lines = LogLines();
  EXPECT_EQ(lines.size(), OSC::kMaxLogLines);
  EXPECT_EQ(lines.last(), ">  " + QString::number(OSC::kMaxLogLines + 99));
}

TEST_F(OscTest, MessageCounterWrapsLikeASixteenBitInteger) {
  osc_->msg_count = 32767;
  osc_->Show_msg("x");
  EXPECT_EQ(osc_->msg_count, -32768);
}

// Each lamp: what lights it, its LED, its one-shot timer with the interval it is armed with,
// and that timer's tick handler.
struct LampCase {
  std::string name;
  std::function<void(OSC&)> light;
  std::function<widgets::Lamp*(OSC&)> led;
  std::function<platform::Timer&(OSC&)> timer;
  int interval_ms;
  std::function<void(OSC&)> tick;
};

class OscLampTest : public OscTest, public ::testing::WithParamInterface<LampCase> {};

TEST_P(OscLampTest, StaysLitThroughABurstAndGoesOutOnItsTick) {
  const LampCase& c = GetParam();
  StartUp();
  OSC& w = *osc_;
  c.tick(w);
  EXPECT_FALSE(c.led(w)->IsActive());
  c.light(w);
  EXPECT_TRUE(c.led(w)->IsActive());
  platform::Timer& timer = c.timer(w);
  EXPECT_TRUE(timer.Running());
  EXPECT_EQ(timer.Interval(), c.interval_ms);
  // Lit again while on: the countdown starts over, so the lamp stays lit through a burst.
  const int starts = timer.Starts();
  c.light(w);
  EXPECT_EQ(timer.Starts(), starts + 1);
  c.tick(w);
  EXPECT_FALSE(c.led(w)->IsActive());
  EXPECT_FALSE(timer.Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    All, OscLampTest,
    ::testing::Values(LampCase{"Message", [](OSC& w) { w.Show_msg("a"); },
                               [](OSC& w) { return w.Msg_Led; },
                               [](OSC& w) -> platform::Timer& { return w.LED_Time; }, 400,
                               [](OSC& w) { w.LED_Time_Tick(); }},
                      LampCase{"Rxd", [](OSC& w) { w.Rec_LedON(); },
                               [](OSC& w) { return w.iLedRectangleX1; },
                               [](OSC& w) -> platform::Timer& { return w.Timer2; }, 300,
                               [](OSC& w) { w.Timer2_Tick(); }},
                      LampCase{"Txd", [](OSC& w) { w.Send_LedON(); },
                               [](OSC& w) { return w.iLedRectangleX2; },
                               [](OSC& w) -> platform::Timer& { return w.Timer3; }, 200,
                               [](OSC& w) { w.Timer3_Tick(); }}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tarvel::main_window
