#include "widgets/wave_plot.h"

#include <qcustomplot.h>

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QHBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "widgets/wave_legend.h"

namespace tarvel::widgets {
namespace {

const QColor kBackground(84, 84, 84);
const QColor kForeground(225, 225, 225);  // axis text on the dark background
const QColor kGridLine(150, 150, 150);
const QColor kZeroLine(190, 190, 190);

// Points are dropped once the oldest is this much older than the retention, so that trimming
// happens in batches instead of at every append.
constexpr double kRetentionSlack = 1.1;
// Share of the fitted span added above and below the values in view.
constexpr double kValueMargin = 0.05;
// A user's change of the value axis smaller than this share of its span (a few pixels of
// vertical wobble in a horizontal drag) does not stop the fit.
constexpr double kValueNudge = 0.02;

double SteadySeconds() {
  using Seconds = std::chrono::duration<double>;
  return std::chrono::duration_cast<Seconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void StyleAxis(QCPAxis* axis) {
  axis->setBasePen(QPen(kForeground));
  axis->setTickPen(QPen(kForeground));
  axis->setSubTickPen(QPen(kForeground));
  axis->setTickLabelColor(kForeground);
  axis->setLabelColor(kForeground);
  axis->grid()->setPen(QPen(kGridLine, 0, Qt::DotLine));
  axis->grid()->setZeroLinePen(QPen(kZeroLine, 0, Qt::DotLine));
  axis->grid()->setSubGridVisible(false);
}

}  // namespace

WavePlot::WavePlot(WavePlotOptions options, QWidget* parent)
    : QWidget(parent),
      plot_(new QCustomPlot(this)),
      clock_(options.clock ? std::move(options.clock) : std::function<double()>(SteadySeconds)),
      time_span_s_(std::isfinite(options.time_span_s) && options.time_span_s > 0
                       ? options.time_span_s
                       : WavePlotOptions{}.time_span_s),
      retention_s_(std::isfinite(options.retention_s) && options.retention_s > time_span_s_
                       ? options.retention_s
                       : time_span_s_),
      newest_time_(clock_()) {
  // The key sits beside the curves so that it never covers the newest points.
  std::vector<WaveLegend::Entry> entries;
  for (const WavePlotChannel& channel : options.channels)
    entries.push_back({channel.title, channel.color, true});
  legend_ = new WaveLegend(std::move(entries), kBackground, this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(plot_, 1);
  layout->addWidget(legend_);

  plot_->setBackground(kBackground);
  plot_->setNoAntialiasingOnDrag(true);
  // One polyline per curve: the cosmetic one-pixel stroke is faster than a line per segment.
  plot_->setPlottingHint(QCP::phFastPolylines, false);
  // Nothing is drawn on the overlay layer; its own buffer would be cleared and put on screen
  // at every redraw for nothing.
  plot_->layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
  // The key is our own widget beside the plot: QCustomPlot's legend would measure and shape
  // its texts again at every redraw, even while hidden.
  plot_->setAutoAddPlottableToLegend(false);
  // Antialiased curves cost most of a redraw; one-pixel traces on a dark grid read as well.
  plot_->setNotAntialiasedElements(QCP::aePlottables | QCP::aeGrid | QCP::aeAxes);
  plot_->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  QCPAxisRect* rect = plot_->axisRect();
  rect->setRangeDrag(Qt::Horizontal | Qt::Vertical);
  rect->setRangeZoom(Qt::Horizontal);

  // The time axis itself is not drawn, but its ticks still place the vertical grid lines.
  StyleAxis(plot_->xAxis);
  plot_->xAxis->setTicks(false);
  plot_->xAxis->setTickLabels(false);
  plot_->xAxis->setBasePen(Qt::NoPen);
  plot_->xAxis->setPadding(0);
  StyleAxis(plot_->yAxis);

  if (!options.title.isEmpty()) {
    plot_->plotLayout()->insertRow(0);
    auto* title = new QCPTextElement(plot_, options.title);
    title->setTextColor(kForeground);
    plot_->plotLayout()->addElement(0, 0, title);
  }

  for (const WavePlotChannel& channel : options.channels) {
    QCPGraph* graph = plot_->addGraph();
    graph->setName(channel.title);
    graph->setPen(QPen(channel.color, 1));
    graphs_.push_back(graph);
  }

  const QCPRange initial_value(kInitialValueLower, kInitialValueUpper);
  SetRanges(QCPRange(newest_time_ - time_span_s_, newest_time_), &initial_value);
  connect(plot_->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
          [this] { OnTimeRangeChanged(); });
  connect(plot_->yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
          [this](const QCPRange& range) { OnValueRangeChanged(range); });
  // The wheel zooms the time axis; with Ctrl held it zooms the value axis. The signal comes
  // before the axis rect handles the event.
  connect(plot_, &QCustomPlot::mouseWheel, this, [rect](QWheelEvent* event) {
    rect->setRangeZoom(event->modifiers() & Qt::ControlModifier ? Qt::Vertical : Qt::Horizontal);
  });

  redraw_timer_.setSingleShot(true);
  redraw_timer_.setInterval(kRedrawIntervalMs);
  connect(&redraw_timer_, &QTimer::timeout, this, &WavePlot::RedrawNow);
  MarkDirty();
}

WavePlot::~WavePlot() = default;

void WavePlot::Append(int channel, double value) {
  if (channel < 0 || channel >= channel_count()) return;
  const double now = clock_();
  if (!has_points_ || now > newest_time_) newest_time_ = now;
  has_points_ = true;
  if (!std::isfinite(value)) value = std::numeric_limits<double>::quiet_NaN();

  QCPGraph* graph = graphs_[static_cast<std::size_t>(channel)];
  QCPGraphDataContainer* data = graph->data().data();
  data->add(QCPGraphData(newest_time_, value));
  if (data->constBegin()->key < newest_time_ - retention_s_ * kRetentionSlack) {
    data->removeBefore(newest_time_ - retention_s_);
  }
  MarkDirty();
}

void WavePlot::SetChannelVisible(int channel, bool visible) {
  if (channel < 0 || channel >= channel_count()) return;
  graphs_[static_cast<std::size_t>(channel)]->setVisible(visible);
  legend_->SetShown(channel, visible);
  MarkDirty();
}

bool WavePlot::channel_visible(int channel) const {
  if (channel < 0 || channel >= channel_count()) return false;
  return graphs_[static_cast<std::size_t>(channel)]->visible();
}

int WavePlot::point_count(int channel) const {
  if (channel < 0 || channel >= channel_count()) return 0;
  return graphs_[static_cast<std::size_t>(channel)]->data()->size();
}

void WavePlot::PanTime(double seconds) {
  if (!std::isfinite(seconds)) return;
  plot_->xAxis->moveRange(seconds);  // reported like a drag: following stops
  MarkDirty();
}

void WavePlot::ZoomTime(double factor) {
  if (!std::isfinite(factor) || factor <= 0) return;
  plot_->xAxis->scaleRange(factor);
  MarkDirty();
}

QCPRange WavePlot::time_range() const {
  return plot_->xAxis->range();
}

QCPRange WavePlot::value_range() const {
  return plot_->yAxis->range();
}

void WavePlot::FollowNewest() {
  following_ = true;
  fitting_values_ = true;
  MarkDirty();
  RedrawNow();  // the button's effect shows at once, even when no data flows
}

void WavePlot::RedrawNow() {
  redraw_timer_.stop();
  if (!dirty_ || !isVisible()) return;
  dirty_ = false;
  UpdateView();
  plot_->replot(QCustomPlot::rpQueuedRefresh);
  ++replot_count_;
}

void WavePlot::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RedrawNow();  // whatever came while hidden
}

void WavePlot::ShowPrintPreview() {
  auto* dialog = new QPrintPreviewDialog(this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->printer()->setPageOrientation(QPageLayout::Landscape);  // the plot is wide
  connect(dialog, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* printer) { PaintOn(printer); });
  dialog->open();
}

void WavePlot::MarkDirty() {
  dirty_ = true;
  if (!redraw_timer_.isActive()) redraw_timer_.start();
}

void WavePlot::UpdateView() {
  if (following_) {
    SetRanges(QCPRange(newest_time_ - time_span_s_, newest_time_), nullptr);
  }
  if (fitting_values_) FitValueAxis();
}

void WavePlot::FitValueAxis() {
  const QCPRange window = plot_->xAxis->range();
  bool any = false;
  double lower = 0;
  double upper = 0;
  for (const QCPGraph* graph : graphs_) {
    if (!graph->visible()) continue;
    bool found = false;
    const QCPRange range = graph->getValueRange(found, QCP::sdBoth, window);
    if (!found) continue;
    lower = any ? std::min(lower, range.lower) : range.lower;
    upper = any ? std::max(upper, range.upper) : range.upper;
    any = true;
  }
  if (!any) return;  // nothing in view: keep the last fit
  double margin = (upper - lower) * kValueMargin;
  if (margin == 0) margin = std::max(1.0, std::abs(upper) * kValueMargin);
  const QCPRange fitted(lower - margin, upper + margin);
  if (!QCPRange::validRange(fitted)) return;  // values beyond what an axis can show
  SetRanges(plot_->xAxis->range(), &fitted);
}

void WavePlot::SetRanges(const QCPRange& time, const QCPRange* value) {
  setting_ranges_ = true;
  plot_->xAxis->setRange(time);
  if (value) {
    plot_->yAxis->setRange(*value);
    fitted_lower_ = value->lower;
    fitted_upper_ = value->upper;
  }
  setting_ranges_ = false;
}

void WavePlot::OnTimeRangeChanged() {
  if (setting_ranges_) return;
  following_ = false;
}

void WavePlot::OnValueRangeChanged(const QCPRange& range) {
  if (setting_ranges_) return;
  const double tolerance = (fitted_upper_ - fitted_lower_) * kValueNudge;
  if (std::abs(range.lower - fitted_lower_) > tolerance ||
      std::abs(range.upper - fitted_upper_) > tolerance) {
    fitting_values_ = false;
  }
}

void WavePlot::PaintOn(QPrinter* printer) {
  const int width = plot_->width();
  const int height = plot_->height();
  if (width <= 0 || height <= 0) return;
  QCPPainter painter(printer);
  const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
  const double scale = std::min(page.width() / (width + legend_->width()), page.height() / height);
  painter.setMode(QCPPainter::pmVectorized);
  painter.setMode(QCPPainter::pmNoCaching);
  painter.scale(scale, scale);
  plot_->toPainter(&painter, width, height);
  painter.translate(width, 0);
  legend_->Draw(painter, legend_->size());
}

}  // namespace tarvel::widgets
