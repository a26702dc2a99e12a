#pragma once
// A titled band that opens and closes its contents with a click on the title.
#include <QWidget>

class QToolButton;

class TCollapsibleGroup : public QWidget {
  Q_OBJECT
 public:
  TCollapsibleGroup(const QString &caption, QWidget *parent = nullptr);
  QWidget *Content() const { return content_; }
  bool IsOpen() const;
  void SetOpen(bool open);

 private:
  QToolButton *header_;
  QWidget *content_;
};
