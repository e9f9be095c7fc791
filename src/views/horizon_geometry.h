#pragma once
// The arithmetic of the artificial horizon, kept apart from the pixels so every number the
// drawing uses can be checked on its own. Plain C++, no Qt.
//
// Contract:
//  - Roundings to whole numbers go to the nearest integer with halves to even (2.5 -> 2,
//    3.5 -> 4), the rule the rest of the station uses.
//  - The roll angle and the source row are whole 32-bit numbers. An input whose rounded value
//    does not fit gives 0 instead (no turn, source window starting at row 0); NaN and the
//    infinities count as not fitting.
//  - Sizes and the aircraft symbol are worked out in single precision, the turn's sine and cosine
//    are single-precision values, everything else is double precision.

#include <array>
#include <cstdint>
#include <optional>

namespace tarvel::views {

// Size of the pitch-ladder image, in pixels.
inline constexpr std::int32_t kLadderWidth = 200;
inline constexpr std::int32_t kLadderHeight = 1000;

// `value` rounded to the nearest integer, halves to even. NaN stays NaN, infinities stay.
double NearestEven(double value);

// NearestEven(value) when it fits a signed 32-bit integer, nothing otherwise.
std::optional<std::int32_t> NearestInt32(double value);

// The turn in whole degrees for a roll value: (nearest(roll) mod 360) + 360 with a truncating
// mod, so it lies in 1..719 (-30 -> 330, 0 -> 360, 370 -> 370); 0 when nearest(roll) does not
// fit 32 bits.
std::int16_t TurnAngle(double roll);

// First source row of the ladder window for a pitch value: nearest((1 - pitch * 2.7) - 2), -1 for
// pitch 0; 0 when that does not fit 32 bits. 2.7 is the ladder's scale in pixels per degree.
std::int32_t SourceTop(double pitch);

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Destination corners of a width x height rectangle centred on (cx, cy) and turned by `angle`
// degrees about that centre; with y growing downwards a positive angle turns clockwise.
// Coordinates that would leave the 32-bit range are held at its ends.
struct BlitCorners {
  Point upper_left;
  Point upper_right;
  Point lower_left;
  friend bool operator==(const BlitCorners&, const BlitCorners&) = default;
};
BlitCorners RotateBlitCorners(std::int32_t cx, std::int32_t cy, std::int32_t angle,
                              std::int32_t width, std::int32_t height);

// Everything the drawing derives from the two angles and the view size.
struct HorizonGeometry {
  std::int16_t angle = 0;    // turn in degrees, see TurnAngle
  std::int32_t src_top = 0;  // first ladder row of the window, see SourceTop
  Point centre;              // (nearest(width / 2), nearest(height / 2)), halved in single
  BlitCorners corners;       // where the 200 x 1000 ladder window lands
};
HorizonGeometry ComputeHorizonGeometry(double roll, double pitch, std::int32_t view_width,
                                       std::int32_t view_height);

// One filled rectangle of the aircraft symbol, both corner pixels included.
struct SymbolRect {
  bool white = false;  // white outline or black fill
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const SymbolRect&, const SymbolRect&) = default;
};

// The aircraft symbol for a view of the given size, in drawing order: five white rectangles
// (wings, downward wing tips, centre square) then the five black ones that leave a 2-pixel white
// border. It depends only on the view size, never on the attitude. The top of the black wings
// lies on nearest(height / 2), the centre row.
std::array<SymbolRect, 10> AircraftSymbol(float view_width, float view_height);

}  // namespace tarvel::views
