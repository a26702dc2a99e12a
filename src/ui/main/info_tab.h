#pragma once
// The page "Info": tick counter and work time, main-cycle rate, EEPROM test
// time, version, device name and supply state; with "Cycled", the supply
// polled and its voltages plotted.
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;
class TTimePlot;

namespace ui {
class IPageHost;
class TCycledPoll;
}  // namespace ui

class TInfoTab : public QWidget {
  Q_OBJECT
 public:
  // Builds the page into `sheet`, the host's sheet "Info".
  TInfoTab(ui::IPageHost &host, QWidget *sheet);

  void Button22Click();  // Get tick
  void Button23Click();  // Cycle time
  void Button27Click();  // Test eeprom
  void Button53Click();  // Version
  void Button54Click();  // Device Desc
  void Btn_GetHWSCClick();

  QPushButton *Button22, *Button23, *Button27, *Button53, *Button54, *Btn_GetHWSC;
  QLabel *Label2, *Label3, *L_Version, *L_DeviceDesc, *L_HWSC;
  QCheckBox *CB_HWSC_Cycled;
  QTimer *Timer3;
  TTimePlot *SupplyPlot;
  QPushButton *Btn_SaveSupplyPlot;
  ui::TCycledPoll *HwscPoll;

 private:
  ui::IPageHost &host_;
};
