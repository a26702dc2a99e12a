#pragma once
// Pieces the service pages ("Команды", "Info", "PHY", "RTC") are built of:
// controls named as on the form, a polling timer that never overlaps its own
// poll, and a plot with its save button.
#include <QObject>
#include <QString>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;
class TTimePlot;

namespace ui {

QPushButton *NamedButton(const char *name, const QString &caption);
// A plain-text label: a device's text is never read as rich text.
QLabel *NamedLabel(const char *name, const QString &caption);
QCheckBox *NamedCheck(const char *name, const QString &caption);

// A "Cycled" poll: while the box is ticked, the timer fires every `periodMs`
// after the previous poll ended; a tick that comes while a poll of its own
// runs (the window stays live during the wait) is let go.
class TCycledPoll : public QObject {
  Q_OBJECT
 public:
  TCycledPoll(QCheckBox *box, QTimer *timer, std::function<void()> poll, QObject *parent);
  bool Polling() const { return polling_; }

 private:
  void Tick();
  QCheckBox *box_;
  QTimer *timer_;
  std::function<void()> poll_;
  bool polling_ = false;
};

// Seconds on one steady clock, for the time axis of every plot.
double PlotSeconds();

// A button that saves `plot` as a PNG file the user names; a failure is
// shown in a message box that says what to do.
QPushButton *SavePlotButton(const char *name, TTimePlot *plot, const QString &defaultName);

}  // namespace ui
