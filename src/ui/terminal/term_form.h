#pragma once
// "Терминал": every byte on the serial line in one hex view, the program's
// own requests in the changed colours, the modem's answers in the normal
// ones; text or bytes sent by hand, test requests for meters and modems,
// checksums of a selection and ten macros. A link of the main window's port,
// so it sees what any party writes and what the reader thread reads.
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "port/custom_port.h"

class QAction;
class QComboBox;
class QGroupBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QTimer;
class THexView;
class TNetNumForm;
class TRadioGroup;

namespace modem {
enum class TMeterTest;
}
namespace ui {
class IPageHost;
}

class TTermForm : public QWidget {
  Q_OBJECT
 public:
  // `netNum` outlives every terminal; `settingsPath` is the ".settings2" file.
  TTermForm(ui::IPageHost &host, TNetNumForm &netNum, std::string settingsPath, QWidget *parent = nullptr);
  ~TTermForm() override;

  THexView *MPHexEditorEx1;
  QLabel *FrameLabel;  // the frame under the selection, in words
  TRadioGroup *FormatRadioGroup;
  QLineEdit *ToSendEdit;
  QLabel *SendFaultLabel;
  QPushButton *SendButton;
  QGroupBox *GroupBox1;
  QCheckBox *TransitCheckBox;
  QWidget *TransitPanel;
  QComboBox *ChannelComboBox, *OutSpeedComboBox, *InSpeedComboBox, *FormatComboBox, *InterfaceComboBox;
  QSpinBox *TimeOutSpinEdit, *MarkerRxSpinEdit, *LenSpinEdit;
  QLineEdit *TransitAnswerLabel;
  QPushButton *PortButton, *CalcButton, *Button1;
  port::TPortLink PortLink1;
  QTimer *Timer1;

  QMenu *OutBufPopupMenu, *GetMacroItem, *SetMacroItem;
  QAction *ClearItem, *CopyItem, *N1;
  QAction *TestVesk, *TestMerc200, *TestMerc230, *TestPSC, *TestSET_CS, *TestSET_CRC, *CE68__Test, *CSItem;

  // Asks for the network number of a test request (-1: cancelled). The
  // dialog by default; tests answer in its place.
  std::function<int(int kind)> AskNetNumber;
  // Shows the checksum calculator's message; a message box by default.
  std::function<void(const QString &text)> ShowMessage;

  void SetPort(port::TPort *port);
  bool Bin() const;
  std::string Macro(int number) const { return macros_.at(static_cast<size_t>(number - 1)); }

  // Handlers, named after their controls.
  void PortLink1ReceiveData(const std::string &data);
  void PortLink1SendData(const std::string &data);
  void Timer1Timer();
  void FlushReceived();
  void SendButtonClick();
  void ClearItemClick();
  void CopyItemClick();
  void CSItemClick();
  void TransitCheckBoxClick();
  void CalcButtonClick();
  void Button1Click();
  void PutToSend(const std::string &bytes);

 protected:
  void closeEvent(QCloseEvent *event) override;

 private:
  void BuildControls();
  void BuildTransitGroup(QWidget *parent);
  void BuildMenus();
  void BuildMacroItems();
  void RunTest(modem::TMeterTest test);
  // Appends to the view (cleared first past 1 MiB); where the bytes begin.
  size_t AppendToView(const std::string &bytes);
  void ShowSendFault(size_t at, const std::string &why);
  void SetMacro(int number);
  void RestoreSettings();
  void SaveSettings();
  QString SourceText() const;

  ui::IPageHost &host_;
  TNetNumForm &netNum_;
  std::string settingsPath_;
  std::mutex RxLock;
  std::string PendingRx;
  std::array<std::string, 10> macros_;
  // Stored texts as read, and the control's value they gave: a value the
  // user left alone is written back as it was read.
  std::map<std::string, std::pair<std::string, std::string>> restored_;
  std::array<QAction *, 10> getMacroActions_{};
  std::array<QAction *, 10> setMacroActions_{};
};
