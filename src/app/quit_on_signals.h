#pragma once
// SIGINT, SIGTERM and SIGHUP close the configurator the way its window's
// close does: windows close (settings written), the port lets go of the
// line. Without this a terminal's Ctrl-C or a logout killed it on the spot.
#include <QObject>

class QSocketNotifier;

class TQuitOnSignals : public QObject {
 public:
  // Once, after the QApplication exists.
  explicit TQuitOnSignals(QObject *parent = nullptr);
  ~TQuitOnSignals() override;

 private:
  void SignalArrived();
  QSocketNotifier *notifier_ = nullptr;
};
