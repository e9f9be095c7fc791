// Compass: heading normalisation, card geometry, and the card turning the right way.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "widgets/compass.h"
#include "widgets/pixels.h"

namespace tarvel::widgets {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Fold {
  double in;
  double out;
};

void PrintTo(const Fold& f, std::ostream* os) {
  *os << f.in << " -> " << f.out;
}

class CompassNormalize : public ::testing::TestWithParam<Fold> {};

TEST_P(CompassNormalize, FoldsIntoZeroTo360) {
  const double out = Compass::NormalizeHeading(GetParam().in);
  EXPECT_DOUBLE_EQ(out, GetParam().out) << GetParam().in;
  EXPECT_FALSE(std::signbit(out));
  EXPECT_LT(out, 360.0);
}

INSTANTIATE_TEST_SUITE_P(Values, CompassNormalize,
                         ::testing::Values(Fold{0, 0}, Fold{90, 90}, Fold{359.9, 359.9},
                                           Fold{360, 0}, Fold{-90, 270}, Fold{450, 90},
                                           Fold{-720.5, 359.5}, Fold{-0.0, 0},
                                           // folds to 360 - 1e-15, which rounds to 360
                                           Fold{-1e-15, 0}, Fold{1e9 + 45, 325}));

TEST(Compass, ScreenAngleBringsTheHeadingUnderTheLubberLine) {
  EXPECT_EQ(Compass::ScreenAngle(90, 90), 0);    // east at the top when flying east
  EXPECT_EQ(Compass::ScreenAngle(0, 90), 270);   // north to the left
  EXPECT_EQ(Compass::ScreenAngle(180, 90), 90);  // south to the right
  EXPECT_EQ(Compass::ScreenAngle(315, 300), 15);
  EXPECT_EQ(Compass::ScreenAngle(10, 350), 20);
}

TEST(Compass, IgnoresNaNAndInfinities) {
  Compass compass;
  compass.SetHeading(-90);
  EXPECT_EQ(compass.Heading(), 270);
  compass.SetHeading(kNaN);
  compass.SetHeading(kInf);
  compass.SetHeading(-kInf);
  EXPECT_EQ(compass.Heading(), 270);
  EXPECT_TRUE(std::isnan(Compass::NormalizeHeading(kInf)));
}

// Red pixels of the north marker inside `region`.
int NorthPixels(const QImage& image, const QRect& region) {
  int count = 0;
  for (int y = region.top(); y <= region.bottom(); ++y) {
    for (int x = region.left(); x <= region.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 170 && c.green() < 90 && c.blue() < 90) ++count;
    }
  }
  return count;
}

TEST(Compass, CardTurnsSoNorthStandsLeftAtHeading90) {
  Compass compass;
  compass.resize(160, 160);
  const QRect top(60, 0, 40, 40), left(0, 60, 40, 40), right(120, 60, 40, 40);

  compass.SetHeading(0);
  QImage image = test::Render(compass);
  EXPECT_GT(NorthPixels(image, top), 5);
  EXPECT_EQ(NorthPixels(image, left), 0);

  compass.SetHeading(90);
  image = test::Render(compass);
  EXPECT_EQ(NorthPixels(image, top), 0);
  EXPECT_GT(NorthPixels(image, left), 5);
  EXPECT_EQ(NorthPixels(image, right), 0);
}

}  // namespace
}  // namespace tarvel::widgets
