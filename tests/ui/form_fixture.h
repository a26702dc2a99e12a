#pragma once
// The main window on the built-in simulated modem, for widget tests.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "ui/log/action_log_frame.h"

namespace testing_support {

// A window with a settings file of its own (removed first) and, unless
// told, no terminal window posted.
inline std::unique_ptr<TForm1> MakeSimulatedForm(const std::string &name, bool showTerminal = false) {
  auto path = std::filesystem::temp_directory_path() / ("vovor_" + name + ".settings");
  std::filesystem::remove(path);
  TForm1::Options o;
  o.settingsPath = path.string();
  o.startSimulated = true;
  o.showTerminal = showTerminal;
  return std::make_unique<TForm1>(o);
}

// "caption | result" of every top-level row of the window's action log.
inline std::vector<std::string> LogRowsWithResults(TForm1 &form) {
  std::vector<std::string> rows;
  auto *m = form.Panel1->findChild<TActionLog_Frame *>()->VST->model();
  for (int i = 0; i < m->rowCount(); ++i)
    rows.push_back(m->index(i, 0).data().toString().toStdString() + " | " +
                   m->index(i, 1).data().toString().toStdString());
  return rows;
}

}  // namespace testing_support
