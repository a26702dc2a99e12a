#pragma once
// The questions and warnings a page puts to the user in message boxes. Tests
// replace them, since a modal box would wait for a click nobody makes.
#include <QString>
#include <functional>

class QWidget;

namespace ui {

struct PagePrompts {
  // Yes/No; true for Yes.
  std::function<bool(QWidget *parent, const QString &text)> ask;
  std::function<void(QWidget *parent, const QString &text)> warn;
  // A file name to save to (empty when cancelled).
  std::function<QString(QWidget *parent, const QString &title, const QString &directory, const QString &filter)>
      saveFile;

  static PagePrompts MessageBoxes();
};

}  // namespace ui
