#pragma once
// The artificial horizon of the main window, drawn as a picture: the pitch ladder turned by the
// bank angle and shifted by the pitch, with the fixed aircraft symbol on top.
//
// Contract:
//  - DrawAttitudeIndicator keeps no state: every call draws the whole picture from its two texts
//    and the view size into a new off-screen image, which the caller puts on screen at once.
//  - The texts are read leniently (format::ParseLeadingNumber): blanks skipped, optional sign,
//    digits, "." and an optional exponent, anything after ignored; a text without a number reads
//    as 0 ("12abc" is 12, "nan" and "" are 0). The refresh passes the text of -roll as roll_text,
//    so a positive roll_text turns the picture clockwise; a positive pitch moves the horizon down,
//    2.7 pixels per degree. At pitch 0 the horizon lies one row below the centre row.
//  - A text whose rounded angle or ladder row does not fit 32 bits draws as 0 for that value (no
//    turn, or the ladder window starting at row 0), see horizon_geometry.h.
//  - Beyond the ladder's ends the sky and the ground go on in their base colours, so a pitch far
//    past 90 degrees shows plain sky or ground. kHorizonBackground shows only where the turned
//    ladder does not reach, in the corners of views whose half-diagonal exceeds 100 pixels.
//  - Drawing never writes outside the image; an empty size gives a null image.

#include <QColor>
#include <QImage>
#include <QSize>
#include <QTransform>
#include <cstdint>
#include <string_view>

#include "views/horizon_geometry.h"

class QPainter;

namespace tarvel::views {

// The main window's horizon view, Piczitai.
inline constexpr QSize kPiczitaiSize{157, 117};
inline constexpr QColor kHorizonBackground{0, 0, 0};

QImage DrawAttitudeIndicator(std::string_view roll_text, std::string_view pitch_text,
                             QSize size = kPiczitaiSize);

// Maps the rectangle (0, 0, width, height) onto the parallelogram whose upper-left, upper-right
// and lower-left corners are given; pixel edges map to pixel edges, so an unturned parallelogram
// is a plain shift by whole pixels.
QTransform ParallelogramTransform(const BlitCorners& corners, std::int32_t width,
                                  std::int32_t height);

// Transfers the rectangle (x_src, y_src, width, height) of `source` onto `dest` as a rectangle of
// the same size centred on (cx, cy) and turned by `angle` degrees about it (clockwise for a
// positive angle), corners as RotateBlitCorners gives them. Pixels are copied, not blended: each
// destination pixel takes the source pixel under its centre. Parts of the rectangle that lie
// outside `source` are left as they are in `dest`. The painter's state is restored afterwards.
void RotateBlit(QPainter& dest, std::int32_t cx, std::int32_t cy, std::int32_t angle,
                const QImage& source, std::int32_t x_src, std::int32_t y_src, std::int32_t width,
                std::int32_t height);

}  // namespace tarvel::views
