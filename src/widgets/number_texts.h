#pragma once
// The number texts of the read-outs as QStrings: Fixed(v, 1) is the "0.0" pattern (rounded,
// at least one digit before the point, never "-0.0"), Decimal(v) the shortest plain decimal
// text. Single and double precision keep their own shortest forms (1.1f is "1.1", not
// "1.10000002384185791").

#include <QString>

#include "format/number_text.h"

namespace tarvel::widgets {

inline QString Fixed(double value, int decimals) {
  return QString::fromStdString(format::FormatFixed(value, decimals));
}

inline QString Decimal(double value) {
  return QString::fromStdString(format::DecimalText(value));
}

inline QString Decimal(float value) {
  return QString::fromStdString(format::DecimalText(value));
}

}  // namespace tarvel::widgets
