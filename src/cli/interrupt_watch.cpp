#include "cli/interrupt_watch.h"

#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdint>

namespace cli {

namespace {

sigset_t WatchedSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

InterruptWatch::InterruptWatch() {
  const sigset_t set = WatchedSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  signalFd_ = signalfd(-1, &set, SFD_CLOEXEC);
  wakeFd_ = eventfd(0, EFD_CLOEXEC);
  if (signalFd_ >= 0 && wakeFd_ >= 0) thread_ = std::thread([this] { Run(); });
}

InterruptWatch::~InterruptWatch() {
  if (thread_.joinable()) {
    const uint64_t one = 1;
    ssize_t n = write(wakeFd_, &one, sizeof one);
    (void)n;
    thread_.join();
  }
  if (signalFd_ >= 0) close(signalFd_);
  if (wakeFd_ >= 0) close(wakeFd_);
}

void InterruptWatch::OnSignal(std::function<void(int count)> handler) {
  std::lock_guard lock(handlerMutex_);
  handler_ = std::move(handler);
}

void InterruptWatch::Run() {
  for (;;) {
    pollfd fds[2] = {{signalFd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) continue;
    if (fds[1].revents) return;
    signalfd_siginfo info;
    if (read(signalFd_, &info, sizeof info) != sizeof info) continue;
    const int count = ++count_;
    std::lock_guard lock(handlerMutex_);
    if (handler_) handler_(count);
  }
}

}  // namespace cli
