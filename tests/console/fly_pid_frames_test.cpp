// What the flight-controller frames do to the console: the PWM record and Timer1, the loop
// gains, GPS, target and status texts, the tracking plot, and loading the window on the way.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "fly_pid_test_fixture.h"
#include "link/decoders.h"
#include "widgets/led_bar.h"
#include "widgets/wave_plot.h"

namespace tarvel::console {
namespace {

TEST_F(FlyPidTest, PwmFramesOnlyFillTheRecordAndTimer1ShowsIt) {
  port_.Open();
  const Bytes payload = {0x05, 0xDC, 0x05, 0xDC, 0x03, 0xE8, 0x07, 0xD0, 0x05, 0xDC, 0x05, 0xDC};
  StorePwmIn(*link::DecodePwmIn(payload));
  EXPECT_FALSE(w().loaded());
  EXPECT_TRUE(port_.written.empty());
  EXPECT_EQ(channels().inch, (std::array<float, 6>{1500, 1500, 1000, 2000, 1500, 1500}));

  w().EnsureLoaded();  // resets the record to 1500
  StorePwmIn(*link::DecodePwmIn(payload));
  StorePwmOut({{1100, 1200, 1300, 1400, 1600, 1700, 1800, 2500}});
  w().Timer1_Tick();
  EXPECT_EQ(w().iLedBarX1->Position(), 1000);
  EXPECT_EQ(w().Label6->text(), "1000");
  EXPECT_EQ(w().iLedBarX2->Position(), 2000);
  EXPECT_EQ(w().Label8->text(), "2000");
  EXPECT_EQ(w().iLedBarX5->Position(), 1100);
  EXPECT_EQ(w().Label14->text(), "1100");
  EXPECT_EQ(w().iLedBarX12->Position(), 2100);  // the bar stops at its end
  EXPECT_EQ(w().Label28->text(), "2500");       // the label tells the truth
}

TEST_F(FlyPidTest, EveryWidgetFrameLoadsTheHiddenWindowOnce) {
  port_.Open();
  const std::function<void()> updates[] = {
      [&] { w().Decode_Track({}); },  [&] { w().Decode_PID({4, 0, 0, 0}); },
      [&] { w().Decode_GPS({}); },    [&] { w().Decode_Target({}); },
      [&] { w().Decode_Status({}); }, [&] { w().ToggleGpsLed(); },
      [&] { w().ToggleTargetLed(); }, [&] { w().ToggleStatusLed(); }};
  for (const auto& update : updates) {
    MakeWindow();
    port_.written.clear();
    update();
    update();
    EXPECT_TRUE(w().loaded());
    EXPECT_FALSE(w().isVisible());
    EXPECT_EQ(port_.written.size(), 1u);  // the load step's loop select, once
  }
}

TEST_F(FlyPidTest, PidFrameFillsItsLoopsBoxesAndEnablesOnlyItsWriteButton) {
  QPushButton* writes[] = {w().Command2, w().Command3, w().Command5, w().Command8, w().Command11};
  for (QPushButton* b : writes)
    EXPECT_FALSE(b->isEnabled());
  w().Decode_PID({2, 1.23456f, -0.0004f, 12.5f});
  EXPECT_EQ(w().Text6->text(), "1.235");
  EXPECT_EQ(w().Text5->text(), "0.000");
  EXPECT_EQ(w().Text4->text(), "12.500");
  EXPECT_EQ(w().Text1->text(), "0");
  EXPECT_TRUE(w().Command3->isEnabled());
  for (QPushButton* b : {w().Command2, w().Command5, w().Command8, w().Command11})
    EXPECT_FALSE(b->isEnabled());
  // Out-of-range loops change nothing.
  w().Decode_PID({6, 9, 9, 9});
  w().Decode_PID({0, 9, 9, 9});
  EXPECT_EQ(w().Text13->text(), "0");
  EXPECT_FALSE(w().Command11->isEnabled());
}

TEST_F(FlyPidTest, GpsFrameTexts) {
  const Bytes east = {0x00, 0x12, 0x4F, 0xFA, 0x00, 0x04, 0x9E, 0xE5,
                      0xFF, 0xF6, 0x09, 0x0D, 0x7A, 0x00, 0x2D};
  w().Decode_GPS(*link::DecodeGps(east));
  EXPECT_EQ(w().Label29->text(), "经度:120.0122度");
  EXPECT_EQ(w().Label48->text(), "纬度:30.2821度");
  EXPECT_EQ(w().Label49->text(), "高度:-1.0米");
  EXPECT_EQ(w().Label52->text(), "锁定卫星:9颗");
  EXPECT_EQ(w().Label50->text(), "航向:345.0度");
  EXPECT_EQ(w().Label51->text(), "速度:4.5m/s");
  Bytes west = east;
  west[0] = 0xFF, west[1] = 0xED, west[2] = 0xB0, west[3] = 0x06;
  w().Decode_GPS(*link::DecodeGps(west));
  EXPECT_EQ(w().Label29->text(), "经度:-120.0122度");
}

TEST_F(FlyPidTest, TargetFrameTexts) {
  w().Decode_Target({120.0122f, -30.5f, 15.25f, 123.4f, -2.5f, 0.04f});
  EXPECT_EQ(w().Label58->text(), "经度:120.0122度");
  EXPECT_EQ(w().Label57->text(), "纬度:-30.5度");
  EXPECT_EQ(w().Label56->text(), "高度:15.3米");
  EXPECT_EQ(w().Label53->text(), "距离:123.4米");
  EXPECT_EQ(w().Label55->text(), "X控制量:-2.5度");
  EXPECT_EQ(w().Label54->text(), "Y控制量:0.0度");
}

TEST_F(FlyPidTest, StatusFrameTextsAndUnknownModeKeepsTheModeLabel) {
  EXPECT_EQ(w().Label59->text(), "工作模式:手动");
  w().Decode_Status({2, 11.1f, 5.0f, 3, 17, 3600});
  EXPECT_EQ(w().Label59->text(), "平衡模式");
  EXPECT_EQ(w().Label61->text(), "电池电压:11.1V");
  EXPECT_EQ(w().Label60->text(), "舵机电压:5.0V");
  EXPECT_EQ(w().Label62->text(), "错误代码:3");
  EXPECT_EQ(w().Label64->text(), "I2C错误次数:17次");
  EXPECT_EQ(w().Label63->text(), "开机时间:3600秒");
  w().Decode_Status({7, 10.0f, 5.0f, 0, 0, 3601});
  EXPECT_EQ(w().Label59->text(), "平衡模式");
  EXPECT_EQ(w().Label61->text(), "电池电压:10.0V");
  EXPECT_EQ(w().Label63->text(), "开机时间:3601秒");
}

TEST_F(FlyPidTest, TrackFrameAddsOnePointPerChannelAndShowsTheValues) {
  w().Decode_Track({12.345f, -3.0f, 0.004f});
  now_ += 0.05;
  w().Decode_Track({12.5f, -2.5f, 1.0f});
  for (int ch = 0; ch < 3; ++ch)
    EXPECT_EQ(w().iPlotX1->point_count(ch), 2) << ch;
  EXPECT_EQ(w().Label42->text(), "目标值：12.50");
  EXPECT_EQ(w().Label43->text(), "当前值：-2.50");
  EXPECT_EQ(w().Label44->text(), "控制量：1.00");
}

TEST_F(FlyPidTest, PlotControlsHideOnlyTheOutputTraceAndFollowTheNewest) {
  w().Check2->click();
  EXPECT_FALSE(w().iPlotX1->channel_visible(2));
  EXPECT_TRUE(w().iPlotX1->channel_visible(0));
  EXPECT_TRUE(w().iPlotX1->channel_visible(1));
  w().Check2->click();
  EXPECT_TRUE(w().iPlotX1->channel_visible(2));

  w().Decode_Track({1, 2, 3});
  w().iPlotX1->PanTime(-5);
  EXPECT_FALSE(w().iPlotX1->following());
  w().Command7->click();
  EXPECT_TRUE(w().iPlotX1->following());

  w().EnsureLoaded();
  w().Check1->click();
  EXPECT_FALSE(w().tracking());
}

}  // namespace
}  // namespace tarvel::console

namespace tarvel::console {
namespace {

// Timer1 with the real event loop: the bars follow the channel record by themselves.
TEST_F(FlyPidTest, Timer1ShowsTheChannelsWhenTheEventLoopRuns) {
  w().show();
  StorePwmIn({{1234, 1500, 1500, 1500, 1500, 1500}});
  EXPECT_TRUE(QTest::qWaitFor([&] { return w().Label2->text() == "1234"; }, 2000));
  EXPECT_EQ(w().input1->Position(), 1234);
}

}  // namespace
}  // namespace tarvel::console
