#include "widgets/still_drawing.h"

#include <QDialog>
#include <QMainWindow>

namespace tarvel::widgets {
namespace {

std::uint64_t g_generation = 1;

// A widget that paints nothing of its own and has no background Qt fills for it.
bool PaintsNothing(const QWidget& w) {
  if (w.testAttribute(Qt::WA_StyledBackground) || w.graphicsEffect() != nullptr) return false;
  if (w.isWindow()) {
    const bool plain = qobject_cast<const QMainWindow*>(&w) != nullptr ||
                       qobject_cast<const QDialog*>(&w) != nullptr ||
                       w.metaObject() == &QWidget::staticMetaObject;
    return plain && !w.autoFillBackground() && !w.testAttribute(Qt::WA_TranslucentBackground) &&
           !w.testAttribute(Qt::WA_NoSystemBackground);
  }
  return w.metaObject() == &QWidget::staticMetaObject && !w.autoFillBackground();
}

// Whether a sibling painted before `w` (lower in the stacking order) overlaps it.
bool OverlapsEarlierSibling(const QWidget& w) {
  const QWidget* parent = w.parentWidget();
  if (parent == nullptr) return false;
  for (const QObject* child : parent->children()) {
    if (child == &w) return false;
    const auto* sibling = qobject_cast<const QWidget*>(child);
    if (sibling != nullptr && !sibling->isWindow() && sibling->isVisibleTo(parent) &&
        sibling->geometry().intersects(w.geometry())) {
      return true;
    }
  }
  return false;
}

// Walks from `widget` up to what paints behind it: a still drawing or a plain window (returned
// with the widget's top left in its coordinates); null when something else is in the way.
const QWidget* Behind(const QWidget& widget, QPoint& offset) {
  offset = QPoint();
  const QWidget* below = &widget;
  for (const QWidget* parent = widget.parentWidget(); parent != nullptr;
       below = parent, parent = parent->parentWidget()) {
    if (below->isWindow() || OverlapsEarlierSibling(*below)) return nullptr;
    offset += below->pos();
    if (dynamic_cast<const StillDrawing*>(parent) != nullptr) return parent;
    if (!PaintsNothing(*parent)) return nullptr;
    if (parent->isWindow()) return parent;
  }
  return nullptr;
}

}  // namespace

bool CanPaintBehind(const QWidget& widget) {
  QPoint offset;
  const QWidget* behind = Behind(widget, offset);
  if (behind == nullptr) return false;
  const auto* still = dynamic_cast<const StillDrawing*>(behind);
  return still == nullptr || (still->IsStill() && CanPaintBehind(*behind));
}

bool PaintBehind(const QWidget& widget, QPainter& painter) {
  QPoint offset;
  const QWidget* behind = Behind(widget, offset);
  if (behind == nullptr) return false;
  painter.save();
  bool done = true;
  if (auto* still = dynamic_cast<StillDrawing*>(const_cast<QWidget*>(behind))) {
    painter.translate(-offset);
    done = still->PaintWithBehind(painter, QRect(offset, widget.size()));
  } else {
    // As Qt fills a window before painting it: the Window brush, copied straight in.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setBrushOrigin(-offset);
    painter.fillRect(QRect(QPoint(), widget.size()), behind->palette().brush(QPalette::Window));
  }
  painter.restore();
  return done;
}

void KeepOpaque(QWidget& widget, bool opaque) {
  if (widget.testAttribute(Qt::WA_OpaquePaintEvent) == opaque) return;
  widget.setAttribute(Qt::WA_OpaquePaintEvent, opaque);
  if (!opaque) widget.update();
}

std::uint64_t StillGeneration() {
  return g_generation;
}

void NoteStillChanged() {
  ++g_generation;
}

}  // namespace tarvel::widgets
