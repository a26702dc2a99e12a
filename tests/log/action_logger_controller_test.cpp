#include "log/action_logger_controller.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "log_fakes.h"

namespace {

struct RecordingFrame : ILogFrame {
  explicit RecordingFrame(std::vector<std::string> &events) : events(events) {}
  ~RecordingFrame() override { events.push_back("frame freed"); }
  std::vector<std::string> &events;
};

struct RecordingClearView : RecordingLogView {
  explicit RecordingClearView(std::vector<std::string> &events) : events(events) {}
  void EndClear() override { events.push_back("cleared"); }
  void DetachLogger() override { events.push_back("logger released"); }
  std::vector<std::string> &events;
};

TEST(ActionLoggerController, PassesOperationsOnAndTearsDownInOrder) {
  std::vector<std::string> events;
  RecordingClearView view(events);
  auto logger = std::make_shared<TLogger>(&view, TLoggerOptions{});
  TLogger *raw = logger.get();
  auto controller = std::make_shared<TActionLoggerController>(std::make_unique<RecordingFrame>(events), logger);
  logger.reset();
  std::shared_ptr<ISequentialActionLogger> seq = controller;
  controller.reset();

  auto a = seq->BeginAction("A");
  EXPECT_EQ(seq->GetCurrentNode(), a);
  EXPECT_EQ(raw->ChildCount(), 1);
  seq->AddMessage("M");
  EXPECT_EQ(seq->EndSuccess(""), a);
  seq->BeginAction("B");
  EXPECT_EQ(seq->EndError("e")->GetResult(), "Ошибка");
  seq->BeginAction("C");
  EXPECT_EQ(seq->EndPartial("p")->GetState(), lsPartial);
  seq->BeginAction("D");
  EXPECT_EQ(seq->EndAsLastChild()->GetState(), lsMessage);
  seq->Clear();
  EXPECT_EQ(raw->ChildCount(), 0);

  events.clear();
  seq.reset();
  EXPECT_EQ(events, (std::vector<std::string>{"cleared", "cleared", "logger released", "frame freed"}));
}

}  // namespace
