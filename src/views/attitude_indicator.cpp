#include "views/attitude_indicator.h"

#include <QPainter>
#include <algorithm>

#include "format/lenient_number.h"
#include "views/pitch_ladder.h"

namespace tarvel::views {
namespace {

// Rows v (0..kLadderHeight) of the ladder window whose source rows lie in [first, last).
struct WindowRows {
  std::int64_t begin;
  std::int64_t end;
  bool empty() const { return begin >= end; }
};
WindowRows RowsOfWindow(std::int32_t src_top, std::int64_t first, std::int64_t last) {
  return {std::clamp<std::int64_t>(first - src_top, 0, kLadderHeight),
          std::clamp<std::int64_t>(last - src_top, 0, kLadderHeight)};
}

// Sky above the ladder image and ground below it, laid under the transfer so that a window
// reaching past the image's ends shows the sky or ground going on.
void FillBeyondLadder(QPainter& painter, const HorizonGeometry& g) {
  painter.save();
  painter.setTransform(ParallelogramTransform(g.corners, kLadderWidth, kLadderHeight));
  const WindowRows above = RowsOfWindow(g.src_top, g.src_top, 0);
  if (!above.empty()) {
    painter.fillRect(QRectF(0, above.begin, kLadderWidth, above.end - above.begin), kSkyBase);
  }
  const WindowRows below =
      RowsOfWindow(g.src_top, kLadderHeight, static_cast<std::int64_t>(g.src_top) + kLadderHeight);
  if (!below.empty()) {
    painter.fillRect(QRectF(0, below.begin, kLadderWidth, below.end - below.begin), kGroundBase);
  }
  painter.restore();
}

void DrawAircraftSymbol(QPainter& painter, QSize size) {
  for (const SymbolRect& r :
       AircraftSymbol(static_cast<float>(size.width()), static_cast<float>(size.height()))) {
    painter.fillRect(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)),
                     r.white ? QColor(255, 255, 255) : QColor(0, 0, 0));
  }
}

}  // namespace

QTransform ParallelogramTransform(const BlitCorners& corners, std::int32_t width,
                                  std::int32_t height) {
  const Point& o = corners.upper_left;
  const double w = width, h = height;
  return QTransform((corners.upper_right.x - static_cast<double>(o.x)) / w,
                    (corners.upper_right.y - static_cast<double>(o.y)) / w,
                    (corners.lower_left.x - static_cast<double>(o.x)) / h,
                    (corners.lower_left.y - static_cast<double>(o.y)) / h, o.x, o.y);
}

void RotateBlit(QPainter& dest, std::int32_t cx, std::int32_t cy, std::int32_t angle,
                const QImage& source, std::int32_t x_src, std::int32_t y_src, std::int32_t width,
                std::int32_t height) {
  if (width <= 0 || height <= 0 || source.isNull()) return;
  // What of the source rectangle lies inside the image, in 64 bits: the window may lie anywhere.
  const std::int64_t left = std::max<std::int64_t>(x_src, 0);
  const std::int64_t top = std::max<std::int64_t>(y_src, 0);
  const std::int64_t right = std::min<std::int64_t>(std::int64_t{x_src} + width, source.width());
  const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y_src} + height, source.height());
  if (left >= right || top >= bottom) return;

  dest.save();
  dest.setRenderHint(QPainter::SmoothPixmapTransform, false);
  dest.setRenderHint(QPainter::Antialiasing, false);
  dest.setTransform(
      ParallelogramTransform(RotateBlitCorners(cx, cy, angle, width, height), width, height));
  // Drawn in window coordinates (0..width, 0..height) so the transform's numbers stay small
  // however far the window lies from the image.
  const QRect inside(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                     static_cast<int>(bottom - top));
  dest.drawImage(QRectF(static_cast<double>(left - x_src), static_cast<double>(top - y_src),
                        inside.width(), inside.height()),
                 source, inside);
  dest.restore();
}

QImage DrawAttitudeIndicator(std::string_view roll_text, std::string_view pitch_text, QSize size) {
  if (size.isEmpty()) return {};
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) return image;  // too large to allocate
  image.fill(kHorizonBackground);

  const HorizonGeometry g =
      ComputeHorizonGeometry(format::ParseLeadingNumber(roll_text),
                             format::ParseLeadingNumber(pitch_text), size.width(), size.height());
  QPainter painter(&image);
  FillBeyondLadder(painter, g);
  RotateBlit(painter, g.centre.x, g.centre.y, g.angle, PitchLadderImage(), 0, g.src_top,
             kLadderWidth, kLadderHeight);
  DrawAircraftSymbol(painter, size);
  return image;
}

}  // namespace tarvel::views
