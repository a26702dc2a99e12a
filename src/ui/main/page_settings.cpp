#include "ui/main/page_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLocale>
#include <QSpinBox>
#include <algorithm>

#include "ui/main/shell_logic.h"
#include "ui/widgets/radio_group.h"

namespace ui {

char SettingsDecimalSeparator() {
  QString p = QLocale::system().decimalPoint();
  return p.size() == 1 && p[0].unicode() < 128 ? static_cast<char>(p[0].unicode()) : '.';
}

namespace {

template <typename List>
TPageSetting IndexOf(const std::string &key, List *list, int (List::*get)() const, void (List::*set)(int),
                     int (List::*count)() const) {
  return {key, [list, get] { return std::to_string((list->*get)()); },
          [list, set, count](const std::string &v) {
            auto n = shell::ParseSettingInteger(v);
            if (!n || *n < -1 || *n >= (list->*count)()) return false;
            (list->*set)(static_cast<int>(*n));
            return true;
          }};
}

}  // namespace

TPageSetting ItemIndexSetting(const std::string &key, QComboBox *combo) {
  return IndexOf(key, combo, &QComboBox::currentIndex, &QComboBox::setCurrentIndex, &QComboBox::count);
}

TPageSetting ItemIndexSetting(const std::string &key, TRadioGroup *group) {
  return IndexOf(key, group, &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex, &TRadioGroup::Count);
}

TPageSetting ValueSetting(const std::string &key, QSpinBox *spin) {
  return {key, [spin] { return shell::FormatSettingNumber(spin->value(), SettingsDecimalSeparator()); },
          [spin](const std::string &v) {
            auto n = shell::ParseSettingNumber(v, SettingsDecimalSeparator());
            if (!n) return false;
            spin->setValue(static_cast<int>(std::clamp<double>(*n, spin->minimum(), spin->maximum())));
            return true;
          }};
}

TPageSetting ValueSetting(const std::string &key, QDoubleSpinBox *spin) {
  return {key, [spin] { return shell::FormatSettingNumber(spin->value(), SettingsDecimalSeparator()); },
          [spin](const std::string &v) {
            auto n = shell::ParseSettingNumber(v, SettingsDecimalSeparator());
            if (!n) return false;
            spin->setValue(*n);
            return true;
          }};
}

TPageSetting CheckedSetting(const std::string &key, QCheckBox *box) {
  return {key, [box] { return std::string(box->isChecked() ? "1" : "0"); },
          [box](const std::string &v) {
            auto n = shell::ParseSettingInteger(v);
            if (!n) return false;
            box->setChecked(*n != 0);
            return true;
          }};
}

}  // namespace ui
