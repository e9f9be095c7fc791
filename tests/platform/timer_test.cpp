#include "platform/timer.h"

#include <gtest/gtest.h>

#include <QThread>

namespace tarvel::platform {
namespace {

TEST(TimerTest, RunsOnlyWhenEnabledWithAPositiveInterval) {
  Timer t(0);
  t.SetEnabled(true);
  EXPECT_TRUE(t.Enabled());
  EXPECT_FALSE(t.Running());
  t.SetInterval(200);
  EXPECT_TRUE(t.Running());
  t.SetInterval(0);
  EXPECT_FALSE(t.Running());
  EXPECT_TRUE(t.Enabled());
  t.SetInterval(300);
  t.SetEnabled(false);
  EXPECT_FALSE(t.Running());
  EXPECT_EQ(t.Interval(), 300);
}

TEST(TimerTest, IntervalAssignmentRestartsTheCountdownAndEnablingDoesNot) {
  Timer t(10'000);
  t.SetEnabled(true);
  QThread::msleep(50);  // lets the countdown visibly advance; no tick is awaited
  const int before = t.RemainingMs();
  ASSERT_LE(before, 9'960);
  t.SetEnabled(true);
  EXPECT_LE(t.RemainingMs(), before);
  t.SetInterval(10'000);
  EXPECT_GT(t.RemainingMs(), 9'960);
}

}  // namespace
}  // namespace tarvel::platform
