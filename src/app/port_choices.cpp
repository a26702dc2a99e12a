#include "app/port_choices.h"

#include <QComboBox>
#include <QSerialPortInfo>

#include "ui/main/shell_logic.h"

namespace {
constexpr char kDescriptionSeparator[] = "  (";
}

void FillPortChoices(QComboBox *combo) {
  for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
    QString text = info.systemLocation();
    QString description = info.description();
    if (!info.manufacturer().isEmpty() && !description.contains(info.manufacturer()))
      description += (description.isEmpty() ? "" : ", ") + info.manufacturer();
    if (!description.isEmpty()) text += QString::fromUtf8(kDescriptionSeparator) + description + ")";
    combo->addItem(text);
  }
  for (const char *name : {"COM1", "COM2", "COM3", "COM4"}) combo->addItem(name);
  combo->addItem(QString::fromUtf8(shell::kSimulatedModemCaption));
}

std::vector<shell::PortCandidate> SerialPortCandidates() {
  std::vector<shell::PortCandidate> ports;
  for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
    ports.push_back({info.systemLocation().toStdString(), info.hasVendorIdentifier()});
  return ports;
}

std::string PortNameFromChoice(const std::string &text) {
  size_t cut = text.find(kDescriptionSeparator);
  return cut == std::string::npos ? text : text.substr(0, cut);
}
