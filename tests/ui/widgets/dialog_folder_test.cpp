// File dialogs open in the documents folder the first time, then where the
// user last chose for the same purpose.
#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ui/widgets/dialog_folder.h"

TEST(DialogFolder, DocumentsFirstThenTheLastFolderChosenForThatPurpose) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  QDir(home.path()).mkpath("Documents");
  const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  ASSERT_EQ(documents, home.path() + "/Documents");

  EXPECT_EQ(DialogStartPath("dump-test", "eeprom.map"), documents + "/eeprom.map");
  QDir(home.path()).mkpath("saved");
  RememberDialogFolder("dump-test", home.path() + "/saved/eeprom.map");
  EXPECT_EQ(DialogStartPath("dump-test", "fram.map"), home.path() + "/saved/fram.map");
  EXPECT_EQ(DialogStartPath("log-test", ""), documents);  // another purpose keeps its own
  qputenv("HOME", oldHome);
  qputenv("XDG_CONFIG_HOME", oldConfig);
}
