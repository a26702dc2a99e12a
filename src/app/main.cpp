// vovor: the configurator.
#include <QApplication>
#include <QCommandLineParser>

#include "app/form1.h"
#include "util/ini_file.h"

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vovor"));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("VO_Vor конфигуратор"));
  parser.addHelpOption();
  QCommandLineOption simOption(QStringLiteral("sim"), QStringLiteral("Start on the built-in simulated modem."));
  QCommandLineOption settingsOption(QStringLiteral("settings"), QStringLiteral("Use this settings file."),
                                    QStringLiteral("file"));
  parser.addOption(simOption);
  parser.addOption(settingsOption);
  parser.process(app);

  TForm1::Options options;
  options.startSimulated = parser.isSet(simOption);
  options.settingsPath = parser.isSet(settingsOption)
                             ? parser.value(settingsOption).toStdString()
                             : util::SettingsFilePath(QCoreApplication::applicationFilePath().toStdString(), ".settings");
  TForm1 form(options);
  form.show();
  return app.exec();
}
