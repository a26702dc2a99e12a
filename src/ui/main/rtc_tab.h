#pragma once
// The page "RTC": the modem's clock against the computer's, setting it to
// the computer's time, and the drift between the two from successive reads.
#include <QWidget>

#include "modem/clock_comparison.h"

class QLabel;
class QPushButton;

namespace modem {
class ZIZ2400;
}
namespace ui {
class IPageHost;
}

class TRtcTab : public QWidget {
  Q_OBJECT
 public:
  // Builds the page into `sheet`, the host's sheet "RTC".
  TRtcTab(ui::IPageHost &host, QWidget *sheet);

  void Button25Click();  // Read RTC
  void Button26Click();  // Set Date/time

  QPushButton *Button25, *Button26;
  QLabel *Label4, *L_Drift;

 private:
  ui::IPageHost &host_;
  modem::clock_text::ClockDrift drift_;
  // The node the drift readings came from: another one starts a new series.
  const modem::ZIZ2400 *driftNode_ = nullptr;
  int driftDeviceId_ = -1;
};
