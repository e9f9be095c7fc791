// The pitch-ladder image, pixel by pixel: colours, horizon rows, marks and labels.
#include <gtest/gtest.h>

#include <set>

#include "views/pitch_ladder.h"

namespace tarvel::views {
namespace {

constexpr QRgb kWhite = 0xffffffff;

TEST(PitchLadder, EveryPixelHasTheColourOfItsRegion) {
  const QImage& image = PitchLadderImage();
  ASSERT_EQ(image.size(), QSize(200, 1000));
  std::set<std::pair<int, int>> marks;
  std::set<int> label_rows;  // rows where the label columns may be white
  for (const PitchMark& m : kPitchMarks) {
    for (const int row : {m.sky_row, 1000 - m.sky_row}) {
      for (int x = m.left; x <= m.right; ++x)
        marks.insert({x, row});
      for (int d = -4; m.label && d <= 4; ++d)
        label_rows.insert(row + d);
    }
  }
  const auto in_label = [](int x) {
    return (x >= kLeftLabelX && x < kLeftLabelX + kLabelWidth) ||
           (x >= kRightLabelX && x < kRightLabelX + kLabelWidth);
  };
  const std::set<QRgb> sky{kSkyBase.rgb(), kSkyLight.rgb(), kSkyDark.rgb()};
  const std::set<QRgb> ground{kGroundBase.rgb(), kGroundLight.rgb(), kGroundDark.rgb()};
  std::set<int> white_label_rows;
  int base = 0, shaded = 0;
  for (int y = 0; y < 1000; ++y) {
    for (int x = 0; x < 200; ++x) {
      const QRgb c = image.pixel(x, y);
      if (marks.contains({x, y}) || y == 500) {
        ASSERT_EQ(c, kWhite) << x << "," << y;
      } else if (y == 499 || y == 501) {  // half white, half sky or ground
        ASSERT_EQ(c, y == 499 ? qRgb(132, 205, 225) : qRgb(192, 171, 144)) << x;
      } else if (in_label(x) && c == kWhite) {
        white_label_rows.insert(y);
      } else {
        ASSERT_TRUE((y < 499 ? sky : ground).contains(c)) << x << "," << y;
        // The outermost rows are plain, so the fill beyond the image meets them without a seam.
        if (y == 0 || y == 999) {
          ASSERT_TRUE(c == kSkyBase.rgb() || c == kGroundBase.rgb());
        }
        (c == kSkyBase.rgb() || c == kGroundBase.rgb() ? base : shaded) += 1;
      }
    }
  }
  EXPECT_EQ(white_label_rows, label_rows);  // 9-row labels on the labelled marks only
  EXPECT_GT(base, 4 * shaded);              // lightly textured
  EXPECT_GT(shaded, 4000);
}

}  // namespace
}  // namespace tarvel::views
