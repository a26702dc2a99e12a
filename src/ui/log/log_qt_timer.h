#pragma once
#include "log/log_view.h"

// Blink timers for the logger, run by the Qt event loop of the calling thread.
TLogTimerFactory QtLogTimerFactory();
