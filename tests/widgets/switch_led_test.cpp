// Connect switch: one Switched() per operation by mouse or Space, the lever flips, and the LED
// and caption stay as the window set them.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "widgets/pixels.h"
#include "widgets/switch_led.h"

namespace tarvel::widgets {
namespace {

class SwitchLedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    switch_.resize(190, 130);
    switch_.SetCaption(QStringLiteral("连接 AHRS"));
    switch_.show();
  }
  SwitchLed switch_;
};

TEST_F(SwitchLedTest, EachClickEmitsSwitchedOnceAndFlipsTheLever) {
  QSignalSpy spy(&switch_, &SwitchLed::Switched);
  const bool lever = switch_.LeverUp();

  QTest::mouseClick(&switch_, Qt::LeftButton);
  EXPECT_EQ(spy.count(), 1);
  EXPECT_NE(switch_.LeverUp(), lever);

  QTest::mouseClick(&switch_, Qt::LeftButton);
  EXPECT_EQ(spy.count(), 2);
  EXPECT_EQ(switch_.LeverUp(), lever);

  // Pressing alone does not operate it; the release completes the click.
  QTest::mousePress(&switch_, Qt::LeftButton);
  EXPECT_EQ(spy.count(), 2);
  QTest::mouseRelease(&switch_, Qt::LeftButton);
  EXPECT_EQ(spy.count(), 3);
}

TEST_F(SwitchLedTest, SpaceOperatesItFromTheKeyboard) {
  EXPECT_TRUE(switch_.focusPolicy() & Qt::TabFocus);
  QSignalSpy spy(&switch_, &SwitchLed::Switched);
  QTest::keyClick(&switch_, Qt::Key_Space);
  EXPECT_EQ(spy.count(), 1);
  QTest::keyClick(&switch_, Qt::Key_A);
  EXPECT_EQ(spy.count(), 1);
}

TEST_F(SwitchLedTest, OperatingItLeavesLedAndCaptionToTheWindow) {
  QTest::mouseClick(&switch_, Qt::LeftButton);
  EXPECT_FALSE(switch_.LedActive());
  EXPECT_EQ(switch_.Caption(), QStringLiteral("连接 AHRS"));
}

TEST_F(SwitchLedTest, LedShowsItsColourOnlyWhenActive) {
  const QColor green = switch_.LedColor();
  EXPECT_EQ(test::CountNear(test::Render(switch_), green, 45), 0);
  switch_.SetLedActive(true);
  EXPECT_GT(test::CountNear(test::Render(switch_), green, 45), 20);
}

}  // namespace
}  // namespace tarvel::widgets
