#include "widgets/wave_legend.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace tarvel::widgets {
namespace {

const QColor kText(225, 225, 225);
const QColor kHiddenText(140, 140, 140);
const QColor kBorder(150, 150, 150);
const QColor kFill(64, 64, 64);

constexpr int kMargin = 6;   // around the box, inside the column
constexpr int kPadding = 7;  // inside the box, around the rows
constexpr int kIconWidth = 18;
constexpr int kIconGap = 5;  // between the colour line and the title
constexpr int kRowGap = 2;

int RowHeight(const QFontMetrics& metrics) {
  return std::max(metrics.height(), 10) + kRowGap;
}

}  // namespace

WaveLegend::WaveLegend(std::vector<Entry> entries, const QColor& background, QWidget* parent)
    : QWidget(parent), entries_(std::move(entries)), background_(background) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void WaveLegend::SetShown(int index, bool shown) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  Entry& entry = entries_[static_cast<std::size_t>(index)];
  if (entry.shown == shown) return;
  entry.shown = shown;
  cache_.Invalidate();
  update();
}

QSize WaveLegend::sizeHint() const {
  const QFontMetrics metrics(font());
  int text_width = 0;
  for (const Entry& entry : entries_)
    text_width = std::max(text_width, metrics.horizontalAdvance(entry.title));
  const int box_width = kPadding + kIconWidth + kIconGap + text_width + kPadding;
  const int box_height = 2 * kPadding + static_cast<int>(entries_.size()) * RowHeight(metrics);
  return {box_width + kMargin, box_height + 2 * kMargin};
}

void WaveLegend::Draw(QPainter& painter, const QSize& size) const {
  painter.fillRect(QRect(QPoint(0, 0), size), background_);
  if (entries_.empty()) return;
  const QSize hint = sizeHint();
  const QRect box(0, kMargin, hint.width() - kMargin, hint.height() - 2 * kMargin);
  painter.setPen(kBorder);
  painter.setBrush(kFill);
  painter.drawRect(box.adjusted(0, 0, -1, -1));  // a one-pixel outline inside the box

  painter.setFont(font());
  const QFontMetrics metrics(font());
  const int row = RowHeight(metrics);
  const int icon_left = box.left() + kPadding;
  const int text_left = icon_left + kIconWidth + kIconGap;
  int top = box.top() + kPadding;
  for (const Entry& entry : entries_) {
    const int middle = top + row / 2;
    painter.setPen(QPen(entry.color, 1));
    painter.drawLine(icon_left, middle, icon_left + kIconWidth, middle);
    painter.setPen(entry.shown ? kText : kHiddenText);
    painter.drawText(QRect(text_left, top, box.right() + 1 - kPadding - text_left, row),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, entry.title);
    top += row;
  }
}

void WaveLegend::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  cache_.Paint(*this, painter, event->region(),
               [this](QPainter& image_painter) { Draw(image_painter, size()); });
}

void WaveLegend::changeEvent(QEvent* event) {
  cache_.Invalidate();  // font, palette or style
  if (event->type() == QEvent::FontChange) updateGeometry();
  QWidget::changeEvent(event);
}

}  // namespace tarvel::widgets
