#include "ui/log/log_frames_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "modem/frame_recorder.h"

TLogFramesDialog::TLogFramesDialog(const QString &action, const std::vector<TLogFrame> &frames, QWidget *parent)
    : QDialog(parent) {
  setObjectName("LogFramesDialog");
  setWindowTitle(QStringLiteral("Кадры: ") + action);
  resize(900, 320);
  auto *layout = new QVBoxLayout(this);
  Table = new QTableWidget(this);
  Table->setObjectName("FramesTable");
  Table->setAccessibleName(QStringLiteral("Кадры действия"));
  Table->setColumnCount(4);
  Table->setHorizontalHeaderLabels({QStringLiteral("Время"), QStringLiteral("Куда"), QStringLiteral("Байты"),
                                    QStringLiteral("Кадр")});
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->verticalHeader()->hide();
  std::vector<modem::TFrameLine> lines;
  for (const auto &frame : frames) lines.push_back(modem::FrameLine(frame));
  Table->setRowCount(static_cast<int>(lines.size()));
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
    const auto &line = lines[static_cast<size_t>(row)];
    const QString cells[] = {QString::fromStdString(line.time), QString::fromStdString(line.direction),
                             QString::fromStdString(line.hex), QString::fromStdString(line.description)};
    for (int column = 0; column < 4; ++column) {
      auto *item = new QTableWidgetItem(cells[column]);
      if (column == 2) item->setFont(fixed);
      item->setToolTip(cells[column]);
      Table->setItem(row, column, item);
    }
  }
  Table->resizeColumnsToContents();
  Table->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(new QLabel(QStringLiteral("→ отправлено модему, ← получено от модема"), this));
  layout->addWidget(Table);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}
