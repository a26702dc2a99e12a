#pragma once
// The memory dump window "Память": reads one memory of the current node,
// whole or from an address on, into a hex view whose offsets are the memory
// addresses; saves it (raw, Intel HEX or text), compares it with an earlier
// dump, and erases the two memories that can be erased, after asking.
// One window for the program's life; every show binds it to the host's
// current node. Its settings live in a ".settings3" file of its own.
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "ui/dump/dump_form_logic.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class THexView;
class TSpinEdit;

namespace modem {
class ZIZ2400;
}
namespace ui {
class IPageHost;
}

class TDumpForm : public QWidget {
  Q_OBJECT
 public:
  // `settingsPath` is the ".settings3" file; empty keeps no settings.
  TDumpForm(ui::IPageHost &host, std::string settingsPath, QWidget *parent = nullptr);
  ~TDumpForm() override;

  // The node the window reads; not owned. Null leaves it without one.
  void SetDevice(modem::ZIZ2400 *node) { device_ = node; }
  modem::ZIZ2400 *Device() const { return device_; }
  // Binds to the host's current node and brings the window up.
  void ShowForCurrentNode();

  void ReadButtonClick();
  void SaveButtonClick();
  void Button1Click();  // erase
  void CompareButtonClick();
  void StopButtonClick();
  void CB_MemTypeChange();
  void AllCheckBoxClick();

  // What the view shows after the last read; nothing after a failed one.
  const std::optional<dump_form::TViewContent> &Content() const { return content_; }
  bool Reading() const { return reading_; }

  // The questions the window asks, replaceable by tests: a file name to
  // save to (empty: cancelled), a file to compare with, and a yes or no.
  std::function<QString(const QString &proposedPath)> AskSaveFileName;
  std::function<QString(const QString &folder)> AskCompareFileName;
  std::function<bool(const QString &question)> Confirm;

  QComboBox *CB_MemType = nullptr;
  QPushButton *ReadButton = nullptr;
  QPushButton *SaveButton = nullptr;
  QPushButton *Button1 = nullptr;
  QPushButton *CompareButton = nullptr;
  QPushButton *StopButton = nullptr;
  QLabel *Label1 = nullptr;
  QLabel *Label2 = nullptr;
  TSpinEdit *AddrRxSpinEdit = nullptr;
  TSpinEdit *SizeRxSpinEdit = nullptr;
  QCheckBox *AllCheckBox = nullptr;
  THexView *DumpHexEditorEx = nullptr;
  QProgressBar *ReadProgress = nullptr;
  QLabel *StatusLabel = nullptr;
  // The folder the save dialog opens in; kept in the settings.
  QString SaveDialogInitialDir;

  void SaveSettings();

 protected:
  // Closing ends a read still running and keeps the settings at once.
  void closeEvent(QCloseEvent *event) override;

 private:
  void BuildWindow();
  void UpdateControls();
  void LoadSettings();
  void ShowContent();
  void SetStatus(const std::string &text);
  void OnProgress(size_t done, size_t total);
  QString DefaultAskSaveFileName(const QString &proposedPath);
  std::string NodeText() const;

  ui::IPageHost &host_;
  std::string settingsPath_;
  modem::ZIZ2400 *device_ = nullptr;
  std::optional<dump_form::TViewContent> content_;
  bool reading_ = false;
  bool stopRequested_ = false;
};
