// The log keeps the frames behind each action: a configuration read saved
// as JSON holds every request and answer of it, in order, each its way.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <nlohmann/json.hpp>

#include "ui/form_fixture.h"
#include "ui/log/action_log_frame.h"
#include "ui/main/config_tab.h"

using nlohmann::json;

TEST(LogFrames, AConfigurationReadSavedAsJsonHoldsItsFramesInOrder) {
  auto form = testing_support::MakeSimulatedForm("log_frames");
  auto *tab = form->FindPage<TConfigTab>();
  ASSERT_NE(tab, nullptr);
  tab->Btn_ReadConfClick();

  QTemporaryDir dir;
  const QString path = dir.filePath("log.json");
  auto *frame = form->Panel1->findChild<TActionLog_Frame *>();
  ASSERT_TRUE(frame->SaveLogToFile(path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  json log = json::parse(file.readAll().toStdString());
  EXPECT_EQ(log["format"], "vovor-log");

  // The read is an action whose blocks may be actions of their own: its
  // frames, in the log's order, are the frames of its whole subtree.
  json frames = json::array();
  std::vector<json> pending(log["rows"].rbegin(), log["rows"].rend());
  while (!pending.empty()) {
    json row = pending.back();
    pending.pop_back();
    if (row.contains("frames"))
      for (auto &f : row["frames"]) frames.push_back(f);
    if (row.contains("children"))
      for (auto it = row["children"].rbegin(); it != row["children"].rend(); ++it) pending.push_back(*it);
  }
  ASSERT_GE(frames.size(), 4u);  // the image takes several blocks
  for (size_t i = 0; i < frames.size(); ++i) {
    const bool request = i % 2 == 0;
    EXPECT_EQ(frames[i]["direction"], request ? "sent" : "received") << i;
    const std::string words = frames[i].value("description", "");
    EXPECT_NE(words.find(request ? "запрос" : "ответ"), std::string::npos) << i << ": " << words;
    EXPECT_NE(words.find("контрольная сумма верна"), std::string::npos) << words;
    if (i > 0) {
      EXPECT_GE(frames[i]["time"].get<std::string>(), frames[i - 1]["time"].get<std::string>());
    }
  }
}
