#pragma once
// A terminal window on a fake page host, with a settings file of its own
// (removed first) and test requests answered without the dialog.
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "ui/support/fake_page_host.h"
#include "ui/terminal/net_num_form.h"
#include "ui/terminal/term_form.h"
#include "ui/widgets/hex_view.h"

namespace testing_support {

struct TermRig {
  FakePageHost host;
  TNetNumForm netNum;
  std::string settingsPath;
  QPointer<TTermForm> form;
  std::vector<int> askedKinds;
  int answerNumber = 5;
  std::vector<QString> messages;

  explicit TermRig(const std::string &name, bool removeSettings = true) {
    settingsPath = (std::filesystem::temp_directory_path() / ("vovor_" + name + ".settings2")).string();
    if (removeSettings) std::filesystem::remove(settingsPath);
  }
  ~TermRig() { delete form.data(); }

  TTermForm &Open() {
    form = new TTermForm(host, netNum, settingsPath);
    form->AskNetNumber = [this](int kind) {
      askedKinds.push_back(kind);
      return answerNumber;
    };
    form->ShowMessage = [this](const QString &text) { messages.push_back(text); };
    form->SetPort(host.port);
    form->show();
    form->activateWindow();
    (void)QTest::qWaitForWindowActive(form);
    return *form;
  }
  // Destroys the window as a close does (its settings are saved).
  void Close() {
    form->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  std::string ViewBytes() const { return form->MPHexEditorEx1->Model().AllBytes(); }
  // 'S' for a byte shown as sent (changed), 'r' for one shown as received.
  std::string Marks() const {
    std::string out;
    const auto &m = form->MPHexEditorEx1->Model();
    for (size_t i = 0; i < m.Size(); ++i) out += m.IsChanged(i) ? 'S' : 'r';
    return out;
  }
};

}  // namespace testing_support
