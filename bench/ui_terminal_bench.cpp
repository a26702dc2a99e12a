// The terminal under a full line: a 115200-baud stream into a view that
// already holds 1 MiB, for 60 s (--seconds N to change). Reports the display
// tick (the 200 ms timer's work) and the repaint of one frame, each against
// its budget, the process's CPU share and its peak memory.
#include <sys/resource.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

#include "app/form1.h"
#include "port/port.h"
#include "ui/terminal/net_num_form.h"
#include "ui/terminal/term_form.h"
#include "ui/widgets/hex_view.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  int seconds = 60;
  for (int i = 1; i + 1 < argc; ++i)
    if (QString(argv[i]) == "--seconds") seconds = std::max(1, QString(argv[i + 1]).toInt());

  const auto dir = std::filesystem::temp_directory_path();
  std::filesystem::remove(dir / "vovor_term_bench.settings");
  std::filesystem::remove(dir / "vovor_term_bench.settings2");
  TForm1::Options o;
  o.settingsPath = (dir / "vovor_term_bench.settings").string();
  o.showTerminal = false;
  TForm1 form(o);
  port::TPort &port = *form.Port();
  TNetNumForm netNum;
  TTermForm term(form, netNum, (dir / "vovor_term_bench.settings2").string());
  term.SetPort(&port);
  term.show();
  // The window's own timer is replaced by one that is measured; the work is the same.
  term.Timer1->stop();
  QApplication::processEvents();

  // The reader thread's side: 115200 baud, 10 bits a byte, in 64-byte blocks.
  constexpr double kBytesPerSecond = 11520.0;
  // Filled so that the stream brings the view to 1 MiB at the end of the run
  // (past it the view is cleared, as it should be).
  const size_t stream = static_cast<size_t>(kBytesPerSecond * seconds);
  std::string filler((1u << 20) - std::min<size_t>(stream, 1u << 20), '\0');
  for (size_t i = 0; i < filler.size(); ++i) filler[i] = static_cast<char>(i * 7);
  term.PortLink1ReceiveData(filler);
  term.FlushReceived();

  constexpr size_t kBlock = 64;
  std::atomic<bool> stop{false};
  std::atomic<uint64_t> fed{0};
  std::thread feeder([&] {
    const auto start = Clock::now();
    std::string block(kBlock, '\0');
    uint64_t sent = 0;
    while (!stop) {
      const double due = std::chrono::duration<double>(Clock::now() - start).count() * kBytesPerSecond;
      while (sent + kBlock <= due) {
        for (size_t i = 0; i < kBlock; ++i) block[i] = static_cast<char>(sent + i);
        port.DataReceived(block);
        sent += kBlock;
      }
      fed = sent;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  });

  std::vector<double> ticks, paints;
  const double cpuBefore = CpuSeconds();
  const auto wallStart = Clock::now();
  QTimer tick;
  tick.setInterval(200);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    auto t0 = Clock::now();
    term.Timer1Timer();
    auto t1 = Clock::now();
    term.MPHexEditorEx1->viewport()->repaint();
    auto t2 = Clock::now();
    ticks.push_back(Ms(t1 - t0));
    paints.push_back(Ms(t2 - t1));
    // exit, not quit: quit closes the windows, and this one frees itself on close.
    if (t2 - wallStart >= std::chrono::seconds(seconds)) QApplication::exit(0);
  });
  tick.start();
  app.exec();
  stop = true;
  feeder.join();
  const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
  const double cpu = CpuSeconds() - cpuBefore;
  rusage u{};
  getrusage(RUSAGE_SELF, &u);

  std::printf("terminal at 115200 baud for %.0f s, %llu bytes streamed into a view holding %zu bytes\n", wall,
              static_cast<unsigned long long>(fed.load()), term.MPHexEditorEx1->Size());
  std::printf("tick (flush + append): median %.3f ms, 99th %.3f ms, worst %.3f ms = %.4f / %.4f / %.4f of its 200 ms period\n",
              Percentile(ticks, 0.5), Percentile(ticks, 0.99), Percentile(ticks, 1.0), Percentile(ticks, 0.5) / 200.0,
              Percentile(ticks, 0.99) / 200.0, Percentile(ticks, 1.0) / 200.0);
  std::printf("repaint of the view: median %.3f ms, 99th %.3f ms, worst %.3f ms = %.3f / %.3f / %.3f of a 60 Hz frame\n",
              Percentile(paints, 0.5), Percentile(paints, 0.99), Percentile(paints, 1.0), Percentile(paints, 0.5) / 16.7,
              Percentile(paints, 0.99) / 16.7, Percentile(paints, 1.0) / 16.7);
  std::printf("CPU share of the whole process (window, ticks, repaints, feeder): %.2f %%\n", 100.0 * cpu / wall);
  std::printf("peak resident memory: %.1f MiB (the view's bytes: %.1f MiB)\n", static_cast<double>(u.ru_maxrss) / 1024.0,
              static_cast<double>(term.MPHexEditorEx1->Size()) / 1048576.0);
  return 0;
}
