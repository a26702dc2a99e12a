#pragma once
// The page "Регистры": the radio chip's register file of the current node as
// a table, its reads, one register's write and the command strobes; beside
// them a comparison with an earlier read, the power-on defaults or a saved
// file, and register files saved, loaded, exported and written back.
#include <QWidget>
#include <QString>
#include <array>
#include <functional>

#include "ui/main/registers_tab_logic.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class TRegistersTableModel;
class TSpinEdit;

namespace ui {
class IPageHost;
}

class TRegistersTab : public QWidget {
  Q_OBJECT
 public:
  TRegistersTab(ui::IPageHost &host, QWidget *sheet);

  QTableView *VST1;
  QPushButton *Button6;  // "Read registers"
  std::array<QPushButton *, modem::kStrobeCount> StrobeButtons;
  TSpinEdit *SE_RegValue;
  QPushButton *Button3;  // "Write register"
  QComboBox *CB_RegReference;
  QLabel *L_RegCompare;
  QPushButton *Btn_RegSave, *Btn_RegLoad, *Btn_RegExport, *Btn_RegWriteFile;
  QLabel *L_RegStatus;  // what the last action came to, and what to do when it failed

  // The dialogs, replaced by tests. ChooseFile gives an empty path when the
  // user cancels; Confirm asks a yes/no question with a list of details.
  enum class FileDialog { Save, Export, Load };
  std::function<QString(FileDialog)> ChooseFile;
  std::function<bool(const QString &question, const QString &details)> Confirm;

  const registers_tab::RegisterPage &Page() const { return page_; }

  void Button6Click();
  void VST1DblClick(int row);
  void VST1FocusChanged(int row);
  void Button3Click();
  void StrobeClick(uint8_t code);
  void SaveClick();
  void ExportClick();
  void LoadClick();
  void WriteFileClick();

 private:
  void BuildPage();
  // Runs `work` on the current node; says in the status line why it could not.
  bool Run(const std::function<void(modem::ZIZ2400 &)> &work);
  void Refresh(int first = 0, int last = modem::kRegisterRowCount - 1);
  void ReferenceChosen(int index);
  void SaveText(FileDialog kind, const std::string &text);
  void Report(const std::string &text, bool failed);
  QString DefaultChooseFile(FileDialog kind);

  ui::IPageHost &host_;
  registers_tab::RegisterPage page_;
  TRegistersTableModel *model_;
};
