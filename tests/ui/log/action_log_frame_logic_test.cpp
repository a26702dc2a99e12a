#include "ui/log/action_log_frame_logic.h"

#include <gtest/gtest.h>

namespace {

class LogTextTest : public ::testing::Test {
 protected:
  LogTextTest() : log(nullptr, Options()) {
    log.BeginAction("10:00:00 Чтение");
    log.GetCurrentNode()->SetNote("RC:2");
    log.AddMessage("шаг 1");
    log.BeginAction("шаг 2");
    log.EndError("нет ответа");
    log.EndPartial("");
    log.AddMessage("10:00:05 Готово");
  }

  static TLoggerOptions Options() {
    TLoggerOptions options;
    options.Tick = [] { return 0u; };
    return options;
  }

  const TLogNode &Row(int top, int child = -1) const {
    const TLogNode *node = log.ChildAt(top);
    return child < 0 ? *node : *node->ChildAt(child);
  }

  TLogger log;
};

TEST_F(LogTextTest, WholeTreeIsIndentedByDepth) {
  EXPECT_EQ(LogTreeText(log),
            "10:00:00 Чтение (RC:2)\tВыполнено частично\n"
            "  шаг 1\n"
            "  шаг 2\tОшибка (нет ответа)\n"
            "10:00:05 Готово\n");
}

TEST_F(LogTextTest, SelectedRowsComeOutInTreeOrder) {
  EXPECT_EQ(LogRowsText(log, {&Row(1), &Row(0, 1), &Row(0)}),
            "10:00:00 Чтение (RC:2)\tВыполнено частично\n"
            "  шаг 2\tОшибка (нет ответа)\n"
            "10:00:05 Готово\n");
  EXPECT_EQ(LogRowsText(log, {}), "");
}

TEST_F(LogTextTest, ClearingIsRefusedWhileAnActionIsOpen) {
  EXPECT_TRUE(CanClearLog(log));
  log.BeginAction("открыто");
  EXPECT_FALSE(CanClearLog(log));
  log.EndSuccess("");
  log.Clear();
  EXPECT_FALSE(CanClearLog(log)) << "nothing to clear";
}

}  // namespace
