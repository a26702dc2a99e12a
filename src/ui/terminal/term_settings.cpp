// The terminal's ".settings2": restored when the window is made, saved when
// it is destroyed.
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSpinBox>

#include "ui/terminal/term_form.h"
#include "ui/terminal/term_settings_logic.h"
#include "ui/widgets/radio_group.h"
#include "util/ini_file.h"

namespace {

struct TStoredValue {
  std::string key;
  std::function<std::string()> save;
  std::function<bool(const std::string &)> load;
};

TStoredValue Index(const char *key, QComboBox *box) {
  return {key, [box] { return std::to_string(box->currentIndex()); },
          [box](const std::string &v) {
            auto n = term::ParseInt(v);
            if (!n || *n < -1 || *n >= box->count()) return false;
            box->setCurrentIndex(*n);
            return true;
          }};
}

TStoredValue Value(const char *key, QSpinBox *spin) {
  return {key, [spin] { return std::to_string(spin->value()); },
          [spin](const std::string &v) {
            auto n = term::ParseInt(v);
            if (!n || *n < spin->minimum() || *n > spin->maximum()) return false;
            spin->setValue(*n);
            return true;
          }};
}

QSize ScreenSize(const QWidget *w) {
  const QScreen *s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  return s ? s->size() : QSize(0, 0);
}

std::vector<TStoredValue> TermStoredValues(TTermForm &f) {
  std::vector<TStoredValue> v;
  v.push_back(Index("ChannelComboBox_ItemIndex", f.ChannelComboBox));
  v.push_back(Index("FormatComboBox_ItemIndex", f.FormatComboBox));
  v.push_back({"FormatRadioGroup_ItemIndex", [&f] { return std::to_string(f.FormatRadioGroup->ItemIndex()); },
               [&f](const std::string &s) {
                 auto n = term::ParseInt(s);
                 if (!n || *n < -1 || *n >= f.FormatRadioGroup->Count()) return false;
                 f.FormatRadioGroup->SetItemIndex(*n);
                 return true;
               }});
  v.push_back(Index("InSpeedComboBox_ItemIndex", f.InSpeedComboBox));
  v.push_back(Value("LenSpinEdit_Value", f.LenSpinEdit));
  v.push_back(Value("MarkerRxSpinEdit_Value", f.MarkerRxSpinEdit));
  v.push_back(Index("OutSpeedComboBox_ItemIndex", f.OutSpeedComboBox));
  v.push_back(Value("TimeOutSpinEdit_Value", f.TimeOutSpinEdit));
  v.push_back({"ToSendEdit_Text", [&f] { return f.ToSendEdit->text().toStdString(); },
               [&f](const std::string &s) {
                 f.ToSendEdit->setText(QString::fromStdString(s));
                 return true;
               }});
  v.push_back({"TransitCheckBox_Checked", [&f] { return term::BoolText(f.TransitCheckBox->isChecked()); },
               [&f](const std::string &s) {
                 auto b = term::ParseBool(s);
                 if (!b) return false;
                 f.TransitCheckBox->setChecked(*b);
                 f.TransitCheckBoxClick();
                 return true;
               }});
  v.push_back(Index("InterfaceComboBox_ItemIndex", f.InterfaceComboBox));
  return v;
}

}  // namespace

void TTermForm::RestoreSettings() {
  util::OrderedIni ini;
  ini.Load(settingsPath_);
  const QSize screen = ScreenSize(this);
  auto placement = term::ReadPlacement(ini, term::kTermSection, screen.width(), screen.height());
  if (!placement) {
    // Nothing stored (or a version this program does not know): centred.
    if (const QScreen *s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
    return;
  }
  const auto &r = placement->normPos;
  if (r[2] - r[0] >= minimumWidth() && r[3] - r[1] >= minimumHeight()) setGeometry(r[0], r[1], r[2] - r[0], r[3] - r[1]);
  if (placement->showCmd == 3) setWindowState(Qt::WindowMaximized);
  if (placement->showCmd == 2) setWindowState(Qt::WindowMinimized);

  for (auto &value : TermStoredValues(*this)) {
    auto text = ini.Get(term::kTermSection, value.key);
    // A stored text the control cannot hold is kept as it is and written
    // back unless the user changes the control.
    if (!text) continue;
    value.load(*text);
    restored_[value.key] = {*text, value.save()};
  }
  for (int n = 1; n <= 10; ++n)
    if (auto text = ini.Get(term::kTermSection, std::to_string(n))) macros_[static_cast<size_t>(n - 1)] = *text;
}

void TTermForm::SaveSettings() {
  util::OrderedIni ini;
  ini.Load(settingsPath_);
  term::TWindowPlacement p;
  const QRect n = normalGeometry().isValid() ? normalGeometry() : geometry();
  p.normPos = {n.left(), n.top(), n.left() + n.width(), n.top() + n.height()};
  p.showCmd = isMaximized() ? 3 : (isMinimized() ? 2 : 1);
  p.pixelsPerInch = logicalDpiY();
  const QSize screen = ScreenSize(this);
  term::WritePlacement(ini, term::kTermSection, p, screen.width(), screen.height());
  for (auto &value : TermStoredValues(*this)) {
    std::string now = value.save();
    auto it = restored_.find(value.key);
    if (it != restored_.end() && it->second.second == now) now = it->second.first;
    ini.Set(term::kTermSection, value.key, now);
  }
  for (int n = 1; n <= 10; ++n) ini.Set(term::kTermSection, std::to_string(n), macros_[static_cast<size_t>(n - 1)]);
  std::string why;
  if (!ini.Save(settingsPath_, &why))
    QMessageBox::warning(nullptr, "Терминал",
                         QString::fromStdString("Настройки терминала не записаны: " + why +
                                                ". Проверьте права на папку настроек."));
}
