// The dump window's ".settings3": section "DumpForm", the placement first,
// then the five stored values in their documented order. The section's
// layout is the terminal's, so both windows' files read alike.
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

#include "log/log_intf.h"
#include "ui/dump/dump_form.h"
#include "ui/main/page_host.h"
#include "ui/terminal/term_settings_logic.h"
#include "ui/widgets/spin_edit.h"
#include "util/ini_file.h"

namespace {

constexpr char kSection[] = "DumpForm";

QSize ScreenSize() {
  QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize();
}

std::string Key(const char *component, const char *property) { return std::string(component) + "_" + property; }

}  // namespace

void TDumpForm::LoadSettings() {
  util::OrderedIni ini;
  if (settingsPath_.empty() || !ini.Load(settingsPath_)) return;
  const QSize screen = ScreenSize();
  auto placement = term::ReadPlacement(ini, kSection, screen.width(), screen.height());
  if (!placement) return;
  const auto &r = placement->normPos;
  if (r[2] - r[0] >= minimumWidth() && r[3] - r[1] >= minimumHeight()) setGeometry(r[0], r[1], r[2] - r[0], r[3] - r[1]);
  if (placement->showCmd == 3) setWindowState(Qt::WindowMaximized);
  auto integer = [&](const char *component, const char *property) -> std::optional<int> {
    auto v = ini.Get(kSection, Key(component, property));
    return v ? term::ParseInt(*v) : std::nullopt;
  };
  if (auto n = integer("AddrRxSpinEdit", "Value")) AddrRxSpinEdit->setValue(std::max(*n, 0));
  if (auto n = integer("SizeRxSpinEdit", "Value")) SizeRxSpinEdit->setValue(std::max(*n, 0));
  if (auto v = ini.Get(kSection, Key("AllCheckBox", "Checked")))
    if (auto b = term::ParseBool(*v)) AllCheckBox->setChecked(*b);
  if (auto n = integer("CB_MemType", "ItemIndex"); n && *n >= 0 && *n < CB_MemType->count())
    CB_MemType->setCurrentIndex(*n);
  if (auto v = ini.Get(kSection, Key("SaveDialog", "InitialDir"))) SaveDialogInitialDir = QString::fromStdString(*v);
}

void TDumpForm::SaveSettings() {
  if (settingsPath_.empty()) return;
  util::OrderedIni ini;
  term::TWindowPlacement p;
  const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
  p.normPos = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  p.showCmd = isMaximized() ? 3 : isMinimized() ? 2 : 1;
  if (QScreen *screen = QGuiApplication::primaryScreen()) p.pixelsPerInch = qRound(screen->logicalDotsPerInch());
  const QSize screen = ScreenSize();
  term::WritePlacement(ini, kSection, p, screen.width(), screen.height());
  ini.Set(kSection, Key("AddrRxSpinEdit", "Value"), std::to_string(AddrRxSpinEdit->value()));
  ini.Set(kSection, Key("SizeRxSpinEdit", "Value"), std::to_string(SizeRxSpinEdit->value()));
  ini.Set(kSection, Key("AllCheckBox", "Checked"), term::BoolText(AllCheckBox->isChecked()));
  ini.Set(kSection, Key("CB_MemType", "ItemIndex"), std::to_string(CB_MemType->currentIndex()));
  ini.Set(kSection, Key("SaveDialog", "InitialDir"), SaveDialogInitialDir.toStdString());
  std::string why;
  if (!ini.Save(settingsPath_, &why))
    if (auto log = host_.Logger()) log->AddMessage("Настройки окна «Память» не записаны: " + why);
}
