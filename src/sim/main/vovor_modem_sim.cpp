// vovor-modem-sim: a simulated ORVA modem on a pseudo-terminal, for trying
// the configurator and its scripts without hardware. Prints the device path
// on the first line of standard output, then serves until a signal arrives.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sim/pty_server.h"
#include "sim/sim_modem.h"
#include "sim/sim_options.h"
#include "util/version.h"

namespace {

// Waits for SIGINT, SIGTERM or SIGHUP (and, when asked, the end of standard
// input). The signals are blocked in every thread and read from a signalfd,
// so no handler runs in the middle of the server's work.
void WaitForTheEnd(const sigset_t &signals, bool watchStdin) {
  const int sfd = ::signalfd(-1, &signals, SFD_CLOEXEC);
  if (sfd < 0) {
    int sig = 0;
    ::sigwait(&signals, &sig);
    return;
  }
  for (;;) {
    pollfd fds[2] = {{sfd, POLLIN, 0}, {watchStdin ? STDIN_FILENO : -1, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) continue;
    if (fds[0].revents != 0) break;
    if (fds[1].revents != 0) {
      char buffer[512];
      if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) break;
    }
  }
  ::close(sfd);
}

}  // namespace

int main(int argc, char **argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  sim::SimOptions options;
  std::string error;
  if (!sim::ParseSimOptions(args, &options, &error)) {
    std::fprintf(stderr, "vovor-modem-sim: %s\n%s", error.c_str(), sim::SimUsage().c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(sim::SimUsage().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::puts(util::VersionLine("vovor-modem-sim").c_str());
    return 0;
  }

  // Blocked before the server's thread starts, so it inherits the mask.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  sim::PtyServer server;
  server.WithModem([&](sim::SimModem &modem) { sim::ConfigureModem(options, modem); });
  server.SetFaults(options.faults);
  if (!server.Start(&error)) {
    std::fprintf(stderr, "vovor-modem-sim: no pseudo-terminal: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s\n", server.DevicePath().c_str());
  std::fflush(stdout);

  WaitForTheEnd(signals, options.exitOnStdinEof);
  server.Stop();
  std::fprintf(stderr, "vovor-modem-sim: %llu requests, %llu answers, %llu bytes received\n",
               static_cast<unsigned long long>(server.RequestsSeen()),
               static_cast<unsigned long long>(server.AnswersSent()),
               static_cast<unsigned long long>(server.BytesReceived()));
  return 0;
}
