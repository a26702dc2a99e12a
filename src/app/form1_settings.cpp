// The main window's settings file: section "Form1", the keys in their
// documented order, then the window placement, then keys of our own.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLocale>
#include <QMessageBox>
#include <QSpinBox>
#include <QSplitter>

#include "app/form1.h"
#include "ui/main/shell_logic.h"
#include "ui/widgets/radio_group.h"
#include "util/format.h"
#include "util/ini_file.h"

namespace {

constexpr char kSection[] = "Form1";

char DecimalSeparator() {
  QString p = QLocale::system().decimalPoint();
  return p.size() == 1 && p[0].unicode() < 128 ? static_cast<char>(p[0].unicode()) : '.';
}

using Binding = TForm1::SettingBinding;

Binding Index(const std::string &key, QComboBox *combo) {
  return {key, [combo] { return std::to_string(combo->currentIndex()); },
          [combo](const std::string &v) {
            auto n = shell::ParseSettingInteger(v);
            if (!n || *n < -1 || *n >= combo->count()) return false;
            combo->setCurrentIndex(static_cast<int>(*n));
            return true;
          }};
}

Binding Index(const std::string &key, TRadioGroup *group) {
  return {key, [group] { return std::to_string(group->ItemIndex()); },
          [group](const std::string &v) {
            auto n = shell::ParseSettingInteger(v);
            if (!n || *n < -1 || *n >= group->Count()) return false;
            group->SetItemIndex(static_cast<int>(*n));
            return true;
          }};
}

Binding Value(const std::string &key, QSpinBox *spin) {
  return {key, [spin] { return shell::FormatSettingNumber(spin->value(), DecimalSeparator()); },
          [spin](const std::string &v) {
            auto n = shell::ParseSettingNumber(v, DecimalSeparator());
            if (!n) return false;
            spin->setValue(static_cast<int>(std::clamp<double>(*n, spin->minimum(), spin->maximum())));
            return true;
          }};
}

Binding Value(const std::string &key, QDoubleSpinBox *spin) {
  return {key, [spin] { return shell::FormatSettingNumber(spin->value(), DecimalSeparator()); },
          [spin](const std::string &v) {
            auto n = shell::ParseSettingNumber(v, DecimalSeparator());
            if (!n) return false;
            spin->setValue(*n);
            return true;
          }};
}

Binding Checked(const std::string &key, QCheckBox *box) {
  return {key, [box] { return std::string(box->isChecked() ? "1" : "0"); },
          [box](const std::string &v) {
            auto n = shell::ParseSettingInteger(v);
            if (!n) return false;
            box->setChecked(*n != 0);
            return true;
          }};
}

}  // namespace

std::vector<TForm1::SettingBinding> TForm1::SettingBindings() {
  std::vector<Binding> b;
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
  b.push_back(Index("CB_Speed.ItemIndex", CB_Speed));
  b.push_back(Value("SE_UartAddr.Value", SE_UartAddr));
  b.push_back(Index("CB_DataFormat.ItemIndex", CB_DataFormat));
  b.push_back(Index("CB_MeasureDivisor.ItemIndex", CB_MeasureDivisor));
  b.push_back(Index("CB_UsedCrystal.ItemIndex", CB_UsedCrystal));
  b.push_back(Value("SE_Temperature.Value", SE_Temperature));
  b.push_back(Value("SE_MeasuredFreq.Value", SE_MeasuredFreq));
  b.push_back(Value("SE_NetAddr.Value", SE_NetAddr));
  b.push_back(Index("CB_VC_Spd.ItemIndex", CB_VC_Spd));
  b.push_back(Index("CB_VC_Fmt.ItemIndex", CB_VC_Fmt));
  b.push_back(Value("SE_VC_CloseTO.Value", SE_VC_CloseTO));
  b.push_back(Value("SE_NT_Cnt.Value", SE_NT_Cnt));
  b.push_back(Checked("CB_NT_ReadAll.Checked", CB_NT_ReadAll));
  b.push_back(Index("RG_WorkProt.ItemIndex", RG_WorkProt));
  b.push_back(Value("SE_PortTimeOut.Value", SE_PortTimeOut));
  b.push_back(Value("SE_ORVARemCh.Value", SE_ORVARemCh));
  return b;
}

void TForm1::LoadSettings() {
  util::OrderedIni ini;
  ini.Load(options_.settingsPath);
  auto number = [&](const char *key) -> std::optional<int> {
    auto v = ini.Get(kSection, key);
    if (!v) return std::nullopt;
    auto n = shell::ParseSettingInteger(*v);
    if (!n || *n < -100000 || *n > 100000) return std::nullopt;
    return static_cast<int>(*n);
  };
  // Placement first: the normal rectangle, then the state.
  QRect r = geometry();
  int left = number(".Left").value_or(r.left());
  int top = number(".Top").value_or(r.top());
  int right = number(".Right").value_or(left + r.width());
  int bottom = number(".Bottom").value_or(top + r.height());
  if (right - left >= 200 && bottom - top >= 150) setGeometry(left, top, right - left, bottom - top);
  int state = number(".WindowState").value_or(0);
  if (state == 1) setWindowState(Qt::WindowMinimized);
  if (state == 2) setWindowState(Qt::WindowMaximized);

  std::vector<Binding> bindings = SettingBindings();
  bindings.insert(bindings.end(), ExtraSettings.begin(), ExtraSettings.end());
  bindings.push_back({"ServicePages.Visible", [this] { return std::string(ServicePagesAction->isChecked() ? "1" : "0"); },
                      [this](const std::string &v) {
                        auto n = shell::ParseSettingInteger(v);
                        if (!n) return false;
                        SetServicePagesVisible(*n != 0);
                        return true;
                      }});
  for (auto &b : bindings) {
    auto value = ini.Get(kSection, b.key);
    if (!value) continue;
    // Controls change without their change handlers: the port opens once,
    // after loading, and the nodes get their settings when chosen.
    QSignalBlocker blockPort(CB_Port), blockSpeed(CB_Speed), blockFormat(CB_DataFormat), blockAddr(SE_UartAddr),
        blockRemote(SE_RemoteNodeAddr), blockProt(RG_WorkProt), blockAccess(RG_NodeAccess);
    // A value that cannot be applied is skipped and named in the log; the
    // start goes on with the rest.
    if (!b.load(*value) && Logger) Logger->AddMessage(util::Format("Настройка %s не применена: \"%s\"", b.key, *value));
  }
}

void TForm1::SaveSettings() {
  util::OrderedIni ini;
  std::vector<Binding> bindings = SettingBindings();
  for (auto &b : bindings) ini.Set(kSection, b.key, b.save());
  QRect n = normalGeometry().isValid() ? normalGeometry() : geometry();
  ini.Set(kSection, ".Left", std::to_string(n.left()));
  ini.Set(kSection, ".Top", std::to_string(n.top()));
  ini.Set(kSection, ".Right", std::to_string(n.left() + n.width()));
  ini.Set(kSection, ".Bottom", std::to_string(n.top() + n.height()));
  int state = isMaximized() ? 2 : (isMinimized() ? 1 : 0);
  ini.Set(kSection, ".WindowState", std::to_string(state));
  for (auto &b : ExtraSettings) ini.Set(kSection, b.key, b.save());
  ini.Set(kSection, "ServicePages.Visible", ServicePagesAction->isChecked() ? "1" : "0");
  std::string why;
  if (!options_.settingsPath.empty() && !ini.Save(options_.settingsPath, &why))
    QMessageBox::critical(nullptr, QApplication::applicationName(),
                          QString::fromStdString("Настройки не записаны: " + why));
}
