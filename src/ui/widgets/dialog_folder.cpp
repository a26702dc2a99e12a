#include "ui/widgets/dialog_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace {

// Touched only from the GUI thread, as the dialogs are.
QHash<QString, QString> &LastFolders() {
  static QHash<QString, QString> folders;
  return folders;
}

}  // namespace

QString DialogStartPath(const QString &purpose, const QString &fileName) {
  QString folder = LastFolders().value(purpose);
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  return fileName.isEmpty() ? folder : QDir(folder).filePath(fileName);
}

void RememberDialogFolder(const QString &purpose, const QString &chosenPath) {
  if (!chosenPath.isEmpty()) LastFolders()[purpose] = QFileInfo(chosenPath).absolutePath();
}
