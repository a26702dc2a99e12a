// "Справка" → "О программе" says which build this is and where its settings are.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <cstdio>

#include "ui/form_fixture.h"
#include "util/version.h"

TEST(AboutDialog, ShowsVersionBuildDateAndTheSettingsFile) {
  auto form = testing_support::MakeSimulatedForm("about");
  auto *about = form->findChild<QAction *>("AboutAction");
  ASSERT_NE(about, nullptr);
  QStringList shown;
  QTimer::singleShot(0, [&] {
    for (QWidget *w : QApplication::topLevelWidgets()) {
      auto *dialog = qobject_cast<QDialog *>(w);
      if (!dialog || !dialog->isVisible()) continue;
      for (auto *label : dialog->findChildren<QLabel *>()) shown << label->accessibleName() + "=" + label->text();
      dialog->reject();
    }
  });
  about->trigger();
  EXPECT_TRUE(shown.contains(QString::fromStdString("Версия:=" + util::VersionNumber()))) << shown.join("|").toStdString();
  EXPECT_TRUE(shown.contains(QString::fromStdString("Дата сборки:=" + util::BuildDate())));
  const QString settings = QString::fromStdString(
      (std::filesystem::temp_directory_path() / "vovor_about.settings").string());
  EXPECT_TRUE(shown.contains("Файл настроек:=" + settings)) << shown.join("|").toStdString();
}

TEST(AboutDialog, VersionAndHelpNeedNoDisplay) {
  // With the X platform forced and no display, a window system start would
  // abort the program; these two must answer before one is needed.
  for (const char *option : {"--version", "--help"}) {
    std::string command = std::string("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ") + VOVOR_BIN_DIR +
                          "/vovor " + option + " 2>&1";
    std::string out;
    FILE *p = popen(command.c_str(), "r");
    ASSERT_NE(p, nullptr);
    char buffer[512];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, p)) > 0;) out.append(buffer, n);
    EXPECT_EQ(pclose(p), 0) << option << ": " << out;
    EXPECT_NE(out.find(option == std::string("--version") ? util::VersionLine("vovor") : "--settings"), std::string::npos)
        << out;
  }
}
