// The register page's texts that need no modem: columns, the comparison line
// before reads and the write report in each of its outcomes.
#include <gtest/gtest.h>

#include "ui/main/registers_tab_logic.h"

using namespace registers_tab;

TEST(RegisterPageLogic, ColumnsAndTheLineBeforeAnyRead) {
  const char *captions[] = {"Register", "Hex", "Dec", "b.0", "b.1", "b.2", "b.3",
                            "b.4",      "b.5", "b.6", "b.7", "Comment", "Эталон"};
  for (int c = 0; c < kColumnCount; ++c) EXPECT_EQ(ColumnCaption(c), captions[c]) << c;

  RegisterPage page;
  EXPECT_EQ(page.Selected(), -1);
  EXPECT_EQ(page.ComparisonLine(), "Сравнение с предыдущим чтением: регистры ещё не прочитаны");
  page.SetReference(ReferenceKind::File);
  EXPECT_EQ(page.ComparisonLine(), "Сравнение с файлом: загрузите файл регистров");
  EXPECT_FALSE(page.HasFile());
  EXPECT_EQ(page.Focus(0x0D), 0);
  EXPECT_EQ(page.Selected(), 0x0D);
  for (int row = 0; row < modem::kRegisterRowCount; ++row) {
    EXPECT_FALSE(page.Bold(row));
    EXPECT_EQ(RegisterPage::Shaded(row), row % 2 == 1);
    EXPECT_EQ(page.CellText(row, colReference), "");
  }
}

TEST(RegisterPageLogic, WriteReportSaysWhatHappenedAndWhatToDo) {
  const std::vector<modem::RegisterDifference> plan = {{0x03, 0x0F, 0x07}, {0x0D, 0x5C, 0x5D}};
  struct Case {
    modem::RegisterWriteOutcome outcome;
    const char *text;
  } cases[] = {
      {{2, false, false, {}, {}, {}}, "Записано регистров: 2; проверка чтением: все совпадают."},
      {{1, true, false, {}, {}, {}},
       "Запись прервана на регистре (0x0D) FREQ2: записано 1 из 2. нет ответа. Прочитайте регистры, чтобы увидеть, "
       "что записано, и повторите запись."},
      {{2, false, true, {}, {}, {}},
       "Записано 2 из 2, но проверочное чтение не удалось: нет ответа. Прочитайте регистры, чтобы проверить запись."},
      {{2, false, false, {{0x0D, 0x5C, 0x5D}}, {}, {}},
       "Записано 2 из 2, но читаются иначе: (0x0D) FREQ2 0x5C вместо 0x5D"},
  };
  for (const auto &c : cases) EXPECT_EQ(WriteOutcomeText(c.outcome, plan, "нет ответа"), c.text);
  EXPECT_EQ(PlanText(plan), "(0x03) FIFOTHR: 0x0F → 0x07\n(0x0D) FREQ2: 0x5C → 0x5D\n");
}
