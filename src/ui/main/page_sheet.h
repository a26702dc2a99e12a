#pragma once
// A page fills the sheet its host gives it.
#include <QVBoxLayout>
#include <QWidget>

namespace ui {

inline void FillSheet(QWidget *sheet, QWidget *page) {
  auto *layout = new QVBoxLayout(sheet);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(page);
}

}  // namespace ui
