// A stop signal ends the event loop normally instead of killing the process.

#include "platform/stop_signals.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <csignal>

namespace tarvel::platform {
namespace {

#ifndef _WIN32

class StopSignalsTest : public ::testing::TestWithParam<int> {};

TEST_P(StopSignalsTest, SignalMakesExecReturnZero) {
  QuitOnStopSignals();
  QuitOnStopSignals();  // a second call changes nothing
  QTimer::singleShot(0, [] { std::raise(GetParam()); });
  QTimer::singleShot(10'000, [] { QCoreApplication::exit(1); });  // never reached when it works
  EXPECT_EQ(QCoreApplication::exec(), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignalsTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP));
#endif

}  // namespace
}  // namespace tarvel::platform
