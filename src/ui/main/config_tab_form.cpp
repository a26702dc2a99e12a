// The page "Config": its controls as a form of module values, and the marks
// on changed fields and on values outside a field's range.
#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

#include "ui/main/config_tab.h"
#include "ui/widgets/field_mark.h"
#include "ui/widgets/module_list.h"
#include "ui/widgets/number_edit.h"

using config_tab::Field;
using config_tab::Form;

Form TConfigTab::FormFromControls() const {
  Form f;
  f.netAddress = SE_CUNetAddr->value();
  f.baudRateIndex = CB_CBaudRate->ModuleIndex();
  f.dataFormat = CB_CFormat->ModuleIndex();
  f.netId = SE_CPanID->value();
  f.nodeId = SE_CRFAddr->value();
  f.byteTimeout = SE_ru_bytetimeout->value();
  f.packetTimeout = SE_ru_pkttimeout->value();
  f.nodeName = E_CNodeName->text().toStdString();
  f.route = E_PTP_Route->text().toStdString();
  f.ptpTimeout = SE_PTP_Timeout->value();
  f.pingPeriod = SE_PTP_PIGPERIOD->value();
  f.retries = SE_PTP_ReTry->value();
  f.ptpEnabled = CB_PTP_Enable->isChecked();
  return f;
}

void TConfigTab::FillControls(const Form &f) {
  filling_ = true;
  SE_CUNetAddr->SetModuleValue(f.netAddress);
  CB_CBaudRate->SetModuleIndex(f.baudRateIndex);
  CB_CFormat->SetModuleIndex(f.dataFormat);
  SE_CPanID->SetModuleValue(f.netId);
  SE_CRFAddr->SetModuleValue(f.nodeId);
  SE_ru_bytetimeout->SetModuleValue(f.byteTimeout);
  SE_ru_pkttimeout->SetModuleValue(f.packetTimeout);
  // The length limit is for typing: a longer name read from a modem is
  // shown whole, so writing the configuration back keeps it.
  const QString name = QString::fromStdString(f.nodeName);
  E_CNodeName->setMaxLength(std::max<int>(config_tab::kNodeNameMaxLength, static_cast<int>(name.size())));
  E_CNodeName->setText(name);
  E_PTP_Route->setText(QString::fromStdString(f.route));
  SE_PTP_Timeout->SetModuleValue(f.ptpTimeout);
  SE_PTP_PIGPERIOD->SetModuleValue(f.pingPeriod);
  SE_PTP_ReTry->SetModuleValue(f.retries);
  CB_PTP_Enable->setChecked(f.ptpEnabled);
  filling_ = false;
  UpdateMarks();
}

void TConfigTab::ConnectControls() {
  auto changed = [this] {
    if (!filling_) UpdateMarks();
  };
  for (TNumberEdit *e : {SE_CUNetAddr, SE_CPanID, SE_CRFAddr, SE_ru_bytetimeout, SE_ru_pkttimeout, SE_PTP_Timeout,
                         SE_PTP_PIGPERIOD, SE_PTP_ReTry})
    connect(e, &QSpinBox::valueChanged, this, changed);
  for (TModuleList *l : {CB_CBaudRate, CB_CFormat}) connect(l, &QComboBox::currentIndexChanged, this, changed);
  for (QLineEdit *e : {E_CNodeName, E_PTP_Route}) connect(e, &QLineEdit::textChanged, this, changed);
  connect(CB_PTP_Enable, &QCheckBox::toggled, this, changed);
}

bool TConfigTab::HasUnsavedChanges() const {
  return currentConfig_ && (loadedNotWritten_ || !config_tab::ChangedFields(shown_, FormFromControls()).empty());
}

void TConfigTab::UpdateMarks() {
  // In the order of config_tab::Field.
  QWidget *const fields[config_tab::kFieldCount] = {
      SE_CUNetAddr, CB_CBaudRate,   CB_CFormat,       SE_CPanID,    SE_CRFAddr,  SE_ru_bytetimeout, SE_ru_pkttimeout,
      E_CNodeName,  CB_PTP_Enable, SE_PTP_Timeout, SE_PTP_PIGPERIOD, SE_PTP_ReTry, E_PTP_Route};
  const auto changed = config_tab::ChangedFields(shown_, FormFromControls());
  for (int i = 0; i < config_tab::kFieldCount; ++i) {
    QWidget *w = fields[i];
    bool outOfRange = false;
    if (auto *e = qobject_cast<TNumberEdit *>(w)) outOfRange = e->HoldsOutOfRange();
    if (auto *l = qobject_cast<TModuleList *>(w)) outOfRange = l->HoldsOutOfRange();
    if (std::find(changed.begin(), changed.end(), static_cast<Field>(i)) != changed.end())
      SetFieldMark(w, TFieldMark::Changed);
    else
      SetFieldMark(w, outOfRange ? TFieldMark::OutOfRange : TFieldMark::None);
  }
}
