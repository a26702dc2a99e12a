#pragma once
// A titled group of radio buttons with an item index, as the pages use them.
#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class TRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent = nullptr);
  int ItemIndex() const;
  // Selects an item without emitting clicked(); -1 clears the choice.
  void SetItemIndex(int index);
  int Count() const { return static_cast<int>(buttons_.buttons().size()); }

 signals:
  void clicked(int index);

 private:
  QButtonGroup buttons_;
};
