#pragma once
// A timer with the Interval/Enabled behaviour the windows are written against:
//  - it ticks every Interval milliseconds while Enabled and Interval > 0;
//  - assigning the interval of a running timer restarts its countdown (also with the same
//    value), which is how one-shot lamps stay lit through a burst;
//  - enabling a running timer does not restart it.
// Tests do not wait for ticks: they call the owner's tick handler and look at Enabled/Interval.

#include <QObject>
#include <QTimer>

namespace tarvel::platform {

class Timer : public QObject {
  Q_OBJECT

 public:
  explicit Timer(int interval_ms = 0, QObject* parent = nullptr);

  int Interval() const { return interval_; }
  void SetInterval(int ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Whether a countdown is actually running (Enabled with a positive interval).
  bool Running() const { return timer_.isActive(); }
  // Milliseconds left of the running countdown, -1 when not running.
  int RemainingMs() const { return timer_.remainingTime(); }
  // How many times a countdown has been started or restarted, so a test can see that arming
  // a running timer really restarted it.
  int Starts() const { return starts_; }

 signals:
  void tick();

 private:
  void Update(bool restart);

  QTimer timer_;
  int interval_ = 0;
  bool enabled_ = false;
  int starts_ = 0;
};

}  // namespace tarvel::platform
