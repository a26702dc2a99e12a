// The label markup: tags and line breaks rendered, everything else literal.
#include <gtest/gtest.h>

#include "util/markup_text.h"

using util::markup::ToPlainText;
using util::markup::ToRichText;

// Runs of blanks survive rich text: a blank after a blank, or at the start
// of a run, is a non-breaking one.
TEST(MarkupLabel, RendersBoldColourAndLineBreaks) {
  struct Case {
    const char *markup, *rich, *plain;
  } cases[] = {
      {"<b>RF_Channel:  5</b>", "<span style=\"font-weight:bold;\">RF_Channel: &nbsp;5</span>", "RF_Channel:  5"},
      {"<c:Red>Unknown</c>", "<span style=\"color:red;\">Unknown</span>", "Unknown"},
      {"a\r\nb\nc\rd", "a<br>b<br>c<br>d", "a\nb\nc\nd"},
      {"<b>x <c:Red>y</c></b> z", "<span style=\"font-weight:bold;\">x </span>"
                                  "<span style=\"font-weight:bold;color:red;\">y</span>&nbsp;z",
       "x y z"},
      {"<c:clGreen>ok</c>", "<span style=\"color:green;\">ok</span>", "ok"},
      {"<c:#00FF00>ok</c>", "<span style=\"color:#00FF00;\">ok</span>", "ok"},
      {"", "", ""},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(ToRichText(c.markup), c.rich) << c.markup;
    EXPECT_EQ(ToPlainText(c.markup), c.plain) << c.markup;
  }
}

TEST(MarkupLabel, AnythingThatIsNoTagOfTheMarkupStaysLiteral) {
  struct Case {
    const char *markup, *rich, *plain;
  } cases[] = {
      // A device name or version text with rich text of its own.
      {"<img src=x>&amp;", "&lt;img src=x&gt;&amp;amp;", "<img src=x>&amp;"},
      {"<i>a</i>", "&lt;i&gt;a&lt;/i&gt;", "<i>a</i>"},
      // A colour that would break out of the style attribute.
      {"<c:red;background:url(x)>a</c>", "&lt;c:red;background:url(x)&gt;a", "<c:red;background:url(x)>a"},
      {"<c:\">a", "&lt;c:&quot;&gt;a", "<c:\">a"},
      {"<c:Red", "&lt;c:Red", "<c:Red"},
      {"a < b > c", "a &lt; b &gt; c", "a < b > c"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(ToRichText(c.markup), c.rich) << c.markup;
    EXPECT_EQ(ToPlainText(c.markup), c.plain) << c.markup;
  }
}

TEST(MarkupLabel, UnbalancedTagsStillGiveWellFormedText) {
  // Closers without openers are dropped; crossed tags end where they close.
  EXPECT_EQ(ToRichText("</b></c>a"), "a");
  EXPECT_EQ(ToRichText("<b><c:Red>a</b>b</c>c"),
            "<span style=\"font-weight:bold;color:red;\">a</span><span style=\"color:red;\">b</span>c");
  EXPECT_EQ(ToRichText("<b>open"), "<span style=\"font-weight:bold;\">open</span>");
  // The PHY flags line when no shown flag is set: the label's next line follows at once.
  EXPECT_EQ(ToPlainText("<b>PHY Flags:</b>  \r\n<b>PHY Status:</b>  ps_RX"), "PHY Flags:  \nPHY Status:  ps_RX");
}
