// vovor: the configurator.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <optional>

#include "app/form1.h"
#include "app/program_windows.h"
#include "app/quit_on_signals.h"
#include "util/ini_file.h"
#include "util/version.h"

namespace {

// The options, read before the window system is touched, so --help and
// --version work without a display. Nothing: the program ends with `status`.
std::optional<TForm1::Options> ReadOptions(int argc, char **argv, int *status) {
  QCoreApplication parsing(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vovor"));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("VO_Vor конфигуратор"));
  QCommandLineOption helpOption(QStringList{"h", "help"}, QStringLiteral("Show this text."));
  QCommandLineOption versionOption(QStringLiteral("version"), QStringLiteral("Show the version and build date."));
  QCommandLineOption simOption(QStringLiteral("sim"), QStringLiteral("Start on the built-in simulated modem."));
  QCommandLineOption settingsOption(QStringLiteral("settings"), QStringLiteral("Use this settings file."),
                                    QStringLiteral("file"));
  parser.addOptions({helpOption, versionOption, simOption, settingsOption});
  *status = 0;
  if (!parser.parse(QCoreApplication::arguments())) {
    std::fprintf(stderr, "vovor: %s\n%s", qPrintable(parser.errorText()), qPrintable(parser.helpText()));
    *status = 2;
    return std::nullopt;
  }
  if (parser.isSet(helpOption)) {
    std::fputs(qPrintable(parser.helpText()), stdout);
    return std::nullopt;
  }
  if (parser.isSet(versionOption)) {
    std::puts(util::VersionLine("vovor").c_str());
    return std::nullopt;
  }
  TForm1::Options options;
  options.startSimulated = parser.isSet(simOption);
  options.settingsPath = parser.isSet(settingsOption)
                             ? parser.value(settingsOption).toStdString()
                             : util::SettingsFilePath(QCoreApplication::applicationFilePath().toStdString(), ".settings");
  return options;
}

}  // namespace

int main(int argc, char **argv) {
  int status = 0;
  std::optional<TForm1::Options> options = ReadOptions(argc, argv, &status);
  if (!options) return status;
  QApplication app(argc, argv);
  TQuitOnSignals quitOnSignals;
  QApplication::setApplicationName(QStringLiteral("vovor"));
  TForm1 form(*options);
  // Made after the main window and gone before it: the terminal is a link
  // of the main window's port, the dump window reads its nodes.
  TProgramWindows windows(form, options->settingsPath);
  form.show();
  return app.exec();
}
