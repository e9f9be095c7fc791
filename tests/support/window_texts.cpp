#include "support/window_texts.h"

#include <qcustomplot.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

#include "widgets/label_instrument.h"
#include "widgets/panel.h"
#include "widgets/rect_led.h"
#include "widgets/wave_plot.h"

namespace tarvel::test_support {
namespace {

void AddPlot(QStringList& out, widgets::WavePlot& plot) {
  QCustomPlot* p = plot.plot();
  if (auto* title = qobject_cast<QCPTextElement*>(p->plotLayout()->element(0, 0)))
    out << "plot title: " + title->text();
  for (int i = 0; i < p->graphCount(); ++i)
    out << "curve: " + p->graph(i)->name() + " " + p->graph(i)->pen().color().name();
  // The corner outside the axes shows the plot's background.
  const QImage image = p->toPixmap(p->width(), p->height()).toImage();
  out << "plot background: " + image.pixelColor(1, p->height() - 2).name();
}

void AddWidget(QStringList& out, QWidget* w) {
  if (auto* plot = qobject_cast<widgets::WavePlot*>(w)) {
    AddPlot(out, *plot);
  } else if (auto* lamp = qobject_cast<widgets::RectLed*>(w)) {
    out << "lamp: " + lamp->Caption();
  } else if (auto* instrument = qobject_cast<widgets::LabelInstrument*>(w)) {
    out << "label: " + instrument->Caption();
  } else if (auto* panel = qobject_cast<widgets::Panel*>(w)) {
    out << "panel: " + panel->Title();
  } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
    out << "frame: " + box->title();
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    if (!label->text().isEmpty()) out << "label: " + label->text();
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    out << "button: " + button->text() + (button->isEnabled() ? "" : " (disabled)");
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    out << "box: " + edit->text();
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
      items << combo->itemText(i);
    out << "list: " + combo->currentText() + " [" + items.join('|') + "]";
  }
}

// Children in creation order, depth first, skipping the insides of composite controls.
void Walk(QStringList& out, QWidget* parent) {
  for (QObject* child : parent->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (!w || w->isWindow() || qobject_cast<QMenuBar*>(w)) continue;
    AddWidget(out, w);
    if (!qobject_cast<widgets::WavePlot*>(w) && !qobject_cast<QComboBox*>(w)) Walk(out, w);
  }
}

}  // namespace

QStringList WindowTexts(QWidget& window) {
  QStringList out;
  out << "caption: " + window.windowTitle();
  if (auto* main = qobject_cast<QMainWindow*>(&window)) {
    for (QAction* menu : main->menuBar()->actions()) {
      out << "menu: " + menu->text();
      for (QAction* item : menu->menu()->actions())
        out << "item: " + item->text() + (item->isEnabled() ? "" : " (disabled)");
    }
  }
  Walk(out, &window);
  return out;
}

}  // namespace tarvel::test_support
