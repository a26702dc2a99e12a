// The markup label as a user and a screen reader see it.
#include <gtest/gtest.h>

#include <QImage>
#include <QTextDocument>

#include "ui/widgets/markup_label.h"

namespace {

// Pixels of a strong red in the painted label.
int RedPixels(QWidget &w) {
  w.resize(w.sizeHint());
  QImage image = w.grab().toImage();
  int red = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      QColor c = image.pixelColor(x, y);
      if (c.red() > 180 && c.green() < 90 && c.blue() < 90) ++red;
    }
  return red;
}

}  // namespace

TEST(MarkupLabelWidget, PaintsRedAndExposesThePlainText) {
  TMarkupLabel label;
  label.SetMarkup("<b>PHY Status:</b>  <c:Red>Unknown</c>\r\nnext");
  EXPECT_GT(RedPixels(label), 0);
  EXPECT_EQ(label.accessibleName(), QString("PHY Status:  Unknown\nnext"));
  EXPECT_EQ(label.PlainText(), label.accessibleName());
  label.SetMarkup("<b>PHY Status:</b>  ps_RX");
  EXPECT_EQ(RedPixels(label), 0);
}

TEST(MarkupLabelWidget, ShowsADeviceTextLiterally) {
  TMarkupLabel label;
  label.SetMarkup("<font color=red>Узел & <b>7</b>");
  QTextDocument shown;
  shown.setHtml(label.text());
  EXPECT_EQ(shown.toPlainText(), QString("<font color=red>Узел & 7"));
  EXPECT_EQ(RedPixels(label), 0);
}

TEST(MarkupLabelWidget, StartsWithItsCaption) {
  TMarkupLabel label("PHYS_L");
  EXPECT_EQ(label.PlainText(), QString("PHYS_L"));
  EXPECT_EQ(label.Markup(), "PHYS_L");
}
