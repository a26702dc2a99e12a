#include "ui/widgets/markup_label.h"

#include "ui/widgets/markup_label_logic.h"

TMarkupLabel::TMarkupLabel(const QString &caption, QWidget *parent) : QLabel(parent) {
  setTextFormat(Qt::RichText);
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  SetMarkup(caption.toStdString());
}

void TMarkupLabel::SetMarkup(const std::string &utf8) {
  markup_ = utf8;
  setText(QString::fromStdString(markup_label::ToRichText(utf8)));
  setAccessibleName(PlainText());
}

QString TMarkupLabel::PlainText() const { return QString::fromStdString(markup_label::ToPlainText(markup_)); }
