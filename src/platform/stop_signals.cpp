#include "platform/stop_signals.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#endif

namespace tarvel::platform {

#ifdef Q_OS_UNIX
namespace {

int g_wake[2] = {-1, -1};  // the handler writes to [1]; the event loop watches [0]

bool MakeWakePipe() {
  if (pipe(g_wake) != 0) return false;
  for (int fd : g_wake) {
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  return true;
}

void OnStopSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(g_wake[1], &byte, 1);  // full pipe: already woken
  errno = saved;
}

}  // namespace

void QuitOnStopSignals() {
  if (g_wake[0] >= 0 || !MakeWakePipe()) return;
  auto* notifier =
      new QSocketNotifier(g_wake[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
    char bytes[16];
    while (read(g_wake[0], bytes, sizeof bytes) > 0) {
    }
    QCoreApplication::quit();
  });
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP})
    sigaction(sig, &sa, nullptr);
}

#else

void QuitOnStopSignals() {}

#endif

}  // namespace tarvel::platform
