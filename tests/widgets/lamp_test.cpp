// Lamps: lit shows the active colour, dark shows a dim version of it, Toggle flips.
#include <gtest/gtest.h>

#include "widgets/diamond_led.h"
#include "widgets/pixels.h"
#include "widgets/rect_led.h"
#include "widgets/round_led.h"

namespace tarvel::widgets {
namespace {

using test::Brightest;
using test::Near;
using test::Render;

// 0, 1 or 2 for a colour whose red, green or blue channel is the strongest.
int Dominant(const QColor& c) {
  if (c.red() >= c.green() && c.red() >= c.blue()) return 0;
  return c.green() >= c.blue() ? 1 : 2;
}

template <typename Lamp>
class LampTest : public ::testing::Test {};

using LampTypes = ::testing::Types<RectLed, DiamondLed, RoundLed>;
TYPED_TEST_SUITE(LampTest, LampTypes);

TYPED_TEST(LampTest, CentreGlowsInTheActiveColourWhenLitAndIsDimWhenDark) {
  TypeParam lamp;
  lamp.resize(30, 30);
  for (const QColor& color : {QColor(235, 30, 30), QColor(40, 230, 70), QColor(40, 90, 255)}) {
    SCOPED_TRACE(color.name().toStdString());
    lamp.SetActiveColor(color);

    lamp.SetActive(true);
    const QColor lit = Render(lamp).pixelColor(15, 15);
    EXPECT_TRUE(Near(lit, color, 45)) << lit.name().toStdString();

    lamp.SetActive(false);
    const QColor dark = Render(lamp).pixelColor(15, 15);
    EXPECT_LT(Brightest(dark), 90) << dark.name().toStdString();
    // Still recognisably the lamp's colour, only dim.
    EXPECT_EQ(Dominant(dark), Dominant(color)) << dark.name().toStdString();
  }
}

TYPED_TEST(LampTest, ToggleFlipsTheLampAndTwoTogglesRestoreIt) {
  TypeParam lamp;
  lamp.resize(30, 30);
  ASSERT_FALSE(lamp.IsActive());
  lamp.Toggle();
  EXPECT_TRUE(lamp.IsActive());
  EXPECT_GT(Brightest(Render(lamp).pixelColor(15, 15)), 150);
  lamp.Toggle();
  EXPECT_FALSE(lamp.IsActive());
  EXPECT_LT(Brightest(Render(lamp).pixelColor(15, 15)), 90);
}

TEST(RectLed, CaptionBesideTheLampLeavesTheLampLit) {
  // The RXD lamp: caption to the right of the lamp, in the window text colour.
  RectLed lamp;
  lamp.resize(50, 18);
  lamp.SetCaption(QStringLiteral("RXD"));
  lamp.SetActive(true);
  const QImage image = Render(lamp);
  const QColor green = lamp.ActiveColor();
  EXPECT_GT(test::CountNear(image, green, 45, QRect(0, 0, 20, 18)), 40);
  EXPECT_EQ(test::CountNear(image, green, 45, QRect(26, 0, 24, 18)), 0);
  const QColor text = lamp.palette().color(QPalette::WindowText);
  EXPECT_GT(test::CountNear(image, text, 60, QRect(26, 0, 24, 18)), 5);
}

}  // namespace
}  // namespace tarvel::widgets
