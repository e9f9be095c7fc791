// The horizon's numbers without pixels. Expected values are worked out by hand.
#include <gtest/gtest.h>

#include <limits>

#include "views/horizon_geometry.h"

namespace tarvel::views {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(HorizonGeometry, TurnAngleRoundsHalvesToEvenFoldsWithATruncatingModAndDropsOverflow) {
  // 2147483647 mod 360 = 127; 2147483647.5 rounds to 2^31, which does not fit; -2147483648.5
  // halves to the even -2^31, which does: -128 + 360.
  const std::pair<double, int> cases[] = {
      {0, 360},    {30, 390},  {-30, 330}, {-30.5, 330},      {2.5, 362},          {3.5, 364},
      {-0.4, 360}, {720, 360}, {-359, 1},  {359.4, 719},      {2147483647, 487},   {3e9, 0},
      {-1e308, 0}, {kInf, 0},  {kNaN, 0},  {2147483647.5, 0}, {-2147483648.5, 232}};
  for (const auto& [roll, angle] : cases)
    EXPECT_EQ(TurnAngle(roll), angle) << roll;
}

TEST(HorizonGeometry, SourceTopMovesTwoPointSevenRowsPerDegreeAndDropsOverflow) {
  // Pitch 5 gives -14.5, halved to even; 795364313 gives the last row that fits 32 bits.
  const std::pair<double, int> cases[] = {
      {0, -1},        {10, -28}, {-10, 26},  {90, -244},
      {-90, 242},     {0.2, -2}, {5, -14},   {795364313, -2147483646},
      {795364314, 0}, {-1e9, 0}, {1e308, 0}, {-kInf, 0},
      {kNaN, 0}};
  for (const auto& [pitch, row] : cases)
    EXPECT_EQ(SourceTop(pitch), row) << pitch;
}

TEST(HorizonGeometry, CornersTurnClockwiseAboutTheCentreOfTheView) {
  const std::pair<int, BlitCorners> cases[] = {
      {360, {{-22, -442}, {178, -442}, {-22, 558}}},
      // cos 30 = 0.8660254, sin 30 = 0.5: (-100, -500) -> (-86.6 + 250 + 78, -50 - 433.0 + 58)
      {390, {{241, -425}, {415, -325}, {-259, 441}}},
      {330, {{-259, -325}, {-85, -425}, {241, 541}}},
      {450, {{578, -42}, {578, 158}, {-422, -42}}},
  };
  for (const auto& [angle, corners] : cases) {
    const HorizonGeometry g = ComputeHorizonGeometry(angle - 360, 0, 157, 117);
    EXPECT_EQ(g.centre, (Point{78, 58}));  // 78.5 and 58.5 halve to even
    EXPECT_EQ(g.corners, corners) << angle;
  }
  EXPECT_EQ(ComputeHorizonGeometry(0, 0, 158, 118).centre, (Point{79, 59}));
}

TEST(HorizonGeometry, AircraftSymbolOfTheDefaultView) {
  // SW/3 = 52.33, 2SW/3 = 104.67, SH/35 = 3.34, SH/10 = 11.7, SH/30 = 3.9, SW/45 = 3.49,
  // SH/2 = 58.5 (-> 58).
  const std::array<SymbolRect, 10> expected{{
      {true, 8, 56, 54, 64},
      {true, 47, 56, 54, 72},
      {true, 103, 56, 149, 64},
      {true, 103, 56, 110, 72},
      {true, 73, 56, 84, 64},
      {false, 10, 58, 52, 62},
      {false, 49, 58, 52, 70},
      {false, 105, 58, 147, 62},
      {false, 105, 58, 108, 70},
      {false, 75, 58, 82, 62},
  }};
  EXPECT_EQ(AircraftSymbol(157, 117), expected);
}

}  // namespace
}  // namespace tarvel::views
