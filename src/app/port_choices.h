#pragma once
#include <string>
#include <vector>

#include "ui/main/shell_logic.h"

class QComboBox;

// Fills the port list: the serial ports that exist (with their
// descriptions), then COM1..COM4, then the built-in simulated modem.
void FillPortChoices(QComboBox *combo);

// The serial ports that exist, USB adapters marked.
std::vector<shell::PortCandidate> SerialPortCandidates();

// The port name in a list entry: "/dev/ttyUSB0  (FT232R USB UART)" names
// /dev/ttyUSB0; a typed name is taken as it stands.
std::string PortNameFromChoice(const std::string &text);
