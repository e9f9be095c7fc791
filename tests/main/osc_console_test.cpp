// Flight-controller frames reaching the console through the main window's receiver.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "console/fly_pid.h"
#include "link/codec.h"
#include "link/frame_types.h"
#include "osc_test_fixture.h"
#include "widgets/round_led.h"

namespace tarvel::main_window {
namespace {

class OscConsoleTest : public OscTest {
 protected:
  void SetUp() override {
    OscTest::SetUp();
    osc_->console = [this]() -> console::FlyPID& {
      if (!fly_) {
        fly_ = std::make_unique<console::FlyPID>(
            osc_->console_channels, port_, [this] { osc_->Send_LedON(); },
            [this](const QString& s) { osc_->Show_msg(s); });
      }
      return *fly_;
    };
    StartUp();
    osc_->iSwitchLedX1_Switched();
    osc_->Timer4_Tick();
  }
  void TearDown() override {
    fly_.reset();
    OscTest::TearDown();
  }
  std::unique_ptr<console::FlyPID> fly_;
};

TEST_F(OscConsoleTest, PwmAndForeignFramesLeaveTheConsoleUncreated) {
  DeliverFrame(link::kTypePwmIn,
               {0x05, 0xDC, 0x05, 0xDC, 0x03, 0xE8, 0x07, 0xD0, 0x05, 0xDC, 0x05, 0xDC});
  DeliverFrame(0xE0, {});
  DeliverFrame(0xD6, {1, 2, 3});
  EXPECT_EQ(fly_, nullptr);
  EXPECT_FLOAT_EQ(osc_->console_channels.inch[2], 1000.0f);
  EXPECT_FLOAT_EQ(osc_->console_channels.inch[3], 2000.0f);
}

TEST_F(OscConsoleTest, GpsFrameLoadsTheConsoleOnceFillsItAndTogglesItsLed) {
  std::vector<std::uint8_t> gps(15, 0);
  link::PutS32(&gps[0], 1200122);
  DeliverFrame(link::kTypeGps, gps);
  ASSERT_NE(fly_, nullptr);
  EXPECT_TRUE(fly_->loaded());
  EXPECT_FALSE(fly_->isVisible());
  EXPECT_EQ(fly_->Label29->text(), "经度:120.0122度");
  // The load step selected loop 1 on the open port.
  ASSERT_FALSE(port_.written.empty());
  EXPECT_EQ(port_.written[0], std::vector<std::uint8_t>({0xA5, 0x5A, 0x04, 0xD6, 0xDA, 0xAA}));
  const bool led = fly_->iLedRoundX1->IsActive();
  DeliverFrame(link::kTypeGps, gps);
  EXPECT_NE(fly_->iLedRoundX1->IsActive(), led);
  EXPECT_EQ(port_.written.size(), 1u);
}

TEST_F(OscConsoleTest, PidFrameFillsItsLoopAndEnablesWriting) {
  std::vector<std::uint8_t> pid(12, 0);
  link::PutF32(&pid[0], 1.5f);
  link::PutF32(&pid[4], 0.02f);
  link::PutF32(&pid[8], 0.3f);
  DeliverFrame(0xD2, pid);
  ASSERT_NE(fly_, nullptr);
  EXPECT_EQ(fly_->Text6->text(), "1.500");
  EXPECT_EQ(fly_->Text5->text(), "0.020");
  EXPECT_EQ(fly_->Text4->text(), "0.300");
  EXPECT_TRUE(fly_->Command3->isEnabled());
}

}  // namespace
}  // namespace tarvel::main_window
