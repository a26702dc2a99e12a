#pragma once
// A label that shows the small markup of the service pages ("<b>", "<c:Red>",
// line breaks) and nothing else as rich text. Its accessible name is the
// text without the markup, so screen readers and UI tests read the words.
#include <QLabel>
#include <string>

class TMarkupLabel : public QLabel {
  Q_OBJECT
 public:
  explicit TMarkupLabel(const QString &caption = QString(), QWidget *parent = nullptr);

  // Shows `utf8` rendered; an empty text empties the label.
  void SetMarkup(const std::string &utf8);
  const std::string &Markup() const { return markup_; }
  // The shown text without the markup, line breaks as "\n".
  QString PlainText() const;

 private:
  std::string markup_;
};
