// The main window's settings file: section "Form1", the documented keys in
// their order (the window's and those its pages register), then the window
// placement, then keys of our own.
#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QSpinBox>
#include <QSplitter>

#include "app/form1.h"
#include "ui/log/action_log_frame.h"
#include "ui/main/page_settings.h"
#include "ui/main/shell_logic.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/window_placement.h"
#include "util/format.h"
#include "util/ini_file.h"

namespace {

constexpr char kSection[] = "Form1";

}  // namespace

std::vector<ui::TPageSetting> TForm1::ShellSettings() {
  std::vector<ui::TPageSetting> b;
  b.push_back({"Panel1.Height", [this] { return std::to_string(Panel1->height()); },
               [this](const std::string &v) {
                 auto n = shell::ParseSettingInteger(v);
                 if (!n || *n < 0 || *n > 10000) return false;
                 int total = Splitter1->height() > 0 ? Splitter1->height() : height();
                 int panel = static_cast<int>(*n);
                 Splitter1->setSizes({std::max(50, total - panel - Splitter1->handleWidth()), panel});
                 return true;
               }});
  b.push_back({"CB_Port.Text", [this] { return CB_Port->currentText().toStdString(); },
               [this](const std::string &v) {
                 CB_Port->setEditText(QString::fromStdString(v));
                 return true;
               }});
  b.push_back(ui::ItemIndexSetting("CB_Speed.ItemIndex", CB_Speed));
  b.push_back(ui::ValueSetting("SE_UartAddr.Value", SE_UartAddr));
  b.push_back(ui::ItemIndexSetting("CB_DataFormat.ItemIndex", CB_DataFormat));
  b.push_back(ui::ItemIndexSetting("RG_WorkProt.ItemIndex", RG_WorkProt));
  b.push_back(ui::ValueSetting("SE_PortTimeOut.Value", SE_PortTimeOut));
  b.insert(b.end(), pageSettings_.begin(), pageSettings_.end());
  if (auto *log = Panel1->findChild<TActionLog_Frame *>()) {
    // The log's column widths, as the user left them.
    for (int column : {0, 1}) {
      b.push_back({"VST.Column" + std::to_string(column) + ".Width",
                   [log, column] { return std::to_string(log->VST->header()->sectionSize(column)); },
                   [log, column](const std::string &v) {
                     auto n = shell::ParseSettingInteger(v);
                     if (!n || *n < 20 || *n > 5000) return false;
                     log->RestoreColumnWidth(column, static_cast<int>(*n));
                     return true;
                   }});
    }
  }
  b.push_back({"ServicePages.Visible", [this] { return std::string(ServicePagesAction->isChecked() ? "1" : "0"); },
               [this](const std::string &v) {
                 auto n = shell::ParseSettingInteger(v);
                 if (!n) return false;
                 SetServicePagesVisible(*n != 0);
                 return true;
               }});
  // A remote command's total time limit in ms (0: none); kept in the file only.
  b.push_back({"RemoteNode.CommandTimeoutMs", [this] { return std::to_string(RemoteNode->GetCommandTimeoutMs()); },
               [this](const std::string &v) {
                 auto n = shell::ParseSettingInteger(v);
                 if (!n || *n < 0 || *n > 3600000) return false;
                 RemoteNode->SetCommandTimeoutMs(static_cast<int>(*n));
                 return true;
               }});
  return b;
}

namespace {

std::vector<std::string> KeysOf(const std::vector<ui::TPageSetting> &settings) {
  std::vector<std::string> keys;
  for (const auto &s : settings) keys.push_back(s.key);
  return keys;
}

}  // namespace

void TForm1::LoadPlacement(const util::OrderedIni &ini) {
  auto number = [&](const char *key) -> std::optional<int> {
    auto v = ini.Get(kSection, key);
    if (!v) return std::nullopt;
    auto n = shell::ParseSettingInteger(*v);
    if (!n || *n < -100000 || *n > 100000) return std::nullopt;
    return static_cast<int>(*n);
  };
  QRect r = geometry();
  int left = number(".Left").value_or(r.left());
  int top = number(".Top").value_or(r.top());
  int right = number(".Right").value_or(left + r.width());
  int bottom = number(".Bottom").value_or(top + r.height());
  // A stored place off every screen, or a size beyond it, would hide the
  // window: it is made visible on the screens there are now.
  if (right - left >= 200 && bottom - top >= 150) RestoreWindowGeometry(this, QRect(left, top, right - left, bottom - top));
  int state = number(".WindowState").value_or(0);
  if (state == 1) setWindowState(Qt::WindowMinimized);
  if (state == 2) setWindowState(Qt::WindowMaximized);
}

bool TForm1::LoadSettings() {
  util::OrderedIni ini;
  std::string refused;
  if (!ini.Load(options_.settingsPath, &refused)) {
    // A settings file that is there but refused (too large, not a file) is
    // said; the window then starts with its defaults.
    if (std::filesystem::exists(options_.settingsPath) && logger_)
      logger_->AddMessage("Настройки не прочитаны: " + refused);
    return false;
  }
  // Placement first: the normal rectangle, then the state.
  LoadPlacement(ini);

  const std::vector<ui::TPageSetting> settings = ShellSettings();
  const shell::SettingsOrder order = shell::OrderSettings(KeysOf(settings));
  std::vector<size_t> loadOrder = order.documented;
  loadOrder.insert(loadOrder.end(), order.own.begin(), order.own.end());
  for (size_t i : loadOrder) {
    const ui::TPageSetting &s = settings[i];
    auto value = ini.Get(s.section.empty() ? kSection : s.section, s.key);
    if (!value) continue;
    // Controls change without their change handlers: the port opens once,
    // after loading, and the nodes get their settings when chosen.
    QSignalBlocker blockPort(CB_Port), blockSpeed(CB_Speed), blockFormat(CB_DataFormat), blockAddr(SE_UartAddr),
        blockRemote(SE_RemoteNodeAddr), blockProt(RG_WorkProt), blockAccess(RG_NodeAccess);
    // A value that cannot be applied is skipped and named in the log; the
    // start goes on with the rest.
    if (!s.load(*value) && logger_)
      logger_->AddMessageAs(util::Format("Настройка %s не применена: \"%s\"", s.key, *value), lsWarning);
  }
  return true;
}

void TForm1::SaveSettings() {
  util::OrderedIni ini;
  const std::vector<ui::TPageSetting> settings = ShellSettings();
  const shell::SettingsOrder order = shell::OrderSettings(KeysOf(settings));
  for (size_t i : order.documented) ini.Set(kSection, settings[i].key, settings[i].save());
  QRect n = normalGeometry().isValid() ? normalGeometry() : geometry();
  ini.Set(kSection, ".Left", std::to_string(n.left()));
  ini.Set(kSection, ".Top", std::to_string(n.top()));
  ini.Set(kSection, ".Right", std::to_string(n.left() + n.width()));
  ini.Set(kSection, ".Bottom", std::to_string(n.top() + n.height()));
  int state = isMaximized() ? 2 : (isMinimized() ? 1 : 0);
  ini.Set(kSection, ".WindowState", std::to_string(state));
  for (size_t i : order.own) {
    const ui::TPageSetting &s = settings[i];
    // A key of another section is written once it holds something, as the
    // dialog that keeps it writes it only when used.
    const std::string value = s.save();
    if (s.section.empty()) ini.Set(kSection, s.key, value);
    else if (!value.empty()) ini.Set(s.section, s.key, value);
  }
  std::string why;
  if (!options_.settingsPath.empty() && !ini.Save(options_.settingsPath, &why))
    QMessageBox::critical(nullptr, QApplication::applicationName(),
                          QString::fromStdString("Настройки не записаны: " + why));
}
