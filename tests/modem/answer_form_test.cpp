// Which answer data can be the answer to a request of a given form.
#include "modem/answer_form.h"

#include <gtest/gtest.h>

namespace {

using modem::TAnswerForm;

TEST(AnswerForm, LengthsAndTextDecideWhatFits) {
  struct Case {
    const char *name;
    TAnswerForm form;
    const char *dataHex;
    bool fits;
  } const cases[] = {
      {"exact length", TAnswerForm::Exactly(3), "010203", true},
      {"one short", TAnswerForm::Exactly(3), "0102", false},
      {"one over", TAnswerForm::Exactly(3), "01020304", false},
      {"at least, more", TAnswerForm::AtLeast(1), "0102", true},
      {"at least, none", TAnswerForm::AtLeast(1), "", false},
      {"any, none", TAnswerForm::Any(), "", true},
      {"text, Latin", TAnswerForm::Text(), "76312E30", true},                 // "v1.0"
      {"text, Cyrillic high bytes", TAnswerForm::Text(), "8EE0A2A0", true},  // CP866 letters
      {"text, line break", TAnswerForm::Text(), "610D0A62", true},
      {"text, NUL padding", TAnswerForm::Text(), "61620000", true},
      {"text, empty", TAnswerForm::Text(), "", true},
      {"text, control byte", TAnswerForm::Text(), "610662", false},
      {"text, DEL", TAnswerForm::Text(), "617F", false},
      {"text, after NUL", TAnswerForm::Text(), "610062", false},
      {"register block", TAnswerForm::Text(), "2E2E06070000", false},
  };
  for (const auto &c : cases) EXPECT_EQ(c.form.Fits(c.dataHex), c.fits) << c.name;
}

}  // namespace
