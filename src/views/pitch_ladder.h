#pragma once
// The pitch-ladder image the artificial horizon turns and shifts: a 200 x 1000 column of sky
// over ground, 2.7 pixels per degree of pitch, made here in code.
//
// Layout (row 0 at the top):
//  - rows 0..498 sky: kSkyBase, sprinkled with kSkyLight and kSkyDark;
//  - row 500 the white horizon line, rows 499 and 501 half white, half sky or ground;
//  - rows 502..999 ground: kGroundBase, sprinkled with kGroundDark and kGroundLight;
//  - white marks one pixel high, centred, mirrored about the horizon (sky row r, ground row
//    1000 - r): kPitchMarks lists them; long marks at 10, 20, 30, 40, 60 and 90 degrees carry
//    9-pixel white digits left (x 55..70) and right (x 129..144) of the mark, centred on its row.
// The outermost rows (0 and 999) are plain base colour, so the picture can be continued past the
// image's ends with kSkyBase and kGroundBase without a visible seam.

#include <QColor>
#include <QImage>
#include <array>

namespace tarvel::views {

inline constexpr QColor kSkyBase{8, 154, 195};
inline constexpr QColor kSkyLight{9, 169, 204};
inline constexpr QColor kSkyDark{7, 137, 184};
inline constexpr QColor kGroundBase{129, 87, 32};
inline constexpr QColor kGroundDark{108, 72, 27};
inline constexpr QColor kGroundLight{148, 100, 37};

inline constexpr int kHorizonRow = 500;

struct PitchMark {
  int sky_row;  // the ground mark is on row 1000 - sky_row
  int left;     // first and last column of the mark
  int right;
  const char* label;  // digits beside a long mark, or nullptr
};

inline constexpr int kShortLeft = 92, kShortRight = 107;    // 16 px
inline constexpr int kMediumLeft = 84, kMediumRight = 115;  // 32 px
inline constexpr int kLongLeft = 74, kLongRight = 125;      // 52 px
inline constexpr int kLeftLabelX = 55, kRightLabelX = 129;  // first column of a label
inline constexpr int kLabelWidth = 16, kLabelHeight = 9;

// Every 2.5 degrees up to 40, then every 10 up to 90.
inline constexpr std::array<PitchMark, 21> kPitchMarks{{
    {494, kShortLeft, kShortRight, nullptr},    // 2.5
    {487, kMediumLeft, kMediumRight, nullptr},  // 5
    {480, kShortLeft, kShortRight, nullptr},    // 7.5
    {473, kLongLeft, kLongRight, "10"},         // 10
    {466, kShortLeft, kShortRight, nullptr},    // 12.5
    {459, kMediumLeft, kMediumRight, nullptr},  // 15
    {452, kShortLeft, kShortRight, nullptr},    // 17.5
    {445, kLongLeft, kLongRight, "20"},         // 20
    {438, kShortLeft, kShortRight, nullptr},    // 22.5
    {431, kMediumLeft, kMediumRight, nullptr},  // 25
    {424, kShortLeft, kShortRight, nullptr},    // 27.5
    {417, kLongLeft, kLongRight, "30"},         // 30
    {410, kShortLeft, kShortRight, nullptr},    // 32.5
    {403, kMediumLeft, kMediumRight, nullptr},  // 35
    {396, kShortLeft, kShortRight, nullptr},    // 37.5
    {389, kLongLeft, kLongRight, "40"},         // 40
    {363, kLongLeft, kLongRight, nullptr},      // 50
    {337, kLongLeft, kLongRight, "60"},         // 60
    {311, kLongLeft, kLongRight, nullptr},      // 70
    {285, kLongLeft, kLongRight, nullptr},      // 80
    {259, kLongLeft, kLongRight, "90"},         // 90
}};

// The ladder image (Format_RGB32), built on first use and shared afterwards. Safe to call from
// any thread; needs no QGuiApplication.
const QImage& PitchLadderImage();

}  // namespace tarvel::views
