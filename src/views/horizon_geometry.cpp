#include "views/horizon_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvel::views {
namespace {

constexpr double kLadderPixelsPerDegree = 2.7;
// Degrees to radians as the instrument has always converted them: a hair short of pi / 180, so
// a full turn of 360 leaves a sine of about -2e-9 rather than 0. It changes no pixel.
constexpr double kRadiansPerDegree = 0.01745329251322222;

constexpr double kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr double kInt32Max = std::numeric_limits<std::int32_t>::max();

std::int32_t SaturatedInt32(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<std::int32_t>(std::clamp(NearestEven(value), kInt32Min, kInt32Max));
}

std::int32_t NearestOf(float value) {
  return SaturatedInt32(static_cast<double>(value));
}

SymbolRect Rect(bool white, float x1, float y1, float x2, float y2) {
  const std::int32_t ax = NearestOf(x1), ay = NearestOf(y1);
  const std::int32_t bx = NearestOf(x2), by = NearestOf(y2);
  return {white, std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
}

}  // namespace

double NearestEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  if (fraction < 0.5) return below;
  if (fraction > 0.5) return below + 1.0;
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<std::int32_t> NearestInt32(double value) {
  const double rounded = NearestEven(value);
  // The comparisons are false for NaN, which therefore never fits.
  if (!(rounded >= kInt32Min && rounded <= kInt32Max)) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

std::int16_t TurnAngle(double roll) {
  const std::optional<std::int32_t> degrees = NearestInt32(roll);
  if (!degrees) return 0;
  return static_cast<std::int16_t>(*degrees % 360 + 360);
}

std::int32_t SourceTop(double pitch) {
  return NearestInt32((1.0 - pitch * kLadderPixelsPerDegree) - 2.0).value_or(0);
}

BlitCorners RotateBlitCorners(std::int32_t cx, std::int32_t cy, std::int32_t angle,
                              std::int32_t width, std::int32_t height) {
  const std::int32_t left = SaturatedInt32(-static_cast<double>(width) * 0.5);
  const std::int32_t top = SaturatedInt32(-static_cast<double>(height) * 0.5);
  // Summed in 64 bits: the corner offsets may not fit 32 bits for extreme sizes.
  const auto offset = [](std::int32_t a, std::int32_t b) {
    return static_cast<double>(static_cast<std::int64_t>(a) + b);
  };

  const double theta = angle * kRadiansPerDegree;
  const double s = static_cast<float>(std::sin(theta));
  const double c = static_cast<float>(std::cos(theta));
  const auto turn = [&](double x, double y) {
    return Point{SaturatedInt32(x * c - y * s + cx), SaturatedInt32(x * s + y * c + cy)};
  };
  return {turn(left, top), turn(offset(left, width), top), turn(left, offset(top, height))};
}

HorizonGeometry ComputeHorizonGeometry(double roll, double pitch, std::int32_t view_width,
                                       std::int32_t view_height) {
  HorizonGeometry g;
  g.angle = TurnAngle(roll);
  g.src_top = SourceTop(pitch);
  g.centre = {NearestOf(static_cast<float>(view_width) / 2.0f),
              NearestOf(static_cast<float>(view_height) / 2.0f)};
  g.corners = RotateBlitCorners(g.centre.x, g.centre.y, g.angle, kLadderWidth, kLadderHeight);
  return g;
}

std::array<SymbolRect, 10> AircraftSymbol(float view_width, float view_height) {
  const float sw = view_width;
  const float sh = view_height;
  const float mid = sh / 2.0f;
  const float bar = sh / 35.0f;  // thickness of the wings and width of their tips
  const float third = sw / 3.0f;
  const float two_thirds = 2.0f * sw / 3.0f;
  const float half_square = sw / 45.0f;
  // Each coordinate is summed left to right in single precision: height/2 + bar + 2 is
  // (height/2 + bar) + 2. Changing the order can move an edge by a pixel.
  return {
      Rect(true, 8.0f, mid - 2.0f, third + 2.0f, mid + bar + 2.0f),
      Rect(true, third - bar - 2.0f, mid - 2.0f, third + 2.0f, mid + sh / 10.0f + 2.0f),
      Rect(true, two_thirds - 2.0f, mid - 2.0f, sw - 10.0f + 2.0f, mid + bar + 2.0f),
      Rect(true, two_thirds - 2.0f, mid - 2.0f, two_thirds + bar + 2.0f, mid + sh / 10.0f + 2.0f),
      Rect(true, sw / 2.0f - half_square - 2.0f, mid - 2.0f, sw / 2.0f + half_square + 2.0f,
           mid + sh / 30.0f + 2.0f),
      Rect(false, 10.0f, mid, third, mid + bar),
      Rect(false, third - bar, mid, third, mid + sh / 10.0f),
      Rect(false, two_thirds, mid, sw - 10.0f, mid + bar),
      Rect(false, two_thirds, mid, two_thirds + bar, mid + sh / 10.0f),
      Rect(false, sw / 2.0f - half_square, mid, sw / 2.0f + half_square, mid + sh / 30.0f),
  };
}

}  // namespace tarvel::views
