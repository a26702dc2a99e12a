#pragma once
// Starts the desktop's calculator for "Калькулятор".
#include <QString>

namespace term {

// False, with what to do in *error, when no calculator is installed or it
// cannot be started.
bool StartCalculator(QString *error);

}  // namespace term
