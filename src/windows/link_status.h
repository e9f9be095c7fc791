#pragma once
// LinkStatus, the "链路状态" window: how the serial link is doing, from station::LinkHealth.
//
// Contract:
//  - Table1 holds the link's totals and rates, two title/value pairs a row; Table2 one row per
//    TYPE seen, in TYPE order. Both show one snapshot, taken when the window is shown and then
//    once a second by Timer1, which runs only while the window is visible.
//  - "清零" (Command1) zeroes every count of the LinkHealth (the station's, not a copy) and
//    shows the zeros at once.
//  - The window never changes the LinkHealth otherwise; it asks `now` for the time of each
//    snapshot (the clock the LinkHealth's events are stamped with) and `line` for the line
//    settings the load is worked out for.
//  - Not modal: the station keeps running underneath.
//
// Controls keep window-style names and are public so the station and the tests can read them;
// the handlers are public for the same reason and are what the signals call.

#include <QWidget>
#include <functional>

#include "platform/timer.h"
#include "serial/line_settings.h"
#include "station/link_health.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tarvel::windows {

class LinkStatus : public QWidget {
  Q_OBJECT

 public:
  LinkStatus(station::LinkHealth& health, std::function<station::Nanos()> now,
             std::function<serial::LineSettings()> line, QWidget* parent = nullptr);

  // Shows a fresh snapshot in both tables and the line label.
  void Refresh();

  void Timer1_Tick() { Refresh(); }
  void Command1_Click();  // "清零"

  QLabel* Label1;                // the line settings the load is worked out for
  QTableWidget* Table1;          // link totals and rates: title, value, title, value
  QLabel* Label2;                // "各类型帧" above Table2
  QTableWidget* Table2;          // one row per TYPE seen: counts, rates, period, jitter, age
  QPushButton* Command1;         // "清零"
  platform::Timer Timer1{1000};  // refreshes the tables while the window is visible

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ShowLink(const station::LinkHealthSnapshot& s);
  void ShowTypes(const station::LinkHealthSnapshot& s);

  station::LinkHealth& health_;
  std::function<station::Nanos()> now_;
  std::function<serial::LineSettings()> line_;
};

}  // namespace tarvel::windows
