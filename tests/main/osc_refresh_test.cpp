// The 40 ms instrument refresh: horizon, compass, plot, angle and scaled read-outs, 3D fields.

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <initializer_list>

#include "format/number_text.h"
#include "link/codec.h"
#include "link/frame_types.h"
#include "osc_test_fixture.h"
#include "views/attitude_indicator.h"
#include "views/attitude_indicator_view.h"
#include "widgets/compass.h"
#include "widgets/diamond_led.h"
#include "widgets/rect_led.h"
#include "widgets/wave_plot.h"

namespace tarvel::main_window {
namespace {

// A payload of sign-magnitude fields holding the given raw values.
std::vector<std::uint8_t> Sm16Payload(std::initializer_list<int> values) {
  std::vector<std::uint8_t> p(values.size() * 2);
  std::size_t i = 0;
  for (int v : values)
    link::PutSm16(&p[2 * i++], v);
  return p;
}

// Attitude frame: yaw, pitch, roll in tenths of a degree, altitude 50 m.
std::vector<std::uint8_t> Imu(int yaw10, int pitch10, int roll10) {
  return Sm16Payload({yaw10, pitch10, roll10, 500, 250, 10132, 50});
}

class OscRefreshTest : public OscTest {
 protected:
  void SetUp() override {
    OscTest::SetUp();
    StartUp();
  }
  int Points(int channel) const { return osc_->iPlotX1->point_count(channel); }
  double LastValue(int channel) const {
    auto data = osc_->iPlotX1->plot()->graph(channel)->data();
    return (data->constEnd() - 1)->value;
  }
};

TEST_F(OscRefreshTest, StartUpSelectsTheAttenuationsAndDrawsALevelHorizon) {
  EXPECT_EQ(osc_->Combo1->currentText(), "1");
  EXPECT_EQ(osc_->Combo2->currentText(), "1/100");
  EXPECT_EQ(osc_->Combo3->currentText(), "1/100");
  EXPECT_EQ(osc_->Combo4->currentText(), "1/5");
  EXPECT_EQ(osc_->Piczitai->Image(), views::DrawAttitudeIndicator("0", "0"));
}

TEST_F(OscRefreshTest, TwoAttitudeFramesInOneTickShowOnlyTheSecond) {
  DeliverFrame(link::kTypeImu, Imu(100, 50, 20));
  DeliverFrame(link::kTypeImu, Imu(1234, -45, 100));
  osc_->display_time_Tick();
  for (int c = 0; c < 3; ++c)
    EXPECT_EQ(Points(c), 1) << c;
  for (int c = 3; c < 12; ++c)
    EXPECT_EQ(Points(c), 0) << c;
  EXPECT_DOUBLE_EQ(LastValue(0), 123.4f);
  EXPECT_DOUBLE_EQ(LastValue(1), 10.0f);
  EXPECT_DOUBLE_EQ(LastValue(2), -4.5f);
  EXPECT_EQ(osc_->Label19->text(), "航向:123.4");
  EXPECT_EQ(osc_->Label20->text(), "俯仰:-4.5");
  EXPECT_EQ(osc_->Label21->text(), "横滚:10.0");
  EXPECT_DOUBLE_EQ(osc_->iCompassX1->Heading(), 123.4f);
  EXPECT_FALSE(station().telemetry.imu_new);
  // The next tick without a new frame changes nothing.
  osc_->display_time_Tick();
  EXPECT_EQ(Points(0), 1);
}

TEST_F(OscRefreshTest, RollIsInvertedForTheHorizonAndThe3DModelButNotForTheTexts) {
  DeliverFrame(link::kTypeImu, Imu(0, 0, 100));
  osc_->display_time_Tick();
  EXPECT_EQ(osc_->Piczitai->Image(), views::DrawAttitudeIndicator("-10", "0"));
  EXPECT_FLOAT_EQ(station().big3D.Roll, -10.0f);
  EXPECT_EQ(station().big3D.str_roll, "10.0");
  EXPECT_EQ(station().big3D.str_pitch, "0.0");
}

TEST_F(OscRefreshTest, SensorFrameAloneLeavesTheAttitudeDisplaysAlone) {
  const QImage horizon = osc_->Piczitai->Image();
  DeliverFrame(link::kTypeMotion, Sm16Payload({16384, 800, -16384, -328, 0, 3280, -210, 87, -400}));
  osc_->display_time_Tick();
  EXPECT_EQ(Points(0), 0);
  EXPECT_EQ(osc_->Label19->text(), "航向:0.0");
  EXPECT_EQ(osc_->Piczitai->Image(), horizon);
  for (int c = 3; c < 12; ++c)
    EXPECT_EQ(Points(c), 1) << c;
  EXPECT_DOUBLE_EQ(LastValue(4), 8.0);    // 800 at "1/100"
  EXPECT_DOUBLE_EQ(LastValue(6), -3.28);  // gyroscope at "1/100"
  EXPECT_DOUBLE_EQ(LastValue(9), -42.0);  // magnetometer at "1/5"
  EXPECT_EQ(osc_->Label29->text(), "AX: 1.000 g");
  EXPECT_EQ(osc_->Label31->text(), "AZ: -1.000 g");
  EXPECT_EQ(osc_->Label32->text(), "GX: -10.000 dps");
  EXPECT_EQ(osc_->Label34->text(), "GZ: 100.000 dps");
  EXPECT_EQ(station().big3D.str_Xjiasudu, "16384");
  EXPECT_EQ(station().big3D.str_Zcichang, "-400");
}

TEST_F(OscRefreshTest, AttenuationIsTheOneSelectedAtAppendTime) {
  osc_->Combo1->setCurrentIndex(1);  // "1/2"
  DeliverFrame(link::kTypeImu, Imu(1800, 0, 0));
  osc_->display_time_Tick();
  EXPECT_DOUBLE_EQ(LastValue(0), 90.0);
  osc_->Combo1->setCurrentIndex(0);
  DeliverFrame(link::kTypeImu, Imu(1800, 0, 0));
  osc_->display_time_Tick();
  auto data = osc_->iPlotX1->plot()->graph(0)->data();
  EXPECT_DOUBLE_EQ(data->at(0)->value, 90.0);
  EXPECT_DOUBLE_EQ(data->at(1)->value, 180.0);
}

TEST_F(OscRefreshTest, ZeroResolutionShowsDashesAndTheRefreshGoesOn) {
  station().resolutions.ACC_Resolution = 0;
  DeliverFrame(link::kTypeMotion, Sm16Payload({100, 0, 0, 328, 0, 0, 0, 0, 0}));
  osc_->display_time_Tick();
  EXPECT_EQ(osc_->Label29->text(), "AX: -- g");
  EXPECT_EQ(osc_->Label32->text(), "GX: 10.000 dps");
  EXPECT_EQ(Points(3), 1);
}

TEST_F(OscRefreshTest, GroupCheckBoxHidesOnlyItsCurvesWhichKeepCollecting) {
  osc_->Check2->setChecked(false);
  osc_->Check_Click(1);
  for (int c = 0; c < 12; ++c) {
    EXPECT_EQ(osc_->iPlotX1->channel_visible(c), c < 3 || c > 5) << c;
  }
  DeliverFrame(link::kTypeMotion, Sm16Payload({1, 2, 3, 4, 5, 6, 7, 8, 9}));
  osc_->display_time_Tick();
  EXPECT_EQ(Points(3), 1);
  osc_->Check2->setChecked(true);
  osc_->Check_Click(1);
  EXPECT_TRUE(osc_->iPlotX1->channel_visible(4));
}

TEST_F(OscRefreshTest, FollowNewestResumesAfterAPan) {
  osc_->iPlotX1->PanTime(-5);
  EXPECT_FALSE(osc_->iPlotX1->following());
  osc_->Command6_Click();
  EXPECT_TRUE(osc_->iPlotX1->following());
}

}  // namespace
}  // namespace tarvel::main_window

namespace tarvel::main_window {
namespace {

// The timers themselves, with the real event loop: nothing is ticked by hand here, so a timer
// that is not connected to its handler (or never started) fails this test.
TEST_F(OscTest, TimersDoTheirWorkWhenTheEventLoopRuns) {
  using namespace std::chrono_literals;
  // Start-up runs by itself 200 ms after creation.
  ASSERT_TRUE(QTest::qWaitFor([&] { return osc_->msg_count == 6; }, 2000));
  osc_->iSwitchLedX1_Switched();
  // The status report follows the switch by itself.
  ASSERT_TRUE(QTest::qWaitFor([&] { return LogLines().last() == ">  端口打开成功 ..."; }, 2000));

  DeliverFrame(link::kTypeImu, Sm16Payload({1234, -45, 100, 500, 250, 10132, 50}));
  EXPECT_TRUE(osc_->iLedRectangleX1->IsActive());
  // The refresh shows the frame, the RXD lamp goes out, the watchdog stops the refresh, and
  // the once-a-second read-out shows the frame count.
  EXPECT_TRUE(QTest::qWaitFor([&] { return osc_->Label19->text() == "航向:123.4"; }, 2000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !osc_->iLedRectangleX1->IsActive(); }, 2000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !osc_->display_time.Enabled(); }, 2000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return osc_->Label22->text() == "1 帧每秒"; }, 3000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !osc_->Msg_Led->IsActive(); }, 2000));
}

}  // namespace
}  // namespace tarvel::main_window
