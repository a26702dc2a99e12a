#pragma once
// Where a file dialog opens: the folder the user last chose for the same
// purpose in this run, or else the user's documents folder (not the
// program's working folder, which is rarely where people keep files).
#include <QString>

QString DialogStartPath(const QString &purpose, const QString &fileName);
void RememberDialogFolder(const QString &purpose, const QString &chosenPath);
