#pragma once
// A scrolling waveform plot: several named, coloured channels over one time axis, drawn with
// QCustomPlot. Used for the main window's twelve telemetry curves and the console's tracking plot.
//
// Contract:
//  - Append(channel, value) stamps the value with the plot clock's "now" (seconds). Appends are
//    O(1) amortised and never draw: they only mark the plot dirty. A redraw happens at most
//    every kRedrawIntervalMs (20 times a second) however fast points arrive; RedrawNow() is
//    that redraw and does nothing when nothing changed since the last one.
//  - Non-finite values (NaN, infinity) are kept as gaps in the curve; they never reach the
//    value-axis fit. A clock that steps backwards is clamped to the newest stamp so far, so
//    every channel stays sorted by time.
//  - Following: the time axis shows the last time_span_s seconds up to the newest point. Any
//    pan or zoom of the time axis (mouse drag, wheel, PanTime, ZoomTime) stops following;
//    FollowNewest() resumes it with the configured span.
//  - The value axis fits the visible channels' points inside the visible time window, with a
//    small margin, until the user moves or zooms the value axis (drag, Ctrl + wheel);
//    FollowNewest() resumes the fit as well. Before any point is in view it shows 1..361.
//  - Hidden channels keep collecting points; they are left out of the fit and reappear with
//    everything appended meanwhile.
//  - Each channel keeps at least the newest retention_s seconds; older points are dropped in
//    batches once they are more than 10 % older than that, so memory stays flat in long runs.
//  - Attenuation of values is the caller's business; values are plotted as given.

#include <QColor>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

class QCustomPlot;
class QCPGraph;
class QCPRange;
class QPrinter;

namespace tarvel::widgets {

class WaveLegend;

struct WavePlotChannel {
  QString title;  // text in the key beside the curves
  QColor color;
};

struct WavePlotOptions {
  std::vector<WavePlotChannel> channels;
  QString title;              // shown above the plot; empty: no title row
  double time_span_s = 8.64;  // width of the time window while following
  double retention_s = 600;   // newest seconds kept per channel
  // Seconds on a monotonic scale; empty selects the steady clock. Tests and benchmarks inject
  // their own to advance time without waiting.
  std::function<double()> clock;
};

class WavePlot : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRedrawIntervalMs = 50;
  static constexpr double kInitialValueLower = 1;
  static constexpr double kInitialValueUpper = 361;

  explicit WavePlot(WavePlotOptions options, QWidget* parent = nullptr);
  ~WavePlot() override;

  int channel_count() const { return static_cast<int>(graphs_.size()); }

  // Appends a point stamped with the clock's now; an unknown channel is ignored.
  void Append(int channel, double value);

  // Shows or hides one channel's curve; an unknown channel is ignored.
  void SetChannelVisible(int channel, bool visible);
  bool channel_visible(int channel) const;

  // Points held for the channel (0 for an unknown channel).
  int point_count(int channel) const;

  // Whether the time axis follows the newest point.
  bool following() const { return following_; }
  // Whether the value axis fits the points in view.
  bool fitting_values() const { return fitting_values_; }

  // Moves the time window by the given seconds (positive: towards newer points), as a user's
  // drag would; stops following.
  void PanTime(double seconds);
  // Scales the time window around its centre (factor < 1 zooms in), as a user's wheel would;
  // stops following. A factor that is not a positive finite number is ignored.
  void ZoomTime(double factor);

  // The visible windows of both axes, for the windows' read-outs and for tests.
  QCPRange time_range() const;
  QCPRange value_range() const;

  // Redraws done by RedrawNow since construction.
  int replot_count() const { return replot_count_; }
  // Whether a redraw is scheduled (something changed since the last one).
  bool redraw_pending() const { return redraw_timer_.isActive(); }

  // The drawing surface, for layouts and for rendering it elsewhere.
  QCustomPlot* plot() const { return plot_; }

 public slots:
  // Makes the time axis follow the newest points again (with the configured span) and the
  // value axis fit them.
  void FollowNewest();
  // Brings the view up to date and draws it, if anything changed since the last redraw. A
  // hidden plot (the console loaded but not shown) is not drawn: it catches up when shown.
  void RedrawNow();
  // Opens a print preview of the plot. The dialog is window-modal without a nested event
  // loop, so it may be opened from any handler; it deletes itself when closed.
  void ShowPrintPreview();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void MarkDirty();
  void UpdateView();
  void FitValueAxis();
  void SetRanges(const QCPRange& time, const QCPRange* value);
  void OnTimeRangeChanged();
  void OnValueRangeChanged(const QCPRange& range);
  void PaintOn(QPrinter* printer);

  QCustomPlot* plot_;
  WaveLegend* legend_;
  std::vector<QCPGraph*> graphs_;
  std::function<double()> clock_;
  double time_span_s_;
  double retention_s_;
  QTimer redraw_timer_;

  double newest_time_;
  bool has_points_ = false;
  bool following_ = true;
  bool fitting_values_ = true;
  bool dirty_ = true;
  bool setting_ranges_ = false;  // range changes made here, not by the user
  int replot_count_ = 0;
  double fitted_lower_ = kInitialValueLower;
  double fitted_upper_ = kInitialValueUpper;
};

}  // namespace tarvel::widgets
