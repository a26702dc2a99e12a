#pragma once
// The frames behind one logged action: when each went, which way, its bytes
// and what it says.
#include <QDialog>
#include <vector>

#include "log/log_frame.h"

class QTableWidget;

class TLogFramesDialog : public QDialog {
  Q_OBJECT
 public:
  TLogFramesDialog(const QString &action, const std::vector<TLogFrame> &frames, QWidget *parent);
  QTableWidget *Table;
};
