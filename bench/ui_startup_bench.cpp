// Start-up of the configurator on the built-in simulated modem: from nothing
// to the main window shown, and then to the modem's configuration read.
#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "app/form1.h"
#include "ui/main/config_tab.h"

int main(int argc, char **argv) {
  using Clock = std::chrono::steady_clock;
  auto t0 = Clock::now();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  auto settings = std::filesystem::temp_directory_path() / "vovor_startup_bench.settings";
  std::filesystem::remove(settings);
  TForm1::Options o;
  o.settingsPath = settings.string();
  o.startSimulated = true;
  TForm1 form(o);
  form.show();
  QApplication::processEvents();
  auto shown = Clock::now();
  auto *configTab = form.FindPage<TConfigTab>();
  configTab->Btn_ReadConf->click();
  auto read = Clock::now();
  auto ms = [](auto a, auto b) { return std::chrono::duration<double, std::milli>(b - a).count(); };
  std::printf("window shown after %.1f ms, configuration read after %.1f ms (read alone %.1f ms), %s\n", ms(t0, shown),
              ms(t0, read), ms(shown, read), configTab->CurrentConfig() ? "read OK" : "read FAILED");
  // --screens DIR: a picture of the window on every page, to look at.
  for (int i = 1; i + 1 < argc; ++i) {
    if (QString(argv[i]) != "--screens") continue;
    form.SetServicePagesVisible(true);
    for (int t = 0; t < form.PageControl1->count(); ++t) {
      form.PageControl1->setCurrentIndex(t);
      QApplication::processEvents();
      form.grab().save(QString("%1/page%2.png").arg(argv[i + 1]).arg(t, 2, 10, QChar('0')));
    }
  }
  return configTab->CurrentConfig() ? 0 : 1;
}
