#include "ui/widgets/markup_label.h"

#include "util/markup_text.h"

TMarkupLabel::TMarkupLabel(const QString &caption, QWidget *parent) : QLabel(parent) {
  setTextFormat(Qt::RichText);
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  SetMarkup(caption.toStdString());
}

void TMarkupLabel::SetMarkup(const std::string &utf8) {
  markup_ = utf8;
  setText(QString::fromStdString(util::markup::ToRichText(utf8)));
  setAccessibleName(PlainText());
}

QString TMarkupLabel::PlainText() const { return QString::fromStdString(util::markup::ToPlainText(markup_)); }
