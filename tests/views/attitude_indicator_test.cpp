// The drawn horizon: where the horizon and the symbol land, the turn, how texts read, extremes.
#include <gtest/gtest.h>

#include <QPainter>
#include <string>
#include <vector>

#include "views/attitude_indicator.h"
#include "views/attitude_indicator_view.h"
#include "views/pitch_ladder.h"

namespace tarvel::views {
namespace {

constexpr int kCx = 78, kCy = 58;  // centre of the 157 x 117 view
constexpr QRgb kWhite = 0xffffffff, kBlack = 0xff000000;
// Wings 2 x (43 x 5 + 4 x 8) and centre 8 x 5 black; 2 x (47 x 9 + 8 x 8) + 12 x 9 in all.
constexpr int kSymbolBlack = 534, kSymbolWhite = 1082 - kSymbolBlack;

bool IsSky(QRgb c) {
  return qBlue(c) > qRed(c) + 40;
}
bool IsGround(QRgb c) {
  return qRed(c) > qBlue(c) + 40;
}

std::vector<int> WhiteRows(const QImage& image, int x) {
  std::vector<int> rows;
  for (int y = 0; y < image.height(); ++y)
    if (image.pixel(x, y) == kWhite) rows.push_back(y);
  return rows;
}

int Count(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      n += image.pixel(x, y) == colour;
  return n;
}

TEST(AttitudeIndicator, HorizonRowFollowsPitchAndTheWingTopsStayOnTheCentreRow) {
  // Columns 4 and 152 lie beside the symbol and the marks: only the horizon is white there.
  const std::pair<const char*, int> cases[] = {
      {"0", kCy + 1}, {"10", kCy + 28}, {"-10", kCy - 26}, {"5", kCy + 14}, {"1e9", kCy}};
  for (const auto& [pitch, row] : cases) {
    const QImage image = DrawAttitudeIndicator("0", pitch);
    for (const int x : {4, 152}) {
      EXPECT_EQ(WhiteRows(image, x), std::vector<int>{row}) << pitch;
      EXPECT_TRUE(IsSky(image.pixel(x, row - 1)) && IsGround(image.pixel(x, row + 1))) << pitch;
    }
    for (const int x : {30, 130}) {  // two white rows, then the black wing from the centre row
      EXPECT_TRUE(IsSky(image.pixel(x, kCy - 3)) || IsGround(image.pixel(x, kCy - 3)));
      EXPECT_EQ(image.pixel(x, kCy - 2) & image.pixel(x, kCy - 1), kWhite);
      EXPECT_EQ(image.pixel(x, kCy) | image.pixel(x, kCy + 4), kBlack);
    }
  }
}

TEST(AttitudeIndicator, PositiveRollTextTurnsThePictureClockwise) {
  // Level, the points below the centre would show ground and those above it sky.
  const QImage clockwise = DrawAttitudeIndicator("30", "0");
  EXPECT_TRUE(IsSky(clockwise.pixel(kCx + 50, kCy + 12)));
  EXPECT_TRUE(IsGround(clockwise.pixel(kCx - 50, kCy - 12)));
  const QImage anticlockwise = DrawAttitudeIndicator("-30", "0");
  EXPECT_TRUE(IsSky(anticlockwise.pixel(kCx - 50, kCy + 12)));
  EXPECT_TRUE(IsGround(anticlockwise.pixel(kCx + 50, kCy - 12)));
}

TEST(AttitudeIndicator, TextsReadAsTheirLeadingNumber) {
  using Pair = std::pair<const char*, const char*>;
  const Pair both[] = {{"", "0"}, {"nan", "0"}, {"12abc", "12"}, {" 1.2e1,5", "12"}};
  for (const auto& [text, same] : both) {
    EXPECT_EQ(DrawAttitudeIndicator(text, "0"), DrawAttitudeIndicator(same, "0")) << text;
    EXPECT_EQ(DrawAttitudeIndicator("0", text), DrawAttitudeIndicator("0", same)) << text;
  }
  for (const auto& [text, same] : {Pair{"-30.5", "-30"}, Pair{"720", "0"}, Pair{"390", "30"}})
    EXPECT_EQ(DrawAttitudeIndicator(text, "0"), DrawAttitudeIndicator(same, "0")) << text;
  EXPECT_NE(DrawAttitudeIndicator("12", "0"), DrawAttitudeIndicator("0", "0"));
  EXPECT_NE(DrawAttitudeIndicator("0", "12"), DrawAttitudeIndicator("0", "0"));
}

TEST(AttitudeIndicator, AnyAttitudeFillsTheViewAndKeepsTheSymbolStill) {
  // The turned 200-pixel band covers the whole default view, so the only black pixels are the
  // symbol's, at the same place for every turn and shift, even for absurd numbers.
  const QImage level = DrawAttitudeIndicator("0", "0");
  ASSERT_EQ(Count(level, kBlack), kSymbolBlack);
  std::vector<std::string> rolls = {"1e308", "-2147483648", "2147483648", "99999999999999999999"};
  for (int roll = -360; roll <= 360; roll += 3)
    rolls.push_back(std::to_string(roll));
  for (const char* pitch : {"0", "45", "-90", "90", "1000", "-1000", "1e8", "-1e8", "-1e308"}) {
    for (const std::string& roll : rolls) {
      const QImage image = DrawAttitudeIndicator(roll, pitch);
      ASSERT_EQ(image.size(), kPiczitaiSize);
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
          ASSERT_EQ(image.pixel(x, y) == kBlack, level.pixel(x, y) == kBlack)
              << roll << " " << pitch << " at " << x << "," << y;
    }
  }
  // Far past the ladder's ends the sky or the ground goes on, plain.
  for (const char* roll : {"0", "37"}) {
    const int behind_symbol = 157 * 117 - kSymbolBlack - kSymbolWhite;
    EXPECT_EQ(Count(DrawAttitudeIndicator(roll, "1000"), kSkyBase.rgb()), behind_symbol);
    EXPECT_EQ(Count(DrawAttitudeIndicator(roll, "-1e8"), kGroundBase.rgb()), behind_symbol);
  }
}

TEST(AttitudeIndicator, LargerViewsShowTheBackgroundBeyondTheBand) {
  EXPECT_EQ(DrawAttitudeIndicator("45", "0", QSize(300, 260)).pixel(0, 0),
            kHorizonBackground.rgb());
  EXPECT_TRUE(DrawAttitudeIndicator("0", "0", QSize(0, 117)).isNull());
}

TEST(AttitudeIndicator, RotateBlitCopiesEachSourcePixelOntoTheParallelogram) {
  QImage source(20, 10, QImage::Format_RGB32);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x)
      source.setPixel(x, y, qRgb(x * 10, y * 20, 7));
  // Window (0, -3, 20, 10) centred on (50, 50): window pixel (u, v) lands on
  // (x0 + xu * u + xv * v, y0 + yu * u + yv * v); its first three rows lie above the source.
  struct Case {
    int angle, x0, xu, xv, y0, yu, yv;
  };
  for (const Case& c : {Case{0, 40, 1, 0, 45, 0, 1}, Case{90, 54, 0, -1, 40, 1, 0},
                        Case{180, 59, -1, 0, 54, 0, -1}, Case{270, 45, 0, 1, 59, -1, 0}}) {
    QImage dest(100, 100, QImage::Format_RGB32);
    dest.fill(Qt::black);
    QPainter painter(&dest);
    RotateBlit(painter, 50, 50, c.angle, source, 0, -3, 20, 10);
    painter.end();
    EXPECT_EQ(Count(dest, kBlack), 100 * 100 - 20 * 7) << c.angle;  // rows above stay as they were
    for (int v = 3; v < 10; ++v)
      for (int u = 0; u < 20; ++u)
        ASSERT_EQ(dest.pixel(c.x0 + c.xu * u + c.xv * v, c.y0 + c.yu * u + c.yv * v),
                  source.pixel(u, v - 3))
            << c.angle << ": " << u << "," << v;
  }
}

TEST(AttitudeIndicatorView, ShowsTheLastImageAtItsFixedSize) {
  AttitudeIndicatorView view;
  const QImage image = DrawAttitudeIndicator("-20", "15");
  view.SetImage(image);
  EXPECT_EQ(view.size(), kPiczitaiSize);
  EXPECT_EQ(view.grab().toImage().convertToFormat(QImage::Format_RGB32), image);
}

}  // namespace
}  // namespace tarvel::views
