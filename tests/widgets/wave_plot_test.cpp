#include "widgets/wave_plot.h"

#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QPrintPreviewDialog>
#include <cmath>
#include <limits>
#include <memory>
#include <ostream>

namespace tarvel::widgets {
namespace {

constexpr double kStart = 5000;  // an arbitrary point on the monotonic scale

class WavePlotTest : public ::testing::Test {
 protected:
  std::unique_ptr<WavePlot> Make(int channels) {
    WavePlotOptions options;
    for (int i = 0; i < channels; ++i) {
      options.channels.push_back({QString("c%1").arg(i), QColor(255, 64 * (i % 4), 0)});
    }
    options.clock = [this] { return now; };
    auto plot = std::make_unique<WavePlot>(std::move(options));
    plot->resize(800, 380);
    plot->show();       // lays the child plot out (offscreen platform)
    plot->RedrawNow();  // places the axis rect so that mouse positions mean something
    return plot;
  }
  // One point per channel every 40 ms, as the instrument refresh delivers them.
  void Feed(WavePlot& plot, double seconds, double value) {
    for (int step = 0; step < std::lround(seconds * 25); ++step) {
      now += 0.04;
      for (int c = 0; c < plot.channel_count(); ++c)
        plot.Append(c, value);
    }
  }
  static QPoint Centre(const WavePlot& plot) { return plot.plot()->axisRect()->rect().center(); }
  static void Mouse(WavePlot& plot, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QWidget* surface = plot.plot();
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, surface->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(surface, &event);
  }
  static void Wheel(WavePlot& plot, Qt::KeyboardModifiers modifiers) {
    QWidget* surface = plot.plot();
    const QPointF at = Centre(plot);
    QWheelEvent event(at, surface->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(surface, &event);
  }

  double now = kStart;
};

TEST_F(WavePlotTest, HiddenChannelKeepsCollectingAndIsLeftOutOfTheFit) {
  auto plot = Make(3);
  plot->SetChannelVisible(1, false);
  for (int i = 0; i < 50; ++i) {
    now += 0.04;
    plot->Append(0, 10);
    plot->Append(1, 1000);  // far outside the visible curves
    plot->Append(2, i % 2 ? -20 : 20);
  }
  plot->RedrawNow();
  EXPECT_EQ(plot->point_count(1), 50);
  EXPECT_TRUE(plot->channel_visible(0));
  EXPECT_FALSE(plot->plot()->graph(1)->visible());
  EXPECT_LT(plot->value_range().lower, -20);
  EXPECT_GT(plot->value_range().upper, 20);
  EXPECT_LT(plot->value_range().upper, 30);  // 5 % margin of a 40 span

  plot->SetChannelVisible(1, true);
  plot->RedrawNow();
  EXPECT_GT(plot->value_range().upper, 1000);
}

TEST_F(WavePlotTest, ValueFitCoversOnlyThePointsInTheTimeWindowAndSkipsNonFiniteValues) {
  auto plot = Make(1);
  EXPECT_EQ(plot->value_range(), QCPRange(1, 361));  // before any data
  plot->Append(0, 500);  // a spike that scrolls out of the 8.64 s window
  Feed(*plot, 10, 3);
  plot->Append(0, std::numeric_limits<double>::infinity());
  plot->Append(0, std::numeric_limits<double>::quiet_NaN());
  plot->Append(7, 1e9);  // unknown channel
  plot->RedrawNow();
  EXPECT_EQ(plot->point_count(0), 253);
  EXPECT_LT(plot->value_range().lower, 3);
  EXPECT_GT(plot->value_range().upper, 3);
  EXPECT_LT(plot->value_range().upper, 5);  // a flat line gets a small band around it
}

TEST_F(WavePlotTest, FollowsTheNewestPointUntilPannedOrZoomed) {
  auto plot = Make(2);
  Feed(*plot, 20, 1);
  plot->RedrawNow();
  EXPECT_TRUE(plot->following());
  EXPECT_DOUBLE_EQ(plot->time_range().upper, now);
  EXPECT_NEAR(plot->time_range().size(), 8.64, 1e-9);

  for (const bool zoom : {false, true}) {
    if (zoom) {
      plot->ZoomTime(0.5);
    } else {
      plot->PanTime(-5);
    }
    EXPECT_FALSE(plot->following());
    const QCPRange parked = plot->time_range();
    Feed(*plot, 2, 1);
    plot->RedrawNow();
    EXPECT_EQ(plot->time_range(), parked);

    plot->FollowNewest();
    EXPECT_TRUE(plot->following());
    EXPECT_DOUBLE_EQ(plot->time_range().upper, now);
    EXPECT_NEAR(plot->time_range().size(), 8.64, 1e-9);
  }
}

struct Drag {
  int dx, dy;
  bool following_after, fitting_after;
};
void PrintTo(const Drag& drag, std::ostream* os) {
  *os << "drag by (" << drag.dx << ", " << drag.dy << ")";
}
class WavePlotDragTest : public WavePlotTest, public ::testing::WithParamInterface<Drag> {};

TEST_P(WavePlotDragTest, MouseDragStopsFollowingOrFittingOfTheAxisItMoves) {
  auto plot = Make(1);
  Feed(*plot, 10, 50);
  plot->RedrawNow();
  const QPoint from = Centre(*plot);
  const QPoint to = from + QPoint(GetParam().dx, GetParam().dy);
  Mouse(*plot, QEvent::MouseButtonPress, from, Qt::LeftButton);
  Mouse(*plot, QEvent::MouseMove, to, Qt::LeftButton);
  Mouse(*plot, QEvent::MouseButtonRelease, to, Qt::NoButton);
  EXPECT_EQ(plot->following(), GetParam().following_after);
  EXPECT_EQ(plot->fitting_values(), GetParam().fitting_after);
  plot->FollowNewest();
  EXPECT_TRUE(plot->following() && plot->fitting_values());
}

INSTANTIATE_TEST_SUITE_P(Directions, WavePlotDragTest,
                         ::testing::Values(Drag{120, 2, false, true},  // wobble is tolerated
                                           Drag{0, 100, true, false}, Drag{60, 80, false, false}));

TEST_F(WavePlotTest, WheelZoomsTimeAndCtrlWheelZoomsValues) {
  auto plot = Make(1);
  Feed(*plot, 10, 50);
  plot->RedrawNow();
  const QCPRange values = plot->value_range();
  Wheel(*plot, Qt::NoModifier);
  EXPECT_FALSE(plot->following());
  EXPECT_LT(plot->time_range().size(), 8.6);
  EXPECT_EQ(plot->value_range(), values);
  EXPECT_TRUE(plot->fitting_values());

  Wheel(*plot, Qt::ControlModifier);
  EXPECT_LT(plot->value_range().size(), values.size());
  EXPECT_FALSE(plot->fitting_values());
}

TEST_F(WavePlotTest, RedrawsAreCoalescedAndSkippedWhenNothingChanged) {
  auto plot = Make(12);
  const int before = plot->replot_count();
  EXPECT_FALSE(plot->redraw_pending());
  for (int i = 0; i < 1000; ++i)
    plot->Append(i % 12, i);
  EXPECT_EQ(plot->replot_count(), before);
  EXPECT_TRUE(plot->redraw_pending());
  plot->RedrawNow();
  plot->RedrawNow();
  EXPECT_EQ(plot->replot_count(), before + 1);
  EXPECT_FALSE(plot->redraw_pending());
}

TEST_F(WavePlotTest, AHiddenPlotIsNotDrawnAndCatchesUpWhenShown) {
  auto plot = Make(3);
  plot->hide();
  const int before = plot->replot_count();
  Feed(*plot, 1, 7);
  plot->RedrawNow();
  EXPECT_EQ(plot->replot_count(), before);
  plot->show();
  EXPECT_EQ(plot->replot_count(), before + 1);
  EXPECT_EQ(plot->point_count(0), 25);
}

TEST_F(WavePlotTest, ClockSteppingBackKeepsPointsInTimeOrder) {
  auto plot = Make(1);
  plot->Append(0, 1);
  now -= 3;
  plot->Append(0, 2);
  const auto data = plot->plot()->graph(0)->data();
  ASSERT_EQ(data->size(), 2);
  EXPECT_DOUBLE_EQ(data->at(1)->key, kStart);
  EXPECT_DOUBLE_EQ(data->at(1)->value, 2);
}

// A day at the full 25 points per second, on a shown and a hidden channel rather than twelve:
// the trimming is per channel, and twelve would take half a minute under the sanitizers. The
// benchmark runs the full twelve-channel day.
TEST_F(WavePlotTest, DayLongSessionKeepsOnlyTheRetainedMinutes) {
  auto plot = Make(2);
  plot->SetChannelVisible(1, false);
  for (int hour = 0; hour < 24; ++hour) {
    Feed(*plot, 3600, std::sin(hour));
    plot->RedrawNow();
  }
  for (int c = 0; c < 2; ++c) {
    SCOPED_TRACE(c);
    EXPECT_GE(plot->point_count(c), 600 * 25);  // ten minutes to pan back through
    EXPECT_LE(plot->point_count(c), 660 * 25 + 1);
    EXPECT_LE(plot->plot()->graph(c)->data()->constBegin()->key, now - 600);
  }
}

TEST_F(WavePlotTest, PrintPreviewOpensWithoutBlockingAndRendersOnePage) {
  auto plot = Make(3);
  Feed(*plot, 5, 10);
  plot->ShowPrintPreview();  // returns: no nested event loop
  auto* dialog = plot->findChild<QPrintPreviewDialog*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  QApplication::processEvents();
  auto* preview = dialog->findChild<QPrintPreviewWidget*>();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->pageCount(), 1);
  dialog->close();
}

}  // namespace
}  // namespace tarvel::widgets
