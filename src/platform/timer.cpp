#include "platform/timer.h"

namespace tarvel::platform {

Timer::Timer(int interval_ms, QObject* parent) : QObject(parent), interval_(interval_ms) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &Timer::tick);
}

void Timer::SetInterval(int ms) {
  interval_ = ms;
  Update(/*restart=*/true);
}

void Timer::SetEnabled(bool enabled) {
  const bool was = enabled_;
  enabled_ = enabled;
  Update(/*restart=*/!was);
}

void Timer::Update(bool restart) {
  if (!enabled_ || interval_ <= 0) {
    timer_.stop();
    return;
  }
  if (restart || !timer_.isActive()) {
    timer_.start(interval_);
    ++starts_;
  }
}

}  // namespace tarvel::platform
