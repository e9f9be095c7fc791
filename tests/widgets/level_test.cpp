// LED bar and thermometer: what the position lights, clamping, and bad numbers.
#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "widgets/led_bar.h"
#include "widgets/pixels.h"
#include "widgets/thermometer.h"

namespace tarvel::widgets {
namespace {

using test::Brightest;
using test::BrightestIn;
using test::Render;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct BarCase {
  const char* name;
  Qt::Orientation orientation;
  bool reversed;
  QRect low_end;  // the first 10 px of the track at the end the bar grows from
  QRect far_end;  // the last 10 px
};

void PrintTo(const BarCase& c, std::ostream* os) {
  *os << c.name;
}

class LedBarEnds : public ::testing::TestWithParam<BarCase> {
 protected:
  void SetUp() override {
    const BarCase& c = GetParam();
    bar_.SetOrientation(c.orientation);
    bar_.SetReversed(c.reversed);
    bar_.resize(c.orientation == Qt::Vertical ? QSize(30, 170) : QSize(170, 30));
    bar_.SetRange(900, 2100);
  }
  bool Lit(const QRect& region) {
    const QColor c = BrightestIn(Render(bar_), region);
    return c.green() > 150 && c.red() < 150;
  }
  bool Dark(const QRect& region) { return Brightest(BrightestIn(Render(bar_), region)) < 110; }

  LedBar bar_;
};

TEST_P(LedBarEnds, LightsFromTheLowEndTowardsTheFarEnd) {
  const BarCase& c = GetParam();
  bar_.SetPosition(900);
  EXPECT_TRUE(Dark(c.low_end));
  EXPECT_TRUE(Dark(c.far_end));

  bar_.SetPosition(1500);
  EXPECT_TRUE(Lit(c.low_end));
  EXPECT_TRUE(Dark(c.far_end));

  bar_.SetPosition(2100);
  EXPECT_TRUE(Lit(c.low_end));
  EXPECT_TRUE(Lit(c.far_end));
}

INSTANTIATE_TEST_SUITE_P(
    Directions, LedBarEnds,
    ::testing::Values(
        BarCase{"up", Qt::Vertical, false, QRect(10, 155, 10, 10), QRect(10, 5, 10, 10)},
        BarCase{"down", Qt::Vertical, true, QRect(10, 5, 10, 10), QRect(10, 155, 10, 10)},
        BarCase{"right", Qt::Horizontal, false, QRect(5, 10, 10, 10), QRect(155, 10, 10, 10)},
        BarCase{"left", Qt::Horizontal, true, QRect(155, 10, 10, 10), QRect(5, 10, 10, 10)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LedBar, ClampsInfinitiesAndIgnoresNaN) {
  LedBar bar;
  bar.resize(30, 170);
  bar.SetRange(900, 2100);
  bar.SetPosition(1500);

  bar.SetPosition(kNaN);
  EXPECT_EQ(bar.Position(), 1500);
  bar.SetPosition(kInf);
  EXPECT_EQ(bar.Position(), 2100);
  EXPECT_EQ(bar.LitSegments(), bar.SegmentCount());
  bar.SetPosition(-kInf);
  EXPECT_EQ(bar.Position(), 900);
  EXPECT_EQ(bar.LitSegments(), 0);
  bar.SetPosition(5000);
  EXPECT_EQ(bar.Position(), 2100);
  Render(bar);  // draws without trouble after all of that
}

TEST(LedBar, RangeChangesKeepThePositionInsideAndSurviveBadBounds) {
  LedBar bar;
  bar.resize(30, 170);
  bar.SetRange(0, 100);
  bar.SetPosition(80);

  bar.SetRange(50, 0);  // swapped
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 50);
  EXPECT_EQ(bar.Position(), 50);

  bar.SetRange(kNaN, 10);  // ignored
  bar.SetRange(0, kInf);   // ignored
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 50);

  bar.SetRange(7, 7);  // empty range: nothing lit, nothing divided by zero
  EXPECT_EQ(bar.Position(), 7);
  EXPECT_EQ(bar.LitSegments(), 0);
  Render(bar);
}

TEST(LevelInstruments, ExtremeRangesDrawWithoutOverflowOrEndlessScales) {
  // A span that overflows to infinity, and one so far from zero that 1 is below its precision.
  const std::pair<double, double> ranges[] = {{-1e308, 1e308}, {1e18, 1e18 + 4096}};
  for (const auto& [min, max] : ranges) {
    LedBar bar;
    bar.resize(30, 170);
    bar.SetRange(min, max);
    Thermometer t;
    t.resize(44, 190);
    t.SetRange(min, max);
    for (double p : {min, max, (min + max) / 2}) {
      bar.SetPosition(p);
      t.SetPosition(p);
      EXPECT_GE(bar.LitSegments(), 0);
      EXPECT_LE(bar.LitSegments(), bar.SegmentCount());
      Render(bar);
      Render(t);
    }
  }
}

// Pixels of the column colour: grows with the height of the column (the bulb is always full).
int ColumnPixels(Thermometer& t) {
  return test::CountNear(Render(t), t.ColumnColor(), 70);
}

TEST(Thermometer, ColumnRisesWithTheTemperatureAndStopsAtTheEnds) {
  Thermometer t;
  t.resize(44, 190);
  t.SetRange(-20, 80);

  t.SetPosition(-20);
  const int at_min = ColumnPixels(t);
  t.SetPosition(25);
  const int at_mid = ColumnPixels(t);
  t.SetPosition(80);
  const int at_max = ColumnPixels(t);
  EXPECT_GT(at_min, 0);  // the bulb
  EXPECT_GT(at_mid, at_min + 100);
  EXPECT_GT(at_max, at_mid + 100);

  t.SetPosition(500);
  EXPECT_EQ(t.Position(), 80);
  EXPECT_EQ(ColumnPixels(t), at_max);
  t.SetPosition(-kInf);
  EXPECT_EQ(t.Position(), -20);
  EXPECT_EQ(ColumnPixels(t), at_min);
  t.SetPosition(25);
  t.SetPosition(kNaN);
  EXPECT_EQ(t.Position(), 25);
  EXPECT_EQ(ColumnPixels(t), at_mid);
}

}  // namespace
}  // namespace tarvel::widgets
