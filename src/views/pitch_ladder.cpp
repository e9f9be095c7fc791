#include "views/pitch_ladder.h"

#include <cstdint>
#include <string_view>

#include "views/horizon_geometry.h"

namespace tarvel::views {
namespace {

constexpr QRgb kWhite = 0xffffffff;

// 7 x 9 digits with two-pixel strokes, readable at the ladder's size without any font.
constexpr int kGlyphWidth = 7;
constexpr std::array<std::array<const char*, 9>, 10> kDigits{{
    {" ##### ", "##   ##", "##   ##", "##   ##", "##   ##", "##   ##", "##   ##", "##   ##",
     " ##### "},
    {"   ##  ", "  ###  ", " ####  ", "   ##  ", "   ##  ", "   ##  ", "   ##  ", "   ##  ",
     " ######"},
    {" ##### ", "##   ##", "     ##", "    ## ", "   ##  ", "  ##   ", " ##    ", "##     ",
     "#######"},
    {" ##### ", "##   ##", "     ##", "     ##", "  #### ", "     ##", "     ##", "##   ##",
     " ##### "},
    {"    ## ", "   ### ", "  #### ", " ## ## ", "##  ## ", "#######", "    ## ", "    ## ",
     "    ## "},
    {"#######", "##     ", "##     ", "###### ", "     ##", "     ##", "     ##", "##   ##",
     " ##### "},
    {"  #### ", " ##    ", "##     ", "###### ", "##   ##", "##   ##", "##   ##", "##   ##",
     " ##### "},
    {"#######", "     ##", "    ## ", "    ## ", "   ##  ", "   ##  ", "  ##   ", "  ##   ",
     "  ##   "},
    {" ##### ", "##   ##", "##   ##", "##   ##", " ##### ", "##   ##", "##   ##", "##   ##",
     " ##### "},
    {" ##### ", "##   ##", "##   ##", "##   ##", " ######", "     ##", "     ##", "    ## ",
     " ####  "},
}};

// A fixed scatter of texture pixels: an integer hash of the position, so the image is the same
// on every run and every platform.
std::uint32_t Scatter(int x, int y) {
  std::uint32_t h =
      static_cast<std::uint32_t>(x) * 0x9e3779b1u ^ static_cast<std::uint32_t>(y) * 0x85ebca77u;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  return h & 0xff;
}

QRgb Textured(QColor base, QColor light, QColor dark, int x, int y) {
  const std::uint32_t h = Scatter(x, y);
  if (h < 20) return light.rgb();
  if (h >= 236) return dark.rgb();
  return base.rgb();
}

QRgb HalfWhite(QColor c) {
  return qRgb((c.red() + 255 + 1) / 2, (c.green() + 255 + 1) / 2, (c.blue() + 255 + 1) / 2);
}

void DrawLabel(QImage& image, int left, int centre_row, std::string_view digits) {
  const int top = centre_row - kLabelHeight / 2;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const auto& glyph = kDigits[static_cast<std::size_t>(digits[i] - '0')];
    const int x0 = left + static_cast<int>(i) * (kGlyphWidth + 2);
    for (int row = 0; row < kLabelHeight; ++row) {
      for (int col = 0; col < kGlyphWidth; ++col) {
        if (glyph[static_cast<std::size_t>(row)][col] == '#')
          image.setPixel(x0 + col, top + row, kWhite);
      }
    }
  }
}

void DrawMark(QImage& image, const PitchMark& mark, int row) {
  auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
  for (int x = mark.left; x <= mark.right; ++x)
    line[x] = kWhite;
  if (mark.label) {
    DrawLabel(image, kLeftLabelX, row, mark.label);
    DrawLabel(image, kRightLabelX, row, mark.label);
  }
}

QImage BuildLadder() {
  QImage image(kLadderWidth, kLadderHeight, QImage::Format_RGB32);
  for (int y = 0; y < kLadderHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const bool edge = y == 0 || y == kLadderHeight - 1;
    for (int x = 0; x < kLadderWidth; ++x) {
      if (y < kHorizonRow - 1) {
        line[x] = edge ? kSkyBase.rgb() : Textured(kSkyBase, kSkyLight, kSkyDark, x, y);
      } else if (y == kHorizonRow - 1) {
        line[x] = HalfWhite(kSkyBase);
      } else if (y == kHorizonRow) {
        line[x] = kWhite;
      } else if (y == kHorizonRow + 1) {
        line[x] = HalfWhite(kGroundBase);
      } else {
        line[x] = edge ? kGroundBase.rgb() : Textured(kGroundBase, kGroundLight, kGroundDark, x, y);
      }
    }
  }
  for (const PitchMark& mark : kPitchMarks) {
    DrawMark(image, mark, mark.sky_row);
    DrawMark(image, mark, kLadderHeight - mark.sky_row);
  }
  return image;
}

}  // namespace

const QImage& PitchLadderImage() {
  static const QImage ladder = BuildLadder();
  return ladder;
}

}  // namespace tarvel::views
