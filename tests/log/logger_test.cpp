#include "log/logger.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>
#include <string>

#include "log_fakes.h"

namespace {

class LoggerTest : public ::testing::Test {
 protected:
  LoggerRig rig;
  TLogger &log = *rig.logger;
};

TEST_F(LoggerTest, MessageWithNoOpenActionIsTopLevel) {
  auto m = log.AddMessage("Порт открыт");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->GetState(), lsMessage);
  EXPECT_EQ(m->GetParent(), nullptr);
  EXPECT_EQ(m->GetTreeNode(), (TLogTreeNode{nullptr, 0}));
  EXPECT_EQ(log.GetCurrentNode(), nullptr);
  EXPECT_EQ(log.ChildCount(), 1);
  EXPECT_EQ(rig.view.calls, (std::vector<std::string>{"attach", "begin-add <top> 0", "end-add", "reveal Порт открыт"}));
}

TEST_F(LoggerTest, NestedActionsAndMessagesLandUnderTheOpenAction) {
  auto a = log.BeginAction("A");
  auto b = log.BeginAction("B");
  auto m = log.AddMessage("M");

  EXPECT_EQ(b->GetParent(), a);
  EXPECT_EQ(m->GetParent(), b);
  EXPECT_EQ(log.GetCurrentNode(), b) << "a message does not change the open action";
  EXPECT_TRUE(rig.view.Saw("begin-add B 0"));
  EXPECT_TRUE(a->GetExpanded() && b->GetExpanded()) << "revealing M expands its ancestors";

  EXPECT_EQ(log.EndSuccess(""), b);
  EXPECT_EQ(b->GetState(), lsOK);
  EXPECT_EQ(b->GetResult(), "OK");
  EXPECT_EQ(a->GetState(), lsRunning);
  EXPECT_EQ(log.GetCurrentNode(), a);

  EXPECT_EQ(log.EndSuccess(""), a);
  EXPECT_EQ(a->GetState(), lsOK);
  EXPECT_EQ(log.GetCurrentNode(), nullptr);
  EXPECT_EQ(log.ChildCount(), 1);
}

TEST_F(LoggerTest, EndErrorAndEndPartialSetStateResultAndDetail) {
  auto a = log.BeginAction("Чтение");
  EXPECT_EQ(log.EndError("нет ответа от устройства"), a);
  EXPECT_EQ(a->GetState(), lsError);
  EXPECT_EQ(a->GetResult(), "Ошибка");
  EXPECT_EQ(a->GetDetail(), "нет ответа от устройства");

  auto p = log.BeginAction("Запись");
  EXPECT_EQ(log.EndPartial("3 из 4"), p);
  EXPECT_EQ(p->GetState(), lsPartial);
  EXPECT_EQ(p->GetResult(), "Выполнено частично");
  EXPECT_EQ(p->GetDetail(), "3 из 4");
}

TEST(LoggerElapsed, ElapsedMarkBecomesTheElapsedTime) {
  struct Case {
    uint32_t ms;
    char separator;
    std::string detail;
    std::string expected;
  };
  const Case cases[] = {
      {250, '.', ElapsedMark, "0.250 сек"},
      {1234, '.', ElapsedMark, "1.234 сек"},
      {1234, ',', ElapsedMark, "1,234 сек"},
      {0, '.', ElapsedMark, "0.000 сек"},
      {250, '.', std::string(ElapsedMark) + "x", std::string(ElapsedMark) + "x"},
      {250, '.', "", ""},
  };
  for (const auto &c : cases) {
    LoggerRig rig(c.separator);
    auto a = rig.logger->BeginAction("A");
    rig.now += c.ms;
    rig.logger->EndSuccess(c.detail);
    EXPECT_EQ(a->GetDetail(), c.expected) << c.ms << " ms, detail of " << c.detail.size() << " chars";
    EXPECT_EQ(a->GetElapsed(), c.ms);
  }
}

TEST_F(LoggerTest, ElapsedIsZeroUntilFinishedAndSurvivesTickWrap) {
  rig.now = 0xFFFFFF00u;
  auto a = log.BeginAction("A");
  rig.now += 0x200;  // the 32-bit tick wraps meanwhile
  EXPECT_EQ(a->GetElapsed(), 0u);
  log.EndSuccess(ElapsedMark);
  EXPECT_EQ(a->GetElapsed(), 0x200u);
  EXPECT_EQ(a->GetDetail(), "0.512 сек");
}

TEST_F(LoggerTest, EndAsLastChildTakesOverTheLastChildsOutcome) {
  auto a = log.BeginAction("A");
  log.BeginAction("first");
  log.EndError("сбой");
  log.BeginAction("second");
  rig.now += 40;
  log.EndSuccess("child detail");
  rig.now += 60;
  EXPECT_EQ(log.EndAsLastChild(), a);
  EXPECT_EQ(a->GetState(), lsOK);
  EXPECT_EQ(a->GetResult(), "OK");
  EXPECT_EQ(a->GetDetail(), "0.100 сек") << "its own elapsed time, not the child's detail";

  auto b = log.BeginAction("B");
  log.BeginAction("child");
  log.EndError("нет ответа");
  log.EndAsLastChild();
  EXPECT_EQ(b->GetState(), lsError);
  EXPECT_EQ(b->GetResult(), "Ошибка");
  EXPECT_EQ(b->GetDetail(), "нет ответа");
  EXPECT_EQ(log.GetCurrentNode(), nullptr);
}

TEST_F(LoggerTest, EndAsLastChildWithoutChildrenEndsAsMessage) {
  auto a = log.BeginAction("A");
  a->SetResult("stale");
  EXPECT_EQ(log.EndAsLastChild(), a);
  EXPECT_EQ(a->GetState(), lsMessage);
  EXPECT_EQ(a->GetResult(), "");
  EXPECT_EQ(a->GetDetail(), "");
  EXPECT_FALSE(log.Blinking());
}

TEST_F(LoggerTest, FinishingCollapsesOnlyNodesWithChildren) {
  auto leaf = log.BeginAction("leaf");
  leaf->SetExpanded(true);
  rig.view.calls.clear();
  log.EndSuccess("");
  EXPECT_TRUE(leaf->GetExpanded());
  EXPECT_FALSE(rig.view.Saw("collapse leaf"));
  EXPECT_FALSE(rig.view.Saw("reveal leaf"));

  auto parent = log.BeginAction("parent");
  log.AddMessage("child");
  EXPECT_TRUE(parent->GetExpanded());
  rig.view.calls.clear();
  log.EndSuccess("");
  EXPECT_FALSE(parent->GetExpanded());
  EXPECT_EQ(rig.view.calls, (std::vector<std::string>{"repaint parent", "collapse parent", "reveal parent",
                                                      "repaint parent"}));
}

TEST_F(LoggerTest, FinishingMoreOftenThanBegunStopsAtTopLevel) {
  auto a = log.BeginAction("A");
  log.EndSuccess("");
  const auto callsBefore = rig.view.calls.size();
  EXPECT_EQ(log.EndSuccess("x"), nullptr);
  EXPECT_EQ(log.EndError("x"), nullptr);
  EXPECT_EQ(log.EndPartial("x"), nullptr);
  EXPECT_EQ(log.EndAsLastChild(), nullptr);
  EXPECT_EQ(a->GetDetail(), "");
  EXPECT_EQ(rig.view.calls.size(), callsBefore);
  EXPECT_EQ(log.AddMessage("after")->GetParent(), nullptr);
}

TEST_F(LoggerTest, SettersChangeTheNodeAndRepaintIt) {
  auto a = log.BeginAction("A");
  rig.view.calls.clear();
  a->SetNote("RC:2");
  a->SetText("B");
  a->SetDetail("d");
  a->SetResult("r");
  EXPECT_EQ(a->GetNote(), "RC:2");
  EXPECT_EQ(a->GetText(), "B");
  EXPECT_EQ(a->GetDetail(), "d");
  EXPECT_EQ(a->GetResult(), "r");
  EXPECT_EQ(std::count(rig.view.calls.begin(), rig.view.calls.end(), "repaint B"), 3);
}

TEST_F(LoggerTest, CellTextsPutNotesAndDetailsInParentheses) {
  auto a = log.BeginAction("12:00:01 Чтение");
  log.EndError("нет ответа");
  auto m = log.AddMessage("msg");
  a->SetNote("RC:2");
  const auto &node = *log.ChildAt(0);
  const auto &message = *log.ChildAt(1);
  EXPECT_EQ(log.GetCellText(node, 0, TVSTTextType::ttNormal), "12:00:01 Чтение");
  EXPECT_EQ(log.GetCellText(node, 0, TVSTTextType::ttStatic), "(RC:2)");
  EXPECT_EQ(log.GetCellText(node, 1, TVSTTextType::ttNormal), "Ошибка");
  EXPECT_EQ(log.GetCellText(node, 1, TVSTTextType::ttStatic), "(нет ответа)");
  EXPECT_EQ(log.GetCellText(message, 0, TVSTTextType::ttStatic), "");
  EXPECT_EQ(log.GetCellText(message, 1, TVSTTextType::ttNormal), "");
  EXPECT_EQ(log.GetCellText(message, 1, TVSTTextType::ttStatic), "");
  EXPECT_EQ(log.GetCellText(message, 2, TVSTTextType::ttNormal), "");
}

TEST_F(LoggerTest, ImageIndexFollowsTheStateOnlyForColumnZero) {
  log.AddMessage("m");
  log.BeginAction("ok");
  log.EndSuccess("");
  log.BeginAction("err");
  log.EndError("");
  log.BeginAction("part");
  log.EndPartial("");
  log.BeginAction("run");
  const int expected[] = {6, 3, 4, 5, 0};
  for (int row = 0; row < 5; ++row) {
    const TLogNode &node = *log.ChildAt(row);
    EXPECT_EQ(log.GetImageIndex(node, TVTImageKind::ikNormal, 0), expected[row]) << node.TextRef();
    EXPECT_EQ(log.GetImageIndex(node, TVTImageKind::ikSelected, 0), expected[row]) << node.TextRef();
    EXPECT_EQ(log.GetImageIndex(node, TVTImageKind::ikState, 0), -1);
    EXPECT_EQ(log.GetImageIndex(node, TVTImageKind::ikOverlay, 0), -1);
    EXPECT_EQ(log.GetImageIndex(node, TVTImageKind::ikNormal, 1), -1);
  }
}

TEST_F(LoggerTest, OpenActionBlinksEveryTick) {
  EXPECT_EQ(rig.timer.created, 0) << "the timer is made on first use";
  auto a = log.BeginAction("A");
  EXPECT_EQ(rig.timer.created, 1);
  EXPECT_EQ(rig.timer.interval, 250u);
  EXPECT_TRUE(rig.timer.enabled);
  EXPECT_TRUE(log.Blinking());

  const TLogNode &row = *log.ChildAt(0);
  std::vector<int> icons;
  for (int i = 0; i < 4; ++i) {
    icons.push_back(log.GetImageIndex(row, TVTImageKind::ikNormal, 0));
    rig.view.calls.clear();
    rig.Tick();
    EXPECT_EQ(rig.view.calls, std::vector<std::string>{"repaint A"});
  }
  EXPECT_EQ(icons, (std::vector<int>{0, 2, 0, 2}));

  log.EndSuccess("");
  EXPECT_FALSE(rig.timer.enabled);
  EXPECT_FALSE(log.Blinking());
  EXPECT_EQ(log.GetImageIndex(row, TVTImageKind::ikNormal, 0), 3);
}

TEST_F(LoggerTest, FinishedNestedActionLeavesItsParentSteadyUntilTheNextAction) {
  log.BeginAction("outer");
  log.BeginAction("inner");
  rig.Tick();
  log.EndSuccess("");
  EXPECT_FALSE(log.Blinking());
  const TLogNode &outer = *log.ChildAt(0);
  for (int i = 0; i < 2; ++i) {
    rig.Tick();
    EXPECT_EQ(log.GetImageIndex(outer, TVTImageKind::ikNormal, 0), 0);
  }
  log.BeginAction("next");
  EXPECT_TRUE(log.Blinking());
  EXPECT_EQ(rig.timer.created, 1) << "one timer serves every blink";
}

TEST_F(LoggerTest, ClearRemovesEveryNodeAndDetachesHeldOnes) {
  auto a = log.BeginAction("A");
  auto m = log.AddMessage("M");
  log.EndSuccess("");
  auto open = log.BeginAction("open");
  rig.view.calls.clear();

  log.Clear();
  EXPECT_EQ(rig.view.calls, (std::vector<std::string>{"begin-clear", "end-clear"}));
  EXPECT_EQ(log.ChildCount(), 0);
  EXPECT_EQ(log.GetCurrentNode(), nullptr);
  EXPECT_FALSE(log.Blinking());
  EXPECT_EQ(m->GetParent(), nullptr);
  EXPECT_EQ(m->GetText(), "M") << "a node a caller holds stays readable";
  rig.view.calls.clear();
  m->SetText("changed");
  a->SetExpanded(true);
  EXPECT_TRUE(rig.view.calls.empty()) << "a cleared node no longer reaches the view";

  EXPECT_EQ(log.EndSuccess(""), nullptr);
  EXPECT_EQ(log.AddMessage("fresh")->GetTreeNode(), (TLogTreeNode{nullptr, 0}));
}

// Runs `work` on a thread with a small stack, where deep recursion would crash.
void RunOnSmallStack(void (*work)(void *), void *arg) {
  struct Call {
    void (*work)(void *);
    void *arg;
  } call{work, arg};
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 256 * 1024);
  pthread_t thread;
  ASSERT_EQ(pthread_create(
                &thread, &attr,
                [](void *p) -> void * {
                  auto *c = static_cast<Call *>(p);
                  c->work(c->arg);
                  return nullptr;
                },
                &call),
            0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
}

TEST(LoggerLifetime, DeepTreeIsFreedWithoutRecursion) {
  LoggerRig rig;
  for (int i = 0; i < 20000; ++i) rig.logger->BeginAction("level");
  RunOnSmallStack([](void *p) { static_cast<LoggerRig *>(p)->logger.reset(); }, &rig);
  EXPECT_EQ(rig.view.calls.back(), "detach");
}

TEST(LoggerLifetime, DestructionStopsBlinkingClearsAndGivesTheViewBack) {
  LoggerRig rig;
  auto a = rig.logger->BeginAction("A");
  rig.view.calls.clear();
  rig.logger.reset();
  EXPECT_EQ(rig.view.calls, (std::vector<std::string>{"begin-clear", "end-clear", "detach"}));
  EXPECT_FALSE(rig.timer.enabled);
  EXPECT_EQ(rig.timer.onTick, nullptr) << "the timer is freed with the logger";
  EXPECT_EQ(a->GetParent(), nullptr);
}

TEST(LoggerWithoutView, KeepsTheLogInMemory) {
  TLogger log(nullptr, TLoggerOptions{});
  log.BeginAction("A");
  log.AddMessage("M");
  auto a = log.EndSuccess(ElapsedMark);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->GetResult(), "OK");
  EXPECT_EQ(log.ChildAt(0)->ChildCount(), 1);
}

}  // namespace

// Refusals and failures that are messages carry the warning or error
// picture; nothing else can be added as a message.
TEST_F(LoggerTest, WarningsAndFailuresKeepTheirPicture) {
  EXPECT_EQ(log.AddMessageAs("refused", lsWarning)->GetState(), lsWarning);
  EXPECT_EQ(log.AddMessageAs("failed", lsFailure)->GetState(), lsFailure);
  EXPECT_EQ(log.AddMessageAs("not a message state", lsRunning)->GetState(), lsMessage);
  EXPECT_EQ(log.GetCurrentNode(), nullptr) << "a message opens no action";
  auto image = [&](int row) { return log.GetImageIndex(*log.ChildAt(row), TVTImageKind::ikNormal, 0); };
  EXPECT_EQ(image(0), 7);  // warning
  EXPECT_EQ(image(1), 4);  // error
  EXPECT_EQ(image(2), 6);  // information
}
