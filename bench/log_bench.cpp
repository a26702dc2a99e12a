// Action log with its tree view attached: how long one logged operation takes
// (begin, one child message, end) and how much memory a node costs, with a
// hundred thousand operations in the log. `--screenshot FILE` instead writes
// a picture of a small log with every kind of row.
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "log/log_intf.h"
#include "ui/log/create_action_logger.h"
#include "util/format.h"

namespace {

long ResidentBytes() {
  long pages = 0, resident = 0;
  if (FILE *f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

std::string TimeOfDay(int i) { return util::Format("%2.2d:%2.2d:%2.2d", (i / 3600) % 24, (i / 60) % 60, i % 60); }

int RunBench(int actions) {
  QWidget panel;
  panel.resize(800, 400);
  panel.show();
  auto log = CreateActionLogger(&panel);
  QCoreApplication::processEvents();

  const long before = ResidentBytes();
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < actions; ++i) {
    log->BeginAction(TimeOfDay(i) + " Чтение блока конфигурации " + std::to_string(i));
    log->AddMessage("RC:1 ответ получен");
    log->EndSuccess(ElapsedMark);
  }
  QCoreApplication::processEvents();  // the reveal and layout the burst left pending
  const double burstNs = static_cast<double>(timer.nsecsElapsed());
  const long after = ResidentBytes();
  const long nodes = 2L * actions;

  // One more operation at full size, shown before the next one starts, as the
  // window does between two modem requests.
  timer.restart();
  const int interactive = 20;
  for (int i = 0; i < interactive; ++i) {
    log->BeginAction("12:00:00 Запрос");
    log->AddMessage("RC:1");
    log->EndError("нет ответа от устройства");
    QCoreApplication::processEvents();
    panel.repaint();
  }
  const double interactiveNs = static_cast<double>(timer.nsecsElapsed()) / interactive;

  timer.restart();
  log->Clear();
  QCoreApplication::processEvents();
  const double clearNs = static_cast<double>(timer.nsecsElapsed());

  std::printf("actions:                 %d (%ld nodes)\n", actions, nodes);
  std::printf("time per action:         %.2f us (burst, view attached)\n", burstNs / actions / 1000.0);
  std::printf("memory per node:         %.0f bytes (resident growth %ld KiB)\n",
              static_cast<double>(after - before) / static_cast<double>(nodes), (after - before) / 1024);
  std::printf("shown operation at %dk:  %.2f ms (log, layout and repaint)\n", actions / 1000, interactiveNs / 1e6);
  std::printf("clear:                   %.1f ms\n", clearNs / 1e6);
  return 0;
}

int WriteScreenshot(const char *path) {
  QWidget panel;
  panel.resize(600, 230);
  panel.setWindowTitle(QStringLiteral("Журнал"));
  panel.show();
  auto log = CreateActionLogger(&panel);
  log->AddMessage("10:15:01 Порт COM1 открыт, 19200 бод");
  log->BeginAction("10:15:02 Чтение версии");
  log->GetCurrentNode()->SetNote("RC:1");
  log->EndSuccess("0.125 сек");
  log->BeginAction("10:15:04 Чтение конфигурации");
  log->GetCurrentNode()->SetNote("RC:3/3");
  log->EndError("нет ответа от устройства");
  log->BeginAction("10:15:09 Запись конфигурации");
  log->AddMessage("блок 1 из 2 записан");
  log->BeginAction("блок 2");
  log->EndError("ошибка контрольной суммы");
  log->EndPartial("1 из 2");
  log->GetCurrentNode();
  log->BeginAction("10:15:12 Открытие канала");
  log->GetCurrentNode()->SetNote("RC:2");
  log->AddMessage("маршрут 3 → 7");
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  const bool saved = panel.grab().save(QString::fromLocal8Bit(path));
  std::printf("%s %s\n", saved ? "wrote" : "could not write", path);
  log->EndSuccess("");
  return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv) {
  const bool screenshot = argc >= 3 && std::strcmp(argv[1], "--screenshot") == 0;
  if (!screenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (screenshot) return WriteScreenshot(argv[2]);
  const int actions = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 100000;
  return RunBench(actions);
}
