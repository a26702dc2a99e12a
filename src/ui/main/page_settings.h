#pragma once
// Settings keys of a control, as a page registers them with its host: the
// value forms of the settings file (integers in decimal, spin values as
// general decimal text with the system's decimal separator, check boxes 0/1).
#include <string>

#include "ui/main/page_host.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;
class TRadioGroup;

namespace ui {

// "<name>.ItemIndex": a stored index the list does not have is refused.
TPageSetting ItemIndexSetting(const std::string &key, QComboBox *combo);
TPageSetting ItemIndexSetting(const std::string &key, TRadioGroup *group);
// "<name>.Value": a stored number outside the field's range takes the nearest bound.
TPageSetting ValueSetting(const std::string &key, QSpinBox *spin);
TPageSetting ValueSetting(const std::string &key, QDoubleSpinBox *spin);
// "<name>.Checked"
TPageSetting CheckedSetting(const std::string &key, QCheckBox *box);

// The decimal separator setting values are written with.
char SettingsDecimalSeparator();

}  // namespace ui
