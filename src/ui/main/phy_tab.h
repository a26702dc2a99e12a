#pragma once
// The page "PHY": the radio driver's state, its error counters, the
// transceiver's temperature, carrier offsets and last received frame, the
// transceiver off and on; with "Cycled", the last frame's RSSI and LQI
// polled and plotted.
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;
class TMarkupLabel;
class TTimePlot;

namespace ui {
class IPageHost;
class TCycledPoll;
}  // namespace ui

class TPhyTab : public QWidget {
  Q_OBJECT
 public:
  // Builds the page into `sheet`, the host's sheet "PHY".
  TPhyTab(ui::IPageHost &host, QWidget *sheet);

  void Button24Click();  // Get status
  void Button55Click();  // Get errors stat
  void Button36Click();  // Temperature
  void Button39Click();  // PHY_OFF
  void Button40Click();  // PHY_ON
  void Button44Click();  // Get CarrierOffs
  void Btn_GetLPSClick();

  QPushButton *Button24, *Button55, *Button36, *Button39, *Button40, *Button44, *Btn_GetLPS;
  QCheckBox *CB_CycleLPS;
  TMarkupLabel *PHYS_L;
  QLabel *L_Temper, *L_PHYCarrier;
  QTimer *Timer2;
  TTimePlot *RssiPlot, *LqiPlot;
  QPushButton *Btn_SaveRssiPlot, *Btn_SaveLqiPlot;
  ui::TCycledPoll *LpsPoll;

 private:
  ui::IPageHost &host_;
};
