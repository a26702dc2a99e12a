#pragma once
// "О программе": what this build is and where it keeps its settings.
#include <QDialog>
#include <string>

class TAboutDialog : public QDialog {
  Q_OBJECT
 public:
  TAboutDialog(const std::string &settingsPath, QWidget *parent);
};
