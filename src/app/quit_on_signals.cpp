#include "app/quit_on_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>

namespace {

// The handler may only write a byte; the event loop does the rest.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char one = 1;
  ssize_t n = ::write(signalPipe[1], &one, 1);
  (void)n;
}

}  // namespace

TQuitOnSignals::TQuitOnSignals(QObject *parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) return;
  notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TQuitOnSignals::SignalArrived);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &action, nullptr);
}

TQuitOnSignals::~TQuitOnSignals() {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &action, nullptr);
  for (int &fd : signalPipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void TQuitOnSignals::SignalArrived() {
  char drained[16];
  while (::read(signalPipe[0], drained, sizeof drained) > 0) {
  }
  QApplication::closeAllWindows();
  QApplication::quit();
}
